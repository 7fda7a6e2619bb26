#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace nmeasim {

// Lets bytes out at the speed of a serial line: ten bits a byte (start, eight data, stop).
// Credit builds up over time but never beyond a few milliseconds' worth, so an idle line does
// not save up a burst.
class LinePacer {
  public:
    static constexpr double kBurstSeconds = 0.01;

    explicit LinePacer(unsigned baud)
        : bytesPerSecond_(baud / 10.0),
          burst_(std::max(1.0, baud / 10.0 * kBurstSeconds)),
          credit_(burst_) {}

    double bytesPerSecond() const { return bytesPerSecond_; }

    // Bytes that may be written at `now` (microseconds, any monotonic origin).
    std::size_t allowance(std::int64_t now) {
        refill(now);
        return static_cast<std::size_t>(credit_);
    }

    void spend(std::size_t bytes) { credit_ = std::max(0.0, credit_ - static_cast<double>(bytes)); }

    // When a full burst (or `wanted` bytes, if fewer) may go out.
    std::int64_t nextAt(std::int64_t now, std::size_t wanted) {
        refill(now);
        const double target =
            std::min(burst_, static_cast<double>(std::max<std::size_t>(wanted, 1)));
        if (credit_ >= target) {
            return now;
        }
        return now + static_cast<std::int64_t>((target - credit_) / bytesPerSecond_ * 1e6) + 1;
    }

  private:
    void refill(std::int64_t now) {
        if (started_ && now > last_) {
            credit_ = std::min(burst_,
                               credit_ + static_cast<double>(now - last_) * 1e-6 * bytesPerSecond_);
        }
        if (!started_ || now > last_) {
            last_ = now;
        }
        started_ = true;
    }

    double bytesPerSecond_;
    double burst_;
    double credit_;
    std::int64_t last_ = 0;
    bool started_ = false;
};

}  // namespace nmeasim
