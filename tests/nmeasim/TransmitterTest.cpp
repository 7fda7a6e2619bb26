#include "nmeasim/Transmitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nmeasim/NmeaCheck.h"

namespace {

using nmeasim::Cycle;
using nmeasim::FaultInjector;
using nmeasim::FaultOptions;
using nmeasim::Transmitter;
using nmeasim::TransmitterSettings;

// Cycles of `bytes` bytes every `interval` microseconds, numbered in their first byte.
class FakeSource : public nmeasim::CycleSource {
  public:
    FakeSource(std::size_t bytes, std::int64_t interval) : bytes_(bytes), interval_(interval) {}

    std::optional<Cycle> next() override {
        std::string s(bytes_ - 2, 'x');
        s[0] = static_cast<char>('A' + n_ % 26);
        return Cycle{interval_ * n_++, {s + "\r\n"}};
    }

  private:
    std::size_t bytes_;
    std::int64_t interval_;
    std::int64_t n_ = 0;
};

// Records each write with its time; takes at most `room` bytes until drained.
class FakeLine : public nmeasim::LinePort {
  public:
    std::size_t write(const char* data, std::size_t n) override {
        const std::size_t take = std::min(n, room);
        if (take > 0) {
            writes.push_back({now, std::string(data, take)});
            room -= take;
        }
        return take;
    }
    std::string all() const {
        std::string s;
        for (const auto& w : writes) {
            s += w.second;
        }
        return s;
    }
    std::int64_t now = 0;
    std::size_t room = SIZE_MAX;
    std::vector<std::pair<std::int64_t, std::string>> writes;
};

// Runs the transmitter on simulated time, waking it when it asks, up to `until`.
void runUntil(Transmitter& tx, FakeLine& line, std::int64_t until) {
    while (line.now <= until && !tx.finished()) {
        const std::int64_t wake = tx.service(line.now, line);
        ASSERT_GE(wake, line.now);
        line.now = std::max(wake, line.now + 1);
    }
}

TEST(TransmitterTest, BytesLeaveAtTheBaudRateAndCyclesStartOnTime) {
    for (const unsigned baud : {4800u, 38400u}) {
        SCOPED_TRACE(baud);
        FakeSource source(baud / 40, 1000000);  // a quarter of each second's capacity
        FaultInjector faults(FaultOptions{}, 1);
        Transmitter tx(source, faults, TransmitterSettings{false, baud, 0});
        FakeLine line;
        runUntil(tx, line, 10000000);
        const double bytesPerSecond = baud / 10.0;
        std::int64_t cycleStart = 0;
        std::size_t inCycle = 0;
        for (const auto& [t, bytes] : line.writes) {
            if (inCycle == 0) {
                EXPECT_EQ(t, cycleStart) << "a cycle starts at its time";
            }
            inCycle += bytes.size();
            // Never ahead of the wire (one burst of credit allowed), never far behind it.
            const double wire = (t - cycleStart) * 1e-6 * bytesPerSecond;
            EXPECT_LE(inCycle, wire + bytesPerSecond * 0.01 + 1);
            EXPECT_GE(inCycle + bytesPerSecond * 0.02 + 2, wire);
            if (inCycle == baud / 40) {
                inCycle = 0;
                cycleStart += 1000000;
            }
        }
        EXPECT_EQ(tx.cyclesSent(), 11u);
        EXPECT_EQ(tx.cyclesDropped(), 0u);
        EXPECT_FALSE(tx.takeWarning());
    }
}

TEST(TransmitterTest, AFixThatCannotFitIsDroppedAndExplainedOnce) {
    FakeSource source(400, 500000);  // 800 bytes/s into 480
    FaultInjector faults(FaultOptions{}, 1);
    Transmitter tx(source, faults, TransmitterSettings{false, 4800, 0});
    FakeLine line;
    runUntil(tx, line, 5000000);
    EXPECT_EQ(tx.cyclesSent(), 6u) << "every other fix";
    EXPECT_EQ(tx.cyclesDropped(), 5u);
    const auto warning = tx.takeWarning();
    ASSERT_TRUE(warning);
    EXPECT_NE(warning->find("fix at +0.50 s dropped"), std::string::npos) << *warning;
    EXPECT_NE(warning->find("4800 baud (480 bytes/s)"), std::string::npos) << *warning;
    EXPECT_FALSE(tx.takeWarning());
    // What went out are whole cycles, in order.
    const std::string all = line.all();
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(all[i * 400], 'A' + 2 * static_cast<char>(i));
    }
}

