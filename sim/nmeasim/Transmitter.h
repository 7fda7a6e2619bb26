#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "nmeasim/CycleSource.h"
#include "nmeasim/Faults.h"
#include "nmeasim/LinePacer.h"

namespace nmeasim {

// The device end of the line.
class LinePort {
  public:
    virtual ~LinePort() = default;
    // Bytes taken, fewer than `n` (maybe none) when the line cannot take more now.
    virtual std::size_t write(const char* data, std::size_t n) = 0;
};

// Unread output beyond which a line nobody reads is cleared: about two seconds of output, so a
// reader that opens the device late starts with current sentences. The upper bound stays below
// the terminal's 4 KB input buffer, whose fill is all a pseudo-terminal reports.
constexpr std::size_t kMinStaleBytes = 256;
constexpr std::size_t kMaxStaleBytes = 3072;
std::size_t staleLimitBytes(double bytesPerSecond);

struct TransmitterSettings {
    bool fast = false;        // no pacing: the next cycle as soon as the last one is written
    unsigned baud = 4800;     // pacing of the bytes when not fast
    std::uint64_t count = 0;  // cycles to send; 0 = all
};

// Decides what goes on the line and when: cycles at their times (or back to back when fast),
// faults applied, bytes paced at the baud rate, split pieces after their pauses. A cycle that
// comes due while the previous one is still on the line is dropped, as a receiver whose serial
// port is too slow for its output does.
class Transmitter {
  public:
    static constexpr std::uint64_t kMaxBytesPerService = 65536;

    Transmitter(CycleSource& source, FaultInjector& faults, const TransmitterSettings& settings);

    // Does what is due at `now` (microseconds, monotonic) and returns when to call again.
    std::int64_t service(std::int64_t now, LinePort& line);

    // True once the line refused bytes: call again when it can take more.
    bool blocked() const { return blocked_; }
    // All cycles sent (count reached or source exhausted) and written.
    bool finished() const { return !pending_ && sourceDone_ && queue_.empty(); }

    std::uint64_t cyclesSent() const { return sent_; }
    std::uint64_t cyclesDropped() const { return dropped_; }

    // The one-time explanation for dropped cycles, once.
    std::optional<std::string> takeWarning();

    // Bytes per second the output runs at, from the last cycle's size and interval.
    double outputBytesPerSecond() const;

  private:
    struct Queued {
        std::string bytes;
        std::size_t done = 0;
        unsigned pauseMicros = 0;
        std::int64_t notBefore = 0;
    };

    void pull();
    void admit(std::int64_t now);
    bool writeSome(std::int64_t now, LinePort& line);
    std::int64_t nextWake(std::int64_t now);

    CycleSource& source_;
    FaultInjector& faults_;
    TransmitterSettings settings_;
    LinePacer pacer_;
    std::optional<Cycle> pending_;
    bool sourceDone_ = false;
    std::deque<Queued> queue_;
    std::optional<std::int64_t> origin_;
    bool blocked_ = false;
    std::uint64_t sent_ = 0;
    std::uint64_t dropped_ = 0;
    std::size_t lastCycleBytes_ = 0;
    std::int64_t lastOffset_ = 0;
    std::int64_t lastInterval_ = 1000000;
    std::uint64_t written_ = 0;
    std::optional<std::string> warning_;
    bool warned_ = false;
};

}  // namespace nmeasim
