#include "headsim/SplitPlan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

namespace {

using headsim::PingPacer;
using headsim::SplitPlan;

std::size_t total(const std::vector<std::size_t>& v) {
    return std::accumulate(v.begin(), v.end(), std::size_t{0});
}

TEST(SplitPlanTest, WholeReplyIsOneSegment) {
    SplitPlan plan;
    EXPECT_FALSE(plan.splits());
    EXPECT_EQ(plan.segments(1013), (std::vector<std::size_t>{1013}));
}

TEST(SplitPlanTest, FixedSegmentsCoverTheReplyAndNeverExceedTheSize) {
    SplitPlan plan(SplitPlan::Mode::Fixed, 100, 1);
    const auto segments = plan.segments(1013);
    EXPECT_EQ(segments.size(), 11u);
    EXPECT_EQ(total(segments), 1013u);
    EXPECT_EQ(segments.back(), 13u);
    SplitPlan bytes(SplitPlan::Mode::Fixed, 1, 1);
    EXPECT_EQ(bytes.segments(1013).size(), 1013u);
}

TEST(SplitPlanTest, RandomSegmentsVaryWithinOneTo64) {
    SplitPlan plan(SplitPlan::Mode::Random, 0, 3);
    std::set<std::size_t> sizes;
    for (int i = 0; i < 20; ++i) {
        const auto segments = plan.segments(1013);
        EXPECT_EQ(total(segments), 1013u);
        for (std::size_t s : segments) {
            EXPECT_GE(s, 1u);
            EXPECT_LE(s, 64u);
            sizes.insert(s);
        }
    }
    EXPECT_GT(sizes.size(), 30u);
}

TEST(PingPacerTest, OnlyPingOpeningRepliesWaitForTheirSlot) {
    PingPacer pacer(10.0);
    EXPECT_EQ(pacer.dueAt(true), 0);
    pacer.opened(1'000'000);
    EXPECT_EQ(pacer.dueAt(true), 1'100'000);
    EXPECT_EQ(pacer.dueAt(false), 0) << "the starboard half follows at once";
    pacer.opened(1'100'300);
    EXPECT_EQ(pacer.dueAt(true), 1'200'000) << "on time: the schedule does not drift";
}

TEST(PingPacerTest, StallRestartsTheScheduleInsteadOfBursting) {
    PingPacer pacer(20.0);
    pacer.opened(0);
    pacer.opened(1'000'000);
    EXPECT_EQ(pacer.dueAt(true), 1'050'000);
}

TEST(PingPacerTest, ZeroRateNeverWaits) {
    PingPacer pacer(0.0);
    pacer.opened(5'000'000);
    EXPECT_EQ(pacer.dueAt(true), 0);
}

}  // namespace
