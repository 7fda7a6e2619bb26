#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace headsim {

// How a return is cut into TCP segments, for clients that must reassemble a return from pieces.
class SplitPlan {
  public:
    enum class Mode { Whole, Fixed, Random };
    static constexpr std::size_t kRandomMax = 64;
    static constexpr unsigned kPauseMinMicros = 100;
    static constexpr unsigned kPauseMaxMicros = 300;

    SplitPlan() = default;
    SplitPlan(Mode mode, std::size_t size, std::uint64_t seed);

    bool splits() const { return mode_ != Mode::Whole; }

    // Segment sizes for one reply of `length` bytes; they add up to `length`, none is empty.
    std::vector<std::size_t> segments(std::size_t length);

    // The pause between two segments, long enough that they leave as separate packets.
    unsigned pauseMicros();

  private:
    Mode mode_ = Mode::Whole;
    std::size_t size_ = 0;
    std::mt19937_64 rng_;
};

// Spaces pings at a fixed rate. Only a command that opens a ping waits; the starboard half follows
// at once, as a real head answers both sides of one transmission.
class PingPacer {
  public:
    // Pings per second; 0 or less answers as fast as asked.
    explicit PingPacer(double rate)
        : periodMicros_(rate > 0 ? static_cast<std::int64_t>(1e6 / rate) : 0) {}

    // Earliest time (microseconds, any monotonic origin) a reply may go out.
    std::int64_t dueAt(bool opensPing) const { return opensPing ? next_ : 0; }

    // Records that a ping-opening reply went out at `now`. Keeps the schedule when on time and
    // restarts it after a stall, so late pings are not sent in a burst.
    void opened(std::int64_t now) {
        if (periodMicros_ == 0) {
            return;
        }
        const std::int64_t scheduled = next_ + periodMicros_;
        next_ = scheduled > now ? scheduled : now + periodMicros_;
    }

  private:
    std::int64_t periodMicros_;
    std::int64_t next_ = 0;
};

}  // namespace headsim