TEST(TransmitterTest, FastModeWritesBackToBackWaitsForRoomAndStopsAtTheCount) {
    FakeSource source(100, 1000000);
    FaultInjector faults(FaultOptions{}, 1);
    Transmitter tx(source, faults, TransmitterSettings{true, 4800, 25});
    FakeLine line;
    line.room = 1050;
    tx.service(0, line);
    EXPECT_TRUE(tx.blocked()) << "the line is full";
    EXPECT_EQ(line.all().size(), 1050u);
    line.room = SIZE_MAX;
    tx.service(1, line);
    EXPECT_FALSE(tx.blocked());
    EXPECT_TRUE(tx.finished());
    EXPECT_EQ(tx.cyclesSent(), 25u);
    EXPECT_EQ(line.all().size(), 2500u);
    EXPECT_EQ(line.all()[2400], 'Y');
}

TEST(TransmitterTest, GapsAndSplitPausesHoldTheLineSilent) {
    nmeasim::VesselSource source(nmeasim::VesselConfig{}, 0, 1.0, {nmeasim::SentenceType::GGA},
                                 "GP");
    FaultOptions options;
    options.gapEvery = 10.0;
    options.gapSeconds = 3.0;
    options.split = true;
    FaultInjector faults(options, 1);
    Transmitter tx(source, faults, TransmitterSettings{false, 115200, 0});
    FakeLine line;
    runUntil(tx, line, 25500000);
    std::vector<std::int64_t> starts;
    std::int64_t last = -1;
    for (const auto& [t, bytes] : line.writes) {
        if (bytes[0] == '$') {
            starts.push_back(t / 1000000);
        } else {
            EXPECT_GE(t - last, FaultInjector::kSplitPauseMinMicros) << "pause between pieces";
        }
        last = t;
    }
    EXPECT_EQ(starts, (std::vector<std::int64_t>{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                 13, 14, 15, 16, 17, 18, 19, 23, 24, 25}));
    for (const std::string& s : nmeacheck::lines(line.all())) {
        EXPECT_TRUE(nmeacheck::valid(s)) << s;
    }
}

TEST(TransmitterTest, UnreadOutputIsStaleOnceNoReaderTookItForThreeSeconds) {
    nmeasim::OutputAge age;
    std::size_t unread = 0;
    bool everStale = false;
    // 300 bytes a second; a slow reader takes everything every two seconds.
    for (std::int64_t t = 0; t <= 20000000; t += 1000000) {
        age.wrote(300, t);
        unread += 300;
        everStale = everStale || age.stale(unread, t + 500000);
        if (t % 2000000 == 0) {
            unread = 0;
        }
    }
    EXPECT_FALSE(everStale);
    // Nobody reads: the oldest of 900 unread bytes was written two seconds ago, of 1500 four.
    EXPECT_EQ(age.oldestUnread(900, 20000000), 2000000);
    EXPECT_FALSE(age.stale(900, 20000000));
    EXPECT_TRUE(age.stale(1500, 20000000));
    EXPECT_TRUE(age.stale(nmeasim::kMaxUnreadBytes, 20000000)) << "a nearly full buffer";
    EXPECT_FALSE(age.stale(0, 99000000));
}

}  // namespace
