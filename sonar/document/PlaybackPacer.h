#pragma once

#include <cstdint>
#include <optional>

struct PingRecord;

// Decides when playback plays its next ping. At play speed s (1..10) up to s pings share one
// screen refresh and refreshes follow the display's pace, so speed 1 shows every ping at about
// 60 a second. At speed 0 the pings follow the pace they were recorded at, taken from their own
// time stamps. Falling behind (a busy machine, a dialog) never turns into a burst of catching up.
//
// Time comes as the 32-bit millisecond tick of the Clock port; only differences are used, so the
// tick may wrap.
class PlaybackPacer {
  public:
    static constexpr double kRefreshIntervalMs = 1000.0 / 60.0;
    // Recorded gaps longer than this (a recording resumed after a pause, a file joined to another,
    // a clock set by hand) play at the fallback pace rather than stalling the screen.
    static constexpr std::int64_t kMaxRecordedGapMs = 2000;
    // The pace when neither the stamps nor the recorded ping interval give a usable one.
    static constexpr double kDefaultIntervalMs = 100.0;

    // The next ping is due at once; what was learnt of the recorded pace is forgotten (a seek,
    // a new speed, the end of Hold).
    void restart(std::uint32_t tick);
    // 0..10; takes effect with the next restart.
    void setSpeed(int speed) { speed_ = speed; }
    int speed() const { return speed_; }
    // Off: every ping is due at once (the ceiling of the machine, for measurements).
    void setPaced(bool paced) { paced_ = paced; }
    bool paced() const { return paced_; }

    // A ping was played; refreshed tells that the views are redrawn after it.
    void played(std::uint32_t tick, const PingRecord& rec, bool refreshed);
    // Milliseconds until the next ping may play; 0 when it may play now.
    unsigned waitMs(std::uint32_t tick);

    // The interval the recorded pace asks for after the last ping (speed 0).
    double recordedIntervalMs() const { return perPingMs_; }

  private:
    // Pings that share one stamp: coarse stamps (whole seconds) carry several pings each.
    struct Run {
        std::int64_t stampMs = 0;
        int pings = 0;
        bool partial = false;  // began after a seek or a jump: its count says nothing
    };

    double advance(std::uint32_t tick);
    void learnRecordedPace(const PingRecord& rec);
    void schedule(double now, double intervalMs);

    int speed_ = 0;
    bool paced_ = true;
    std::uint32_t lastTick_ = 0;
    double nowMs_ = 0.0;
    double nextDueMs_ = 0.0;
    std::optional<Run> run_;
    double perPingMs_ = kDefaultIntervalMs;
};

// A ping's local time as milliseconds on a continuous day count; nothing when its date or time
// texts are missing or do not read as a date and time.
std::optional<std::int64_t> pingStampMs(const PingRecord& rec);
