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

// When output nobody has read is cleared, so that a program opening the device late starts with
// current sentences: once its oldest byte has waited longer than a slow reader (one reading
// every two seconds) would leave it, or once the terminal's 4 KB input buffer, whose fill is all
// a pseudo-terminal reports, is nearly full (a real line overruns there too).
constexpr std::int64_t kMaxUnreadAgeMicros = 3000000;
constexpr std::size_t kMaxUnreadBytes = 3584;

// Remembers when recent output was written, to tell how long unread bytes have waited.
class OutputAge {
  public:
    void wrote(std::size_t bytes, std::int64_t now);
    // Microseconds the oldest of the last `unread` bytes written has waited at `now`.
    std::int64_t oldestUnread(std::size_t unread, std::int64_t now) const;
    // True when `unread` bytes should be dropped (see kMaxUnreadAgeMicros).
    bool stale(std::size_t unread, std::int64_t now) const {
        return unread >= kMaxUnreadBytes ||
               (unread > 0 && oldestUnread(unread, now) > kMaxUnreadAgeMicros);
    }

  private:
    struct Write {
        std::uint64_t end;  // total bytes written after this write
        std::int64_t at;
    };
    std::deque<Write> writes_;
    std::uint64_t total_ = 0;
};

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

    // When the bytes written so far went out.
    const OutputAge& outputAge() const { return age_; }

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
    std::uint64_t written_ = 0;
    OutputAge age_;
    std::optional<std::string> warning_;
    bool warned_ = false;
};

}  // namespace nmeasim
