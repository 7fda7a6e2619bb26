#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The ten most recent sentences, oldest first, for the port dialog's display.
class RecentSentences {
  public:
    static constexpr std::size_t kCapacity = 10;

    // Appends; a full list drops its oldest entry first.
    void add(std::string_view sentence);
    // Playback puts a record's sentences into their slots; the count stays as it is.
    void setSlot(std::size_t i, std::string_view sentence);
    void clear();

    std::size_t count() const { return count_; }
    const std::array<std::string, kCapacity>& entries() const { return slots_; }

  private:
    std::array<std::string, kCapacity> slots_;
    std::size_t count_ = 0;
};
