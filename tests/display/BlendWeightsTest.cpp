#include <gtest/gtest.h>

#include <algorithm>

#include "display/BlendHistory.h"
#include "display/BlendWeights.h"

namespace {
TEST(BlendWeights, EveryUsedColumnSumsToOne) {
    const BlendWeights w;
    for (int c = 0; c < BlendWeights::kMaxLines; ++c) {
        double sum = 0.0;
        for (int k = 0; k <= c; ++k) {
            sum += w.weight(k, c);
        }
        EXPECT_NEAR(sum, 1.0, 1e-12) << "column " << c;
        for (int k = c + 1; k < BlendWeights::kMaxLines; ++k) {
            EXPECT_EQ(w.weight(k, c), 0.0) << "unused entry " << k << "," << c;
        }
    }
}

TEST(BlendWeights, TwoLinesWeighNewestHeaviest) {
    const BlendWeights w;
    EXPECT_NEAR(w.weight(0, 1), 0.93, 1e-12);
    EXPECT_NEAR(w.weight(1, 1), 0.07, 1e-12);
    EXPECT_NEAR(w.weight(0, 0), 1.0, 1e-12);
}

TEST(BlendWeights, TenLinesFallOffWithAge) {
    const BlendWeights w;
    const double expected[] = {0.37, 0.27, 0.15, 0.09, 0.07, 0.03, 0.014, 0.004, 0.0015, 0.0005};
    for (int k = 0; k < 10; ++k) {
        EXPECT_NEAR(w.weight(k, 9), expected[k], 1e-12) << "age " << k;
    }
}

TEST(BlendWeights, OutsideTheTableIsZero) {
    const BlendWeights w;
    EXPECT_EQ(w.weight(-1, 0), 0.0);
    EXPECT_EQ(w.weight(0, 10), 0.0);
}

TEST(BlendHistory, ShiftKeepsTheNewestLineInBothTopSlots) {
    BlendHistory h;
    h.resize(4);
    for (int ping = 1; ping <= 12; ++ping) {
        std::fill_n(h.line(0), 4, static_cast<std::uint8_t>(ping));
        h.shiftDown();
    }
    EXPECT_EQ(h.line(0)[0], 12);
    for (int k = 1; k < BlendHistory::kLines; ++k) {
        EXPECT_EQ(h.line(k)[3], 13 - k) << "line " << k;
    }
    EXPECT_EQ(h.line(10), nullptr);
}
}  // namespace
