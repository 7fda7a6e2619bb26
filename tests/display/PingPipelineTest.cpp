#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "display/PingGeometry.h"
#include "display/PingPipeline.h"

namespace {
constexpr int kRange50m = 9;
constexpr int kModeLow = 0;

// Speed and interval that move the vessel `rows` image rows per ping on a 100-pixel
// both-sides image at 50 m (one pixel per metre).
constexpr double kOneKnot = 1.0;
double intervalForRows(double rows) {
    return rows / ping_geometry::kKnotsToMetresPerMs;
}

std::string timeText(int ping) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "10:00:%02d.%03d", ping / 1000 % 60, ping % 1000);
    return buf;
}

class Pipeline : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(p.resize(100, 50)); }

    // A ping whose every sample is `value`, fewer samples than pixels so every pixel shows it.
    void ping(int value, double speed = 0.0, double intervalMs = 100.0, int number = 0) {
        std::vector<std::uint8_t> samples(40, static_cast<std::uint8_t>(value));
        const std::string time = timeText(number);
        PingInput in;
        in.samples = samples.data();
        in.sampleCount = samples.size();
        in.rangeIndex = kRange50m;
        in.mode = kModeLow;
        in.timeText = time;
        in.speedKnots = speed;
        in.pingIntervalMs = intervalMs;
        p.processPing(in);
    }

    int pixel(int y, int x = 0) const { return p.image().row(y)[x]; }
    const RowRecord& rec(int y) const { return *p.image().record(y); }

    PingPipeline p;
};

TEST_F(Pipeline, SpeedZeroGivesOneUnblendedRowPerPing) {
    p.settings().setSpeedCorrection(true);
    p.settings().setVerticalBlending(true);
    for (int i = 1; i <= 5; ++i) {
        ping(i * 10, 0.0, 100.0, i);
        EXPECT_EQ(p.image().totalLines(), static_cast<std::uint64_t>(i));
    }
    const int expected[] = {50, 50, 40, 30, 20, 10, 0};
    for (int y = 0; y < 7; ++y) {
        EXPECT_EQ(pixel(y), expected[y]) << "row " << y;
        EXPECT_EQ(pixel(y, 99), expected[y]) << "row " << y;
    }
    EXPECT_EQ(p.image().repetition(0), 1);
    EXPECT_EQ(p.image().linesOnScreen(), 5u);
}

TEST_F(Pipeline, SpeedCorrectionAtPointFourRowsScrollsTwoOfFivePings) {
    p.settings().setSpeedCorrection(true);
    const double interval = intervalForRows(0.4000001);
    const std::uint64_t totals[] = {0, 0, 1, 1, 2};
    for (int i = 0; i < 5; ++i) {
        ping(100 + i, kOneKnot, interval, i);
        EXPECT_EQ(p.image().totalLines(), totals[i]) << "ping " << i;
        EXPECT_EQ(pixel(0), 100 + i) << "the staging row always shows the newest ping";
    }
    EXPECT_EQ(pixel(1), 104);
    EXPECT_EQ(pixel(2), 102);
    EXPECT_EQ(pixel(3), 0);
    EXPECT_NEAR(p.speedRemainder(), 0.0, 1e-5);
    for (int i = 5; i < 25; ++i) {
        ping(1, kOneKnot, interval, i);
    }
    EXPECT_EQ(p.image().totalLines(), 10u);
}

TEST_F(Pipeline, WithoutSpeedCorrectionRepetitionIsStillRecorded) {
    const double interval = intervalForRows(3.0000001);
    ping(10, kOneKnot, interval, 1);
    ping(20, kOneKnot, interval, 2);
    EXPECT_EQ(p.image().totalLines(), 2u);
    EXPECT_EQ(pixel(1), 20);
    EXPECT_EQ(pixel(2), 10);
    EXPECT_EQ(p.image().repetition(0), 3);
    EXPECT_EQ(p.image().repetition(2), 3);
}

TEST_F(Pipeline, TenLinesAreBlendedAtFiftyMetresThreeKnots) {
    // d = 0.1543 m gives u = 11, limited to 10.
    const double d = ping_geometry::distancePerPing(100.0, 3.0);
    EXPECT_NEAR(d, 0.15433, 1e-5);
    EXPECT_EQ(ping_geometry::pingsPerSeabedPoint(50, 2.0, d, 20), 11);
    EXPECT_EQ(ping_geometry::pingsPerSeabedPoint(50, 2.0, d, 10), 10);

    p.settings().setVerticalBlending(true);
    for (int i = 1; i <= 10; ++i) {
        ping(i * 10, 3.0, 100.0, i);
    }
    // 100 x 0.37 + 90 x 0.27 + ... + 10 x 0.0005 = 86.015
    EXPECT_EQ(pixel(0), 86);
    EXPECT_EQ(pixel(1, 50), 86);
    // The history keeps the unblended line for the next ping.
    EXPECT_EQ(p.blendHistory().line(1)[0], 100);
}

