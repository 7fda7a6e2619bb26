#include "document/PlaybackPacer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "datafile/PingRecord.h"

namespace {

// A ping stamped t milliseconds after 09:00:00 on 7 Dec 2026, as the recorder writes it.
PingRecord stamped(std::int64_t t, std::uint32_t intervalMs = 0) {
    const std::int64_t s = 9 * 3600 + t / 1000;
    char date[16];
    char time[16];
    char ms[8];
    std::snprintf(date, sizeof date, "%02d-DEC-2026", int(7 + s / 86400));
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", int(s / 3600 % 24), int(s / 60 % 60),
                  int(s % 60));
    std::snprintf(ms, sizeof ms, ".%03d", int(t % 1000));
    PingRecord rec;
    rec.dateText = date;
    rec.timeText = time;
    rec.millisecondText = ms;
    rec.pingIntervalMs = intervalMs;
    return rec;
}

// Plays pings through the pacer on a fake clock the way the frame's idle turns do: a ping
// whenever the wait is 0, else the clock moves on by the wait.
struct PacedRun {
    explicit PacedRun(int speed, std::uint32_t startTick = 5000) : tick(startTick) {
        pacer.setSpeed(speed);
        pacer.restart(tick);
    }
    // Plays until `ms` of clock time have passed; ping(i) gives the i-th record.
    void playFor(std::uint32_t ms, const std::function<PingRecord(int)>& ping) {
        const std::uint32_t end = tick + ms;
        // The bound only keeps a broken pacer from hanging the test.
        while (static_cast<std::int32_t>(end - tick) > 0 && played < 100000) {
            const unsigned wait = pacer.waitMs(tick);
            if (wait > 0) {
                longestWait = std::max(longestWait, wait);
                tick += wait;
                continue;
            }
            ++played;
            const bool refresh = pacer.speed() <= 1 || played % pacer.speed() == 0;
            refreshes += refresh;
            pacer.played(tick, ping(played - 1), refresh);
        }
    }

    PlaybackPacer pacer;
    std::uint32_t tick;
    int played = 0;
    int refreshes = 0;
    unsigned longestWait = 0;
};

}  // namespace

TEST(PlaybackPacer, SpeedSPlaysSPingsPerRefreshAtTheDisplayRate) {
    for (int speed : {0, 1, 5, 10}) {
        SCOPED_TRACE(speed);
        PacedRun run(speed);
        // Stamps 1 ms apart: a recording far faster than any screen, so speed 0 is capped too.
        run.playFor(3000, [](int i) { return stamped(i, 1); });
        const int perRefresh = speed <= 1 ? 1 : speed;
        EXPECT_NEAR(run.refreshes, 180, 2);
        EXPECT_NEAR(run.played, 180 * perRefresh, 2 * perRefresh);
        EXPECT_LE(run.longestWait, 17u);
    }
}

struct RecordedCase {
    const char* name;
    std::function<PingRecord(int)> ping;
    double pingsPerSecond;
    double tolerance;
};

TEST(PlaybackPacer, SpeedZeroKeepsTheRecordedPaceWithoutStallsOrBursts) {
    const std::vector<RecordedCase> cases = {
        {"millisecond stamps, 12 a second", [](int i) { return stamped(i * 1000 / 12); }, 12, 0.3},
        // .ss2 keeps whole seconds only: the pace is spread over the pings of each second.
        {"whole-second stamps, 12 a second", [](int i) { return stamped(i / 12 * 1000, 83); }, 12,
         0.5},
        {"no stamps, recorded interval 50 ms",
         [](int i) {
             PingRecord r = stamped(0, 50);
             r.timeText.clear();
             (void)i;
             return r;
         },
         20, 0.3},
        {"equal stamps, no interval", [](int) { return stamped(0); }, 10, 0.3},
        {"stamps wrapping back every 30 pings, 80 ms apart",
         [](int i) { return stamped(i % 30 * 80, 80); }, 12.5, 0.6},
        {"an hour between every 10 pings, 40 ms apart",
         [](int i) { return stamped(i / 10 * 3600000 + i % 10 * 40, 40); }, 25, 0.6},
    };
    for (const RecordedCase& c : cases) {
        SCOPED_TRACE(c.name);
        PacedRun run(0);
        run.playFor(10000, c.ping);
        EXPECT_NEAR(run.played / 10.0, c.pingsPerSecond, c.tolerance);
        EXPECT_LE(run.longestWait, 101u) << "never a stall";
    }
}

TEST(PlaybackPacer, FallingBehindPlaysOneAtOnceThenKeepsThePace) {
    PacedRun run(1);
    run.playFor(1000, [](int i) { return stamped(i); });
    // The machine was busy for a second: the next ping plays at once, the one after waits.
    run.tick += 1000;
    EXPECT_EQ(run.pacer.waitMs(run.tick), 0u);
    run.pacer.played(run.tick, stamped(0), true);
    EXPECT_EQ(run.pacer.waitMs(run.tick), 17u);
}

TEST(PlaybackPacer, UnpacedAndWrappingTicks) {
    PlaybackPacer unpaced;
    unpaced.setPaced(false);
    unpaced.restart(0);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(unpaced.waitMs(0), 0u);
        unpaced.played(0, stamped(i), true);
    }

    PacedRun wrapping(1, 0xFFFFFF00u);
    wrapping.playFor(1000, [](int i) { return stamped(i); });
    EXPECT_NEAR(wrapping.played, 60, 1);
}
