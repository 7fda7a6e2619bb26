#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "survey/SlantRange.h"

namespace {
// Samples that name their own index (value = index + 1), so a ground pixel shows which slant
// sample it took.
std::vector<std::uint8_t> indexedSide(int n) {
    std::vector<std::uint8_t> side(n);
    for (int i = 0; i < n; ++i) {
        side[i] = static_cast<std::uint8_t>(i + 1);
    }
    return side;
}

// 200 samples of 0.1 m (20 m range), the fish 5 m above the seabed, 0.25 m ground pixels.
TEST(SlantRangeTest, GroundPixelsTakeTheSampleAtTheirSlantRange) {
    const std::vector<std::uint8_t> side = indexedSide(200);
    const SlantGeometry geometry{0.1, 5.0};
    std::vector<std::uint8_t> ground(90, 77);
    relayOnSeabed(side, geometry, 0.25, ground);

    EXPECT_NEAR(nadirGapWidth(geometry), std::sqrt(5.1 * 5.1 - 25.0), 1e-12);
    struct Case {
        int pixel;
        int value;  // 0: no data
    };
    const Case cases[] = {
        {0, 0},     // under the fish: the nadir gap
        {3, 0},     // d = 0.875 m, still inside the ~1.005 m gap
        {4, 52},    // d = 1.125 m: slant 5.125 m, sample 51
        {20, 72},   // d = 5.125 m: slant 7.16 m, sample 71
        {76, 198},  // d = 19.125 m: slant 19.77 m, sample 197
        {77, 0},    // d = 19.375 m: slant 20.0 m, past the last sample
        {89, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ground[c.pixel], c.value) << "pixel " << c.pixel;
    }
}

TEST(SlantRangeTest, SamplesEqualToNoDataStayData) {
    const std::vector<std::uint8_t> side(100, 0);
    std::vector<std::uint8_t> ground(40);
    relayOnSeabed(side, {0.1, 2.0}, 0.2, ground, 0);
    EXPECT_EQ(ground[0], 0);   // nadir gap
    EXPECT_EQ(ground[10], 1);  // a silent sample is data, kept apart from "no data"
}
}  // namespace