TEST_F(Pipeline, TwoLinesAreBlendedWhenTheFootprintCoversTwoPings) {
    // d = 0.7 m: 2 x 50 x sin(1 degree) / 0.7 = 2.49
    const double interval = 0.7 / (3.0 * ping_geometry::kKnotsToMetresPerMs);
    p.settings().setVerticalBlending(true);
    ping(50, 3.0, interval, 1);
    ping(100, 3.0, interval, 2);
    EXPECT_EQ(pixel(0), 96);  // trunc(100 x 0.93 + 50 x 0.07)
    p.settings().setVerticalBlending(false);
    ping(100, 3.0, interval, 3);
    EXPECT_EQ(pixel(0), 100);
}

TEST_F(Pipeline, MarkersAndRecordsFollowTheirRows) {
    p.settings().setSpeedCorrection(true);
    const double interval = intervalForRows(3.0000001);
    ping(10, kOneKnot, interval, 1);
    ping(20, kOneKnot, interval, 2);
    const int values[] = {20, 20, 20, 20, 10, 10, 10, 0};
    const int markers[] = {1, 0, 0, 1, 0, 0, 1, 0};
    const std::string times[] = {timeText(2), timeText(2), timeText(2), timeText(2),
                                 timeText(1), timeText(1), timeText(1), ""};
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(pixel(y), values[y]) << "row " << y;
        EXPECT_EQ(rec(y).marker, markers[y]) << "row " << y;
        EXPECT_EQ(rec(y).time(), times[y]) << "row " << y;
    }
    EXPECT_EQ(p.image().totalLines(), 6u);
}

TEST_F(Pipeline, RowsKeepTheLayoutTheyWereDrawnWith) {
    ping(10, 0.0, 100.0, 1);
    p.settings().setSideLayout(1);
    ping(20, 0.0, 100.0, 2);
    EXPECT_EQ(rec(0).sideLayout, 1);
    EXPECT_EQ(rec(1).sideLayout, 1);
    EXPECT_EQ(rec(2).sideLayout, 3);
    EXPECT_EQ(rec(1).marker, 1);
    EXPECT_EQ(rec(2).marker, 1);
}

TEST_F(Pipeline, GpsTextsTravelWithTheRowAndStayWithoutASource) {
    const GpsTextViews gps{"49.16.4500 N", "123.07.2261 W", "22:54:44",
                           "3.00 Knots",   "90.00 Deg.",    "05-MAR-2007"};
    std::vector<std::uint8_t> samples(2000, 7);
    PingInput in;
    in.samples = samples.data();
    in.sampleCount = samples.size();
    in.timeText = "22:54:44.123";
    in.gpsTexts = &gps;
    p.processPing(in);
    in.timeText = "22:54:44.223";
    in.gpsTexts = nullptr;
    p.processPing(in);
    EXPECT_EQ(rec(1).time(), "22:54:44.223");
    EXPECT_EQ(rec(1).gpsText(0), "49.16.4500 N");
    EXPECT_EQ(rec(2).time(), "22:54:44.123");
    EXPECT_EQ(rec(2).gpsText(5), "05-MAR-2007");
}

TEST_F(Pipeline, HeldCopyStaysWhileTheLiveImageMovesOn) {
    ping(10, 0.0, 100.0, 1);
    p.hold();
    ping(20, 0.0, 100.0, 2);
    EXPECT_EQ(p.held().row(1)[0], 10);
    EXPECT_EQ(p.held().record(1)->time(), timeText(1));
    EXPECT_EQ(p.image().row(1)[0], 20);
    EXPECT_EQ(p.held().repetition(0), 1);
}

TEST_F(Pipeline, ClearImageEmptiesBothImagesAndTheirRecords) {
    p.settings().setSpeedCorrection(true);
    ping(10, kOneKnot, intervalForRows(1.5), 1);
    p.hold();
    p.clearImage();
    EXPECT_EQ(pixel(1), 0);
    EXPECT_EQ(p.held().row(1)[0], 0);
    EXPECT_EQ(rec(1).time(), "");
    EXPECT_EQ(p.held().record(1)->time(), "");
    EXPECT_EQ(p.image().totalLines(), 0u);
    EXPECT_EQ(p.speedRemainder(), 0.0);
}

TEST_F(Pipeline, ClearScreenKeepsTheRecords) {
    ping(10, 0.0, 100.0, 1);
    p.clearScreen();
    EXPECT_EQ(pixel(1), 0);
    EXPECT_EQ(rec(1).time(), timeText(1));
}

