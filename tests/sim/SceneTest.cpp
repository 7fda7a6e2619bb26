#include "headsim/Scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "acquisition/SwitchCommand.h"
#include "headsim/TargetField.h"

namespace {

using headsim::Footprint;
using headsim::Scene;
using headsim::SceneSettings;
using headsim::TargetField;

constexpr std::size_t kHalf = 1000;

std::vector<std::uint8_t> line(const Scene& scene, std::uint64_t ping, bool starboard,
                               const SceneSettings& s) {
    std::vector<std::uint8_t> out(kHalf);
    scene.render(ping, starboard, s, out.data(), out.size());
    return out;
}

double mean(const std::vector<std::uint8_t>& v, std::size_t from = 0, std::size_t to = kHalf) {
    to = std::min(to, v.size());
    return from >= to ? 0.0 : std::accumulate(v.begin() + from, v.begin() + to, 0.0) / (to - from);
}

// Mean of one side over many pings: speckle averages out.
double sideMean(const Scene& scene, bool starboard, const SceneSettings& s) {
    double sum = 0;
    for (std::uint64_t p = 0; p < 40; ++p) {
        sum += mean(line(scene, p * 7, starboard, s));
    }
    return sum / 40;
}

std::size_t sampleAt(double slantMetres, int rangeIndex) {
    return static_cast<std::size_t>(slantMetres / rangeMetres(rangeIndex) * kHalf);
}

double slantOf(double groundMetres, double altitude) {
    return std::sqrt(groundMetres * groundMetres + altitude * altitude);
}

TEST(SceneTest, SameSeedGivesTheSameEchoesAndAnotherSeedDiffers) {
    const SceneSettings s;
    EXPECT_EQ(line(Scene(5), 42, true, s), line(Scene(5), 42, true, s));
    EXPECT_NE(line(Scene(5), 42, true, s), line(Scene(6), 42, true, s));
    EXPECT_NE(line(Scene(5), 42, true, s), line(Scene(5), 43, true, s));
}

TEST(SceneTest, WaterColumnIsDarkAndFirstBottomIsBright) {
    const Scene scene(1);
    const SceneSettings s;
    for (std::uint64_t ping : {0u, 150u, 400u}) {
        for (bool starboard : {false, true}) {
            const double a = scene.altitude(ping, starboard);
            ASSERT_GE(a, 6.0);
            ASSERT_LE(a, 12.0);
            const auto echoes = line(scene, ping, starboard, s);
            const std::size_t bottom = sampleAt(a, s.rangeIndex);
            EXPECT_LT(mean(echoes, 0, bottom - 2), 12.0);
            EXPECT_GT(mean(echoes, bottom + 1, bottom + 8), 150.0);
            EXPECT_GT(mean(echoes, bottom + 100, kHalf), 30.0) << "the seabed returns echoes";
        }
    }
}

TEST(SceneTest, AltitudeVariesAlongTrack) {
    const Scene scene(1);
    double lo = 100;
    double hi = 0;
    for (std::uint64_t p = 0; p < 2000; p += 10) {
        lo = std::min(lo, scene.altitude(p, true));
        hi = std::max(hi, scene.altitude(p, true));
    }
    EXPECT_GT(hi - lo, 2.0);
}

TEST(SceneTest, FirstBottomMovesToOtherSamplesWhenTheRangeChanges) {
    const Scene scene(1);
    const double a = scene.altitude(200, false);
    for (int rangeIndex : {5, 9, 12, 15}) {
        SceneSettings s;
        s.rangeIndex = rangeIndex;
        const auto echoes = line(scene, 200, false, s);
        const auto first =
            std::find_if(echoes.begin(), echoes.end(), [](std::uint8_t v) { return v > 60; });
        const auto found = static_cast<double>(first - echoes.begin());
        EXPECT_NEAR(found, a / rangeMetres(rangeIndex) * kHalf, 2.0) << "range " << rangeIndex;
    }
}

TEST(SceneTest, HigherGainIsBrighter) {
    const Scene scene(1);
    SceneSettings s;
    std::vector<double> means;
    for (int gain : {0, 40, 70, 100}) {
        s.dataGain = gain;
        means.push_back(sideMean(scene, true, s));
    }
    EXPECT_LT(means[0], 5.0);
    EXPECT_LT(means[0], means[1]);
    EXPECT_LT(means[1], means[2]);
    EXPECT_LT(means[2], means[3]);
}

TEST(SceneTest, BalanceShiftsStrengthBetweenSides) {
    const Scene scene(1);
    SceneSettings equal;
    SceneSettings toStarboard;
    toStarboard.gainBalance = 50;
    SceneSettings toPort;
    toPort.gainBalance = 10;
    EXPECT_GT(sideMean(scene, true, toStarboard), 1.2 * sideMean(scene, true, equal));
    EXPECT_LT(sideMean(scene, false, toStarboard), 0.85 * sideMean(scene, false, equal));
    EXPECT_GT(sideMean(scene, false, toPort), 1.2 * sideMean(scene, false, equal));
    EXPECT_LT(sideMean(scene, true, toPort), 0.85 * sideMean(scene, true, equal));
    // Equal balance favours neither side by much.
    const double ratio = sideMean(scene, true, equal) / sideMean(scene, false, equal);
    EXPECT_GT(ratio, 0.75);
    EXPECT_LT(ratio, 1.33);
}

TEST(SceneTest, EchoFallsWithDistanceAndFasterInHighMode) {
    const Scene scene(1);
    SceneSettings low;
    low.rangeIndex = 13;
    SceneSettings high = low;
    high.modeFreq = 2;
    double nearLow = 0, farLow = 0, farHigh = 0;
    for (std::uint64_t p = 0; p < 40; ++p) {
        const auto a = line(scene, p * 11, true, low);
        nearLow += mean(a, 150, 350);
        farLow += mean(a, 800, 1000);
        farHigh += mean(line(scene, p * 11, true, high), 800, 1000);
    }
    EXPECT_LT(farLow, nearLow);
    EXPECT_LT(farHigh, 0.8 * farLow);
}

// The first object of some ping whose footprint lies well inside the given range.
bool findTarget(const Scene& scene, const TargetField& field, double maxGround, std::uint64_t& ping,
                Footprint& target) {
    for (ping = 0; ping < 2000; ++ping) {
        const double y = static_cast<double>(ping) * Scene::kMetresPerPing;
        const double a = scene.altitude(ping, true);
        for (const Footprint& f : field.footprintsAt(y, true, a)) {
            if (f.farX - f.nearX > 1.0 && f.shadowEndX - f.farX > 2.0 && f.shadowEndX < maxGround) {
                target = f;
                return true;
            }
        }
    }
    return false;
}

TEST(SceneTest, TargetIsBrightWithADarkShadowAtFixedMetres) {
    const Scene scene(1);
    const TargetField field(1);
    std::uint64_t ping = 0;
    Footprint f;
    ASSERT_TRUE(findTarget(scene, field, 45.0, ping, f));
    const double a = scene.altitude(ping, true);
    for (int rangeIndex : {9, 12}) {
        SceneSettings s;
        s.rangeIndex = rangeIndex;
        const auto echoes = line(scene, ping, true, s);
        const std::size_t objectFrom = sampleAt(slantOf(f.nearX, a), rangeIndex);
        const std::size_t objectTo = sampleAt(slantOf(f.farX, a), rangeIndex);
        const std::size_t shadowFrom = objectTo + 2;
        const std::size_t shadowTo = sampleAt(slantOf(f.shadowEndX, a), rangeIndex) - 1;
        ASSERT_LT(shadowFrom, shadowTo);
        const double seabedBefore = mean(echoes, objectFrom - 40, objectFrom - 2);
        EXPECT_GT(mean(echoes, objectFrom, objectTo + 1), 1.5 * seabedBefore)
            << "range " << rangeIndex;
        EXPECT_LT(mean(echoes, shadowFrom, shadowTo), 12.0) << "range " << rangeIndex;
        EXPECT_GT(mean(echoes, shadowTo + 3, shadowTo + 40), 18.0) << "seabed after the shadow";
    }
}

TEST(SceneTest, ShadowGrowsAsTheAltitudeFalls) {
    const TargetField field(1);
    const Scene scene(1);
    std::uint64_t ping = 0;
    Footprint f;
    ASSERT_TRUE(findTarget(scene, field, 200.0, ping, f));
    const double y = static_cast<double>(ping) * Scene::kMetresPerPing;
    const auto high = field.footprintsAt(y, true, 12.0);
    const auto low = field.footprintsAt(y, true, 6.0);
    ASSERT_FALSE(high.empty());
    ASSERT_EQ(high.size(), low.size());
    for (std::size_t i = 0; i < high.size(); ++i) {
        const double h = high[i].shadowEndX - high[i].farX;
        const double l = low[i].shadowEndX - low[i].farX;
        EXPECT_GT(h, 0.0);
        EXPECT_GT(l, h);
        EXPECT_EQ(low[i].farX, high[i].farX) << "the object itself does not move";
    }
}

TEST(SceneTest, OutOfRangeSettingsAreClampedNotFatal) {
    const Scene scene(1);
    SceneSettings wild;
    wild.rangeIndex = 200;
    wild.modeFreq = 77;
    wild.dataGain = 250;
    wild.gainBalance = 255;
    SceneSettings clamped;
    clamped.rangeIndex = 15;
    clamped.modeFreq = 2;
    clamped.dataGain = 100;
    clamped.gainBalance = 60;
    EXPECT_EQ(line(scene, 3, true, wild), line(scene, 3, true, clamped));
    scene.render(3, true, wild, nullptr, 1000);
}

}  // namespace
