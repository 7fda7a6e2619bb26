#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "gps/Utm.h"
#include "survey/MosaicAccumulator.h"
#include "survey/TrackPlacer.h"

namespace {
constexpr double kMetresPerDegreeLatitude = 111200.0;  // close enough near 50 N for a track
constexpr double kLat = 50.0;
constexpr double kLon = 3.0;

struct Pass {
    double eastOffsetMetres;  // from the first pass, along the parallel
    bool northbound;
    std::uint8_t port;
    std::uint8_t starboard;
    bool portBottom = true;
};

// 200 pings 0.5 m apart, 500 samples of 0.1 m a side, the fish 5 m above the seabed.
struct Survey {
    std::vector<std::uint8_t> portSamples, starboardSamples;
    std::vector<PlacedPing> pings;
    std::vector<Pass> passes;
};

std::vector<PingFix> passFixes(const Pass& pass) {
    const double metresPerDegreeLon = kMetresPerDegreeLatitude * std::cos(kLat * M_PI / 180.0);
    std::vector<PingFix> fixes;
    for (int i = 0; i < 200; ++i) {
        const int step = pass.northbound ? i : 199 - i;
        fixes.push_back({kLat + step * 0.5 / kMetresPerDegreeLatitude,
                         kLon + pass.eastOffsetMetres / metresPerDegreeLon, std::nullopt});
    }
    return fixes;
}

struct Built {
    MosaicGrid grid;
    std::vector<std::uint8_t> values;
    std::vector<std::uint8_t> alpha;
    GridPoint start;  // first fix of the first pass, projected
    std::int64_t drawn = 0;
};

Built build(const std::vector<Pass>& passes, double resolution = 1.0) {
    constexpr int kSamples = 500;
    constexpr double kMetresPerSample = 0.1;
    TrackPlacer placer;
    MosaicExtent extent;
    struct Placed {
        PlacedPing ping;
        const Pass* pass;
    };
    std::vector<Placed> placed;
    for (const Pass& pass : passes) {
        for (const PingFix& fix : passFixes(pass)) {
            if (auto p = placer.place(fix)) {
                extent.add(p->position, kSamples * kMetresPerSample);
                placed.push_back({*p, &pass});
            }
        }
    }
    std::string error;
    const auto grid = extent.grid(*placer.zone(), resolution, 100'000'000, &error);
    EXPECT_TRUE(grid) << error;
    MosaicAccumulator mosaic(*grid);
    for (const Placed& p : placed) {
        const std::vector<std::uint8_t> port(kSamples, p.pass->port);
        const std::vector<std::uint8_t> stbd(kSamples, p.pass->starboard);
        mosaic.addPing(
            p.ping,
            {port, kMetresPerSample, p.pass->portBottom ? std::optional(5.0) : std::nullopt},
            {stbd, kMetresPerSample, 5.0});
    }
    const UtmZone zone = *placer.zone();
    return {*grid,
            {mosaic.values().begin(), mosaic.values().end()},
            mosaic.alpha(),
            projectIntoZone(kLat, kLon, zone),
            mosaic.pingsDrawn()};
}

// The value at a point given in metres east and north of the first fix.
int valueAt(const Built& b, double east, double north) {
    const int col =
        static_cast<int>(std::floor((b.start.easting + east - b.grid.west) / b.grid.resolution));
    const int row =
        static_cast<int>(std::floor((b.grid.north - b.start.northing - north) / b.grid.resolution));
    if (col < 0 || row < 0 || col >= b.grid.width || row >= b.grid.height) {
        return -1;
    }
    const std::size_t cell = static_cast<std::size_t>(row) * b.grid.width + col;
    EXPECT_EQ(b.alpha[cell], b.values[cell] == MosaicAccumulator::kNoData ? 0 : 255);
    return b.values[cell];
}

TEST(MosaicTest, StraightTrackLandsInItsZoneWithSwathAndNadirGap) {
    const Built b = build({{0.0, true, 100, 200}});
    EXPECT_EQ(b.grid.zone.epsgCode(), 32631);
    // The course needs a metre of track first: the first two pings are not oriented.
    EXPECT_GE(b.drawn, 197);
    EXPECT_LE(b.drawn, 198);
    // Extent: the 50 m reach either side of the ~100 m track, on whole metres.
    EXPECT_NEAR(b.grid.west, b.start.easting - 50.0, 1.0);
    EXPECT_NEAR(b.grid.width, 101, 1);
    EXPECT_NEAR(b.grid.north, b.start.northing + 99.5 + 50.0, 1.0);
    EXPECT_NEAR(b.grid.height, 200, 1);
    const auto t = b.grid.geoTransform();
    EXPECT_EQ(t[1], 1.0);
    EXPECT_EQ(t[5], -1.0);

    EXPECT_EQ(valueAt(b, 10.0, 50.0), 200);   // starboard of a northbound track is east
    EXPECT_EQ(valueAt(b, -10.0, 50.0), 100);  // port is west
    EXPECT_EQ(valueAt(b, 48.0, 50.0), 200);   // the ground reach is sqrt(50^2 - 5^2) = 49.75 m
    EXPECT_EQ(valueAt(b, 0.0, 50.0), MosaicAccumulator::kNoData);    // nadir gap
    EXPECT_EQ(valueAt(b, 10.0, -30.0), MosaicAccumulator::kNoData);  // behind the start
    // Along the track every cell of the swath is filled: no stripes between pings.
    for (double north = 2.0; north < 98.0; north += 1.0) {
        ASSERT_EQ(valueAt(b, 20.0, north), 200) << north;
    }
}

TEST(MosaicTest, SideWithoutBottomIsLeftEmpty) {
    const Built b = build({{0.0, true, 100, 200, false}});
    EXPECT_EQ(valueAt(b, -10.0, 50.0), MosaicAccumulator::kNoData);
    EXPECT_EQ(valueAt(b, 10.0, 50.0), 200);
}

TEST(MosaicTest, OverlapKeepsTheSampleNearestItsNadirWhateverTheOrder) {
    // Two passes 30 m apart, the second running south: between them each cell belongs to the
    // nearer track.
    const Pass west{0.0, true, 60, 100};
    const Pass east{30.0, false, 200, 250};
    for (const auto& order : {std::vector<Pass>{west, east}, std::vector<Pass>{east, west}}) {
        const Built b = build(order);
        EXPECT_EQ(b.grid.zone.epsgCode(), 32631);
        EXPECT_EQ(valueAt(b, 8.0, 50.0), 100);   // west track's starboard, 8 m from it
        EXPECT_EQ(valueAt(b, 22.0, 50.0), 250);  // east track's starboard (southbound: west)
        EXPECT_EQ(valueAt(b, 40.0, 50.0), 200);  // beyond the east track: its port
        EXPECT_EQ(valueAt(b, -20.0, 50.0), 60);
    }
}

TEST(MosaicTest, ZoneOfTheFirstFixHoldsAcrossABoundary) {
    // Agrees with the per-point projection inside its zone...
    const UtmZone z31 = utmZoneAt(50.0, 5.9);
    EXPECT_EQ(z31.epsgCode(), 32631);
    const GridPoint p = projectIntoZone(50.0, 5.9, z31);
    const UtmPoint q = LatLonToUtm(50.0, 5.9);
    EXPECT_NEAR(p.easting, q.easting, 0.01);
    EXPECT_NEAR(p.northing, q.northing, 0.01);
    // ...and keeps zone 31 past 6 E: eastings keep growing instead of jumping back.
    TrackPlacer placer;
    const auto a = placer.place({50.0, 5.999, 90.0});
    const auto b = placer.place({50.0, 6.001, 90.0});
    ASSERT_TRUE(a && b);
    EXPECT_EQ(placer.zone()->number, 31);
    EXPECT_NEAR(b->position.easting - a->position.easting, 143.3, 0.5);
    EXPECT_EQ(b->headingDegrees, 90.0);
    EXPECT_EQ(utmZoneAt(-33.9, 151.2).epsgCode(), 32756);
    EXPECT_EQ(utmZoneAt(60.0, 5.0).epsgCode(), 32632);  // the Norway exception
}

TEST(MosaicTest, OversizedGridIsRefusedWithAReason) {
    MosaicExtent extent;
    extent.add({500000.0, 5500000.0}, 50.0);
    extent.add({600000.0, 5600000.0}, 50.0);
    std::string error;
    EXPECT_FALSE(extent.grid({31, false}, 0.1, 100'000'000, &error));
    EXPECT_NE(error.find("coarser resolution"), std::string::npos);
    EXPECT_FALSE(MosaicExtent().grid({31, false}, 1.0, 100, &error));
}
}  // namespace

