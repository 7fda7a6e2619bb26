#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "survey/PingBottom.h"

namespace {
constexpr int kSide = 1000;

// A ping in the program's layout (port half outermost first): water column (value 6) up to
// each side's bottom, then a seabed whose value names the slant sample it came from, so a
// re-laid pixel shows which sample it took. No bottom: the whole side is water.
std::vector<std::uint8_t> ping(std::optional<int> portBottom, std::optional<int> stbdBottom) {
    std::vector<std::uint8_t> p(2 * kSide);
    for (int i = 0; i < kSide; ++i) {
        const auto seabed = static_cast<std::uint8_t>(60 + i % 190);
        p[kSide - 1 - i] = portBottom && i >= *portBottom ? seabed : 6;
        p[kSide + i] = stbdBottom && i >= *stbdBottom ? seabed : 6;
    }
    return p;
}

TEST(PingBottomTest, SidesAreReadFromTheFishOutward) {
    const std::vector<std::uint8_t> p = ping(300, 120);
    PingSides sides;
    sides.split(p);
    ASSERT_EQ(sides.port().size(), static_cast<std::size_t>(kSide));
    EXPECT_EQ(sides.port()[299], 6);
    EXPECT_EQ(sides.port()[300], 60 + 300 % 190);
    const BottomPair b = detectBottoms(sides);
    EXPECT_EQ(b.port, 300);
    EXPECT_EQ(b.starboard, 120);
    EXPECT_EQ(b.nearer(), 120);
}

TEST(PingBottomTest, AltitudeHoldKeepsTheLastOneForALimitedRun) {
    AltitudeHold hold(2);
    const struct {
        std::optional<double> found;
        std::optional<double> expected;
    } steps[] = {
        {std::nullopt, std::nullopt},  // nothing found yet: nothing to hold
        {4.0, 4.0},
        {std::nullopt, 4.0},
        {std::nullopt, 4.0},
        {std::nullopt, std::nullopt},  // held for two pings, then given up
        {std::nullopt, std::nullopt},  // and not taken up again
        {5.5, 5.5},
        {std::nullopt, 5.5},  // a new altitude starts a new run
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(hold.next(steps[i].found), steps[i].expected) << "step " << i;
    }
}

TEST(PingBottomTest, ASideWithoutBottomTakesThePingsAltitude) {
    // 0.05 m a sample; one hold across the whole sequence.
    AltitudeHold hold(1);
    const struct {
        const char* what;
        std::optional<int> port, starboard;
        std::optional<double> stated;
        std::optional<double> expectPort, expectStarboard;
    } steps[] = {
        {"each side its own", 100, 120, 3.0, 5.0, 6.0},
        {"the nearer side's bottom", std::nullopt, 110, 3.0, 5.5, 5.5},
        {"the file's altitude", std::nullopt, std::nullopt, 3.0, 3.0, 3.0},
        {"held from the ping before", std::nullopt, std::nullopt, std::nullopt, 3.0, 3.0},
        {"hold run out", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& s : steps) {
        const SideAltitudes a = sideAltitudes({s.port, s.starboard}, 0.05, s.stated, hold);
        ASSERT_EQ(a.port.has_value(), s.expectPort.has_value()) << s.what;
        ASSERT_EQ(a.starboard.has_value(), s.expectStarboard.has_value()) << s.what;
        if (a.port) {
            EXPECT_NEAR(*a.port, *s.expectPort, 1e-9) << s.what;
            EXPECT_NEAR(*a.starboard, *s.expectStarboard, 1e-9) << s.what;
        }
    }
}

// The re-laid pixel k of a side at altitude h (in samples), as the flat-seabed geometry says:
// the sample at slant sqrt((k + 0.5)^2 + h^2), no data in the gap and past the last sample.
int expectedPixel(int k, int h) {
    const double d = k + 0.5;
    const double slant = std::sqrt(d * d + double(h) * h);
    if (d < std::sqrt(double(h + 1) * (h + 1) - double(h) * h) || slant >= kSide) {
        return 0;
    }
    return 60 + static_cast<int>(slant) % 190;
}

TEST(PingBottomTest, RelayerLaysEachSideOnTheSeabedAtItsOwnBottom) {
    PingRelayer relayer;
    const std::vector<std::uint8_t> in = ping(200, 150);
    const std::span<const std::uint8_t> relaid = relayer.relay(in);
    const std::vector<std::uint8_t> out(relaid.begin(), relaid.end());
    ASSERT_EQ(out.size(), in.size());
    // Starboard at its bottom of 150 samples, port at 200, mirrored into its half.
    for (int k : {0, 10, 16, 17, 18, 19, 20, 21, 400, 987, 988, 989, 999}) {
        EXPECT_EQ(out[kSide + k], expectedPixel(k, 150)) << "starboard pixel " << k;
        EXPECT_EQ(out[kSide - 1 - k], expectedPixel(k, 200)) << "port pixel " << k;
    }
    EXPECT_EQ(out[kSide], 0);       // under the fish
    EXPECT_NE(out[kSide + 30], 0);  // seabed right past the gap, the water column gone
}

TEST(PingBottomTest, RelayerHoldsTheBottomThroughAShortDropoutOnly) {
    PingRelayer relayer;
    const std::vector<std::uint8_t> found = ping(200, 200);
    const std::vector<std::uint8_t> lost = ping(std::nullopt, std::nullopt);
    relayer.relay(found);
    // Without a bottom the water column is re-laid at the last altitude: all water, no gap
    // filled with seabed, and not no data either.
    const std::span<const std::uint8_t> held = relayer.relay(lost);
    EXPECT_EQ(held[kSide + 400], 6);
    EXPECT_EQ(held[kSide + 5], 0);
    for (int i = 1; i < AltitudeHold::kMaxHeldPings; ++i) {
        relayer.relay(lost);
    }
    const std::span<const std::uint8_t> given = relayer.relay(lost);
    EXPECT_TRUE(std::all_of(given.begin(), given.end(), [](std::uint8_t v) { return v == 0; }));
}
}  // namespace
