#include <gtest/gtest.h>

#include <gdal.h>
#include <ogr_srs_api.h>

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kbfile/GeoTiffWriter.h"
#include "kbfile/ProjCheck.h"
#include "survey/TrackPlacer.h"

namespace {
namespace fs = std::filesystem;

struct TempDir {
    fs::path path = fs::temp_directory_path() / ("kb_geotiff_" + std::to_string(::getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
};

// A straight track due south at 33.9 S 151.2 E (zone 56 south): 120 pings 0.5 m apart, 300
// samples of 0.1 m a side, the fish 4 m up, 0.5 m cells.
MosaicAccumulator southernTrack() {
    TrackPlacer placer;
    MosaicExtent extent;
    std::vector<PlacedPing> pings;
    for (int i = 0; i < 120; ++i) {
        if (auto p = placer.place({-33.9 - i * 0.5 / 110900.0, 151.2, std::nullopt})) {
            extent.add(p->position, 30.0);
            pings.push_back(*p);
        }
    }
    std::string error;
    const auto grid = extent.grid(*placer.zone(), 0.5, 10'000'000, &error);
    EXPECT_TRUE(grid) << error;
    MosaicAccumulator mosaic(*grid);
    const std::vector<std::uint8_t> port(300, 90), starboard(300, 180);
    for (const PlacedPing& p : pings) {
        mosaic.addPing(p, {port, 0.1, 4.0}, {starboard, 0.1, 4.0});
    }
    return mosaic;
}

struct Closer {
    void operator()(void* d) const { GDALClose(d); }
};

TEST(GeoTiffWriterTest, MosaicReadsBackThroughGdalWithCrsExtentAndNoData) {
    TempDir dir;
    const std::string path = (dir.path / "mosaic.tif").string();
    const MosaicAccumulator mosaic = southernTrack();
    std::string error;
    ASSERT_TRUE(GeoTiffWriter().write(mosaic, path, &error)) << error;
    EXPECT_FALSE(fs::exists(path + ".part"));

    GDALAllRegister();
    std::unique_ptr<void, Closer> ds(GDALOpen(path.c_str(), GA_ReadOnly));
    ASSERT_TRUE(ds);
    const MosaicGrid& g = mosaic.grid();
    EXPECT_EQ(GDALGetRasterXSize(ds.get()), g.width);
    EXPECT_EQ(GDALGetRasterYSize(ds.get()), g.height);
    ASSERT_EQ(GDALGetRasterCount(ds.get()), 2);

    OGRSpatialReferenceH srs = OSRNewSpatialReference(GDALGetProjectionRef(ds.get()));
    ASSERT_NE(srs, nullptr);
    OSRAutoIdentifyEPSG(srs);
    EXPECT_TRUE(OSRIsProjected(srs));
    EXPECT_STREQ(OSRGetAuthorityCode(srs, nullptr), "32756");
    OSRDestroySpatialReference(srs);

    double t[6];
    ASSERT_EQ(GDALGetGeoTransform(ds.get(), t), CE_None);
    EXPECT_DOUBLE_EQ(t[1], 0.5);
    EXPECT_DOUBLE_EQ(t[5], -0.5);
    // The extent is the track's ends, projected by PROJ, widened by the 30 m reach (the first
    // pings wait for a course, so the north edge may sit up to a metre lower).
    const std::vector<std::pair<double, double>> ends =
        projectWithProj(32756, {{-33.9, 151.2}, {-33.9 - 119 * 0.5 / 110900.0, 151.2}});
    const double west = std::min(ends[0].first, ends[1].first) - 30.0;
    const double east = std::max(ends[0].first, ends[1].first) + 30.0;
    EXPECT_NEAR(t[0], west, 0.5);
    EXPECT_NEAR(t[0] + g.width * 0.5, east, 0.5);
    EXPECT_NEAR(t[3], ends[0].second + 30.0, 1.5);
    EXPECT_NEAR(t[3] - g.height * 0.5, ends[1].second - 30.0, 0.5);

    GDALRasterBandH value = GDALGetRasterBand(ds.get(), 1);
    int hasNoData = 0;
    EXPECT_EQ(GDALGetRasterNoDataValue(value, &hasNoData), 0.0);
    EXPECT_TRUE(hasNoData);
    EXPECT_EQ(GDALGetRasterColorInterpretation(GDALGetRasterBand(ds.get(), 2)), GCI_AlphaBand);

    // A southbound track: starboard lies west. Sample one row across the middle of the track.
    std::vector<std::uint8_t> row(g.width), alpha(g.width);
    const int mid = g.height / 2;
    ASSERT_EQ(
        GDALRasterIO(value, GF_Read, 0, mid, g.width, 1, row.data(), g.width, 1, GDT_Byte, 0, 0),
        CE_None);
    ASSERT_EQ(GDALRasterIO(GDALGetRasterBand(ds.get(), 2), GF_Read, 0, mid, g.width, 1,
                           alpha.data(), g.width, 1, GDT_Byte, 0, 0),
              CE_None);
    EXPECT_EQ(row[10], 180);
    EXPECT_EQ(row[g.width - 10], 90);
    EXPECT_EQ(row[g.width / 2], 0);  // the nadir gap under the track
    for (int c = 0; c < g.width; ++c) {
        ASSERT_EQ(alpha[c], row[c] == 0 ? 0 : 255) << c;
    }
}

TEST(GeoTiffWriterTest, ZoneProjectionAgreesWithProj) {
    // Points past the zone 31 boundary, forced into zone 31 as a mosaic that started west of the
    // boundary places them, and points well inside it.
    const std::vector<std::pair<double, double>> points = {{50.0, 6.5}, {51.3, 2.1}, {43.0, 3.0}};
    const auto proj = projectWithProj(32631, points);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const GridPoint p = projectIntoZone(points[i].first, points[i].second, {31, false});
        EXPECT_NEAR(p.easting, proj[i].first, 0.02) << i;
        EXPECT_NEAR(p.northing, proj[i].second, 0.02) << i;
    }
}

TEST(GeoTiffWriterTest, UnwritablePathFailsWithAReason) {
    const MosaicAccumulator mosaic = southernTrack();
    std::string error;
    EXPECT_FALSE(GeoTiffWriter().write(mosaic, "/nonexistent-dir/out.tif", &error));
    // One line; the caller names the file.
    EXPECT_EQ(error.rfind("cannot write the GeoTIFF: ", 0), 0u) << error;
    EXPECT_GT(error.size(), std::string("cannot write the GeoTIFF: ").size());
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
}
}  // namespace