namespace {
TEST(MosaicTest, AYawingFishLeavesNoGapsAtLongRange) {
    // Pings 0.5 m apart heading north, the fish yawing up to 4 degrees either way, at random
    // from ping to ping: at 45 m the ends of consecutive pings lie metres apart, and their
    // lines cross within the swath, yet every cell between them is drawn.
    TrackPlacer placer;
    MosaicExtent extent;
    std::vector<PlacedPing> pings;
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> yaw(-4.0, 4.0);
    for (int i = 0; i < 120; ++i) {
        const double heading = std::fmod(360.0 + yaw(rng), 360.0);
        if (auto p = placer.place({kLat + i * 0.5 / kMetresPerDegreeLatitude, kLon, heading})) {
            extent.add(p->position, 50.0);
            pings.push_back(*p);
        }
    }
    std::string error;
    const auto grid = extent.grid(*placer.zone(), 0.25, 10'000'000, &error);
    ASSERT_TRUE(grid) << error;
    MosaicAccumulator mosaic(*grid);
    const std::vector<std::uint8_t> side(500, 140);
    for (const PlacedPing& p : pings) {
        mosaic.addPing(p, {side, 0.1, 5.0}, {side, 0.1, 5.0});
    }
    const GridPoint start = projectIntoZone(kLat, kLon, *placer.zone());
    int holes = 0;
    for (double north = 5.0; north < 55.0; north += 0.25) {
        for (double east : {-45.0, -30.0, 30.0, 45.0}) {
            const int col = static_cast<int>((start.easting + east - grid->west) / 0.25);
            const int row = static_cast<int>((grid->north - start.northing - north) / 0.25);
            holes += mosaic.values()[static_cast<std::size_t>(row) * grid->width + col] !=
                     std::uint8_t{140};
        }
    }
    EXPECT_EQ(holes, 0);
}

TEST(MosaicTest, ResolutionsAreRoundNumbersNearTheRequest) {
    const struct {
        double request, round, coarser;
    } cases[] = {
        {0.111, 0.1, 0.2}, {0.029, 0.025, 0.05}, {0.16, 0.2, 0.25},   {0.4, 0.5, 1.0},
        {3.3, 2.5, 5.0},   {0.0, 0.01, 0.02},    {1e6, 500.0, 500.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(roundResolution(c.request), c.round) << c.request;
        EXPECT_DOUBLE_EQ(coarserResolution(c.round), c.coarser) << c.request;
    }
}
}  // namespace
