#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "survey/BottomDetector.h"

namespace {
// One side of a synthetic ping: water column up to `bottom` (noise of the given spread around
// `water`), then a speckled seabed. Spikes are single bright samples in the water column.
struct SideShape {
    std::string name;
    int samples = 1000;
    std::optional<int> bottom;
    int water = 10;
    int waterNoise = 0;
    int seabed = 120;
    int spikeEvery = 0;
    int fishAt = -1;  // a short bright run (a fish, a bubble) in the water column
    std::optional<int> expected;
    int tolerance = 0;
};

std::vector<std::uint8_t> makeSide(const SideShape& s, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> noise(-s.waterNoise, s.waterNoise);
    std::uniform_int_distribution<int> speckle(-40, 40);
    std::vector<std::uint8_t> side(s.samples);
    for (int i = 0; i < s.samples; ++i) {
        int v = s.water + noise(rng);
        if (s.bottom && i >= *s.bottom) {
            v = s.seabed + speckle(rng);
        } else if (s.spikeEvery > 0 && i % s.spikeEvery == 0) {
            v = 255;
        } else if (s.fishAt >= 0 && i >= s.fishAt && i < s.fishAt + 4) {
            v = 220;
        }
        side[i] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
    }
    return side;
}

TEST(BottomDetectorTest, FindsTheFirstReturnOrReportsNone) {
    const std::vector<SideShape> cases = {
        {"clean", 1000, 200, 10, 0, 120, 0, -1, 200, 0},
        {"noisy water column", 1000, 200, 30, 25, 120, 0, -1, 200, 2},
        {"speckle spikes in the water", 1000, 200, 20, 10, 120, 23, -1, 200, 2},
        {"a fish before the bottom", 1000, 200, 20, 10, 120, 0, 90, 200, 2},
        {"bottom close to the fish", 1000, 25, 15, 5, 140, 0, -1, 25, 2},
        {"bottom far out", 1000, 460, 15, 5, 140, 0, -1, 460, 2},
        {"weak seabed over a dark water column", 2000, 700, 4, 3, 40, 0, -1, 700, 8},
        {"no bottom, noise only", 1000, std::nullopt, 40, 30, 0, 0, -1, std::nullopt, 0},
        {"no bottom, spikes only", 1000, std::nullopt, 20, 10, 0, 11, -1, std::nullopt, 0},
        {"silent side", 1000, std::nullopt, 0, 0, 0, 0, -1, std::nullopt, 0},
        {"saturated side", 1000, std::nullopt, 255, 0, 0, 0, -1, std::nullopt, 0},
        {"too short to judge", 10, 3, 10, 0, 150, 0, -1, std::nullopt, 0},
    };
    for (const SideShape& c : cases) {
        for (unsigned seed = 1; seed <= 5; ++seed) {
            const std::vector<std::uint8_t> side = makeSide(c, seed);
            const std::optional<int> found = detectBottom(side);
            SCOPED_TRACE(c.name + " seed " + std::to_string(seed));
            ASSERT_EQ(found.has_value(), c.expected.has_value())
                << (found ? "found at " + std::to_string(*found) : "found none");
            if (c.expected) {
                EXPECT_NEAR(*found, *c.expected, c.tolerance);
            }
        }
    }
}
}  // namespace
