#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace kbfile {

// A percentage on one terminal line, rewritten in place and only when it changes, so a long
// file shows it is moving without filling a log.
class ProgressMeter {
  public:
    // Smaller files finish before a percentage would be read.
    static constexpr std::uint64_t kMinBytes = std::uint64_t{16} << 20;

    // Shown only when out is a terminal, and for files of at least kMinBytes.
    ProgressMeter(std::FILE* out, std::string label, bool toTerminal)
        : out_(out), label_(std::move(label)), enabled_(toTerminal) {}
    ~ProgressMeter() { clear(); }
    ProgressMeter(const ProgressMeter&) = delete;
    ProgressMeter& operator=(const ProgressMeter&) = delete;

    void update(std::uint64_t done, std::uint64_t total);
    // Removes the line again, so what follows starts on a clean line.
    void clear();

  private:
    std::FILE* out_;
    std::string label_;
    bool enabled_;
    int shown_ = -1;
};

}  // namespace kbfile
