#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>

// The four most recently used files, full paths, most recent first. Storage belongs to the
// platform layer; this only keeps the order.
class RecentFileList {
  public:
    static constexpr std::size_t kSize = 4;
    using Entries = std::array<std::string, kSize>;

    RecentFileList() = default;
    // The entries as stored, first to fourth; empty strings are unused entries.
    explicit RecentFileList(Entries entries) : entries_(std::move(entries)) {}

    // A path already in the list moves to the front; otherwise the others move down and the
    // fourth drops out. An empty path changes nothing.
    void add(const std::string& path);

    // Entry n (1..4) moves to the front, the entries before it move down by one; returns its
    // path. An empty entry, or n outside 1..4, returns an empty path and changes nothing.
    std::string takeForOpen(int n);

    // A file that could not be opened leaves the list; the later entries move up.
    void remove(const std::string& path);

    // Entry n (1..4); empty when unused or out of range.
    std::string entry(int n) const;
    const Entries& entries() const { return entries_; }

  private:
    void moveToFront(std::size_t index);

    Entries entries_;
};