TEST_F(Pipeline, FullScaleSamplesNeverProduceTheHighlight) {
    std::vector<std::uint8_t> samples(2000, 255);
    PingInput in;
    in.samples = samples.data();
    in.sampleCount = samples.size();
    p.processPing(in);
    in.sourceKind = 1;
    std::fill(samples.begin(), samples.end(), 128);
    p.processPing(in);
    EXPECT_EQ(pixel(1, 50), 254);
    EXPECT_EQ(pixel(2, 50), 254);
}

TEST_F(Pipeline, AbsurdSpeedsAreBoundedAndNotANumberMeansStill) {
    p.settings().setSpeedCorrection(true);
    ping(10, 1e6, 1e6, 1);
    EXPECT_EQ(p.image().repetition(0), 255);
    EXPECT_EQ(p.image().totalLines(), 255u);
    EXPECT_EQ(pixel(49), 10);
    ping(20, std::nan(""), 100.0, 2);
    EXPECT_EQ(p.image().totalLines(), 256u);
    ping(30, -4.0, 100.0, 3);
    EXPECT_EQ(p.image().totalLines(), 257u);
    ping(40, 1e300, 1e300, 4);  // an infinite distance moves nothing
    EXPECT_EQ(p.image().totalLines(), 257u);
    EXPECT_EQ(pixel(0), 40);
}

TEST(PipelineWithoutImage, ProducesNoLine) {
    PingPipeline p;
    std::vector<std::uint8_t> samples(2000, 9);
    p.prepareSamples(samples.data(), samples.size(), 0);
    EXPECT_FALSE(p.resampleLine("10:00:00.000", nullptr));
    p.drawPing(kRange50m, kModeLow, 0.0, 100.0);
    EXPECT_FALSE(p.hasImage());
    EXPECT_FALSE(p.resize(0, 100));
    EXPECT_FALSE(p.hasImage());
}

TEST(PipelineTallImage, MoreThanTwoThousandRowsKeepTheirRecords) {
    PingPipeline p;
    constexpr int kHeight = 2500;
    ASSERT_TRUE(p.resize(8, kHeight));
    std::vector<std::uint8_t> samples(4);
    for (int i = 1; i <= 2600; ++i) {
        std::fill(samples.begin(), samples.end(), static_cast<std::uint8_t>(i % 251));
        const std::string time = timeText(i);
        PingInput in;
        in.samples = samples.data();
        in.sampleCount = samples.size();
        in.timeText = time;
        p.processPing(in);
    }
    for (int y = 1; y < kHeight; ++y) {
        const int pingNumber = 2601 - y;
        ASSERT_EQ(p.image().record(y)->time(), timeText(pingNumber)) << "row " << y;
        ASSERT_EQ(p.image().row(y)[7], pingNumber % 251) << "row " << y;
        ASSERT_EQ(p.image().repetition(y), 1) << "entry " << y;
    }
    EXPECT_EQ(p.image().linesOnScreen(), static_cast<std::uint64_t>(kHeight));
    p.hold();
    EXPECT_EQ(p.held().record(kHeight - 1)->time(), timeText(102));
}

TEST(PipelineShortPings, AnySampleCountIsDrawnWithinItsOwnSamples) {
    for (int layout = 1; layout <= 3; ++layout) {
        for (std::size_t n : {0u, 1u, 2u, 7u, 100u, 999u, 1500u, 4001u}) {
            PingPipeline p;
            ASSERT_TRUE(p.resize(200, 3));
            p.settings().setSideLayout(layout);
            std::vector<std::uint8_t> samples(n, 60);  // exactly sized for the sanitizers
            PingInput in;
            in.samples = samples.data();
            in.sampleCount = n;
            p.processPing(in);
            const std::uint8_t* row = p.image().row(1);
            const std::size_t used = layout == 3 ? n : n / 2;
            if (used == 0) {
                EXPECT_EQ(row[0], 0) << "layout " << layout << ", " << n << " samples";
            } else {
                EXPECT_EQ(row[0], 60) << "layout " << layout << ", " << n << " samples";
            }
            if (used < 200) {
                EXPECT_EQ(row[199], used == 0 ? 0 : 60)
                    << "layout " << layout << ", " << n << " samples";
            }
        }
    }
}

TEST(PipelineShortPings, HalfAPingOnTwiceItsWidthDoublesEachSample) {
    PingPipeline p;
    ASSERT_TRUE(p.resize(800, 2));
    std::vector<std::uint8_t> samples(400);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::uint8_t>(i % 200);
    }
    p.prepareSamples(samples.data(), samples.size(), 0);
    ASSERT_TRUE(p.resampleLine("", nullptr));
    p.drawPing(kRange50m, kModeLow, 0.0, 100.0);
    for (int x = 0; x < 800; ++x) {
        ASSERT_EQ(p.image().row(1)[x], (x / 2) % 200) << "pixel " << x;
    }
}
}  // namespace
