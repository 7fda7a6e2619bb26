// kbfile mosaic and render --slant-range through the real binary, their output read back by
// GDAL's own readers and positions checked through PROJ, not through our projection.
#include <gtest/gtest.h>

#include <gdal.h>
#include <ogr_srs_api.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kbfile/KbfileProcess.h"
#include "kbfile/NmeaSentences.h"
#include "kbfile/ProjCheck.h"

namespace {
using namespace kbfile_test;

constexpr double kLat = 50.0;
constexpr double kLon = 3.0;  // zone 31 north
constexpr int kPings = 200;
constexpr double kSpacing = 0.2;                 // metres between pings, due north
constexpr double kLatPerMetre = 1.0 / 111229.0;  // near 50 N
constexpr int kSide = 1000;   // samples a side; range index 9 is 50 m: 5 cm a sample
constexpr int kBottom = 100;  // the fish 5 m above the seabed
constexpr std::uint8_t kWater = 40, kPort = 150, kStarboard = 200;

// A recording of a straight line due north: water column to the bottom, then an even seabed of
// one value a side. The GPS gives a fix every fifth ping (RMC), as a slow receiver would.
std::vector<PingRecord> surveyLine(bool withPositions, int bottom = kBottom) {
    std::vector<PingRecord> list = pings(kPings, 2 * kSide);
    for (int i = 0; i < kPings; ++i) {
        PingRecord& rec = list[i];
        std::uint8_t* s = rec.ping.samples();
        for (int k = 0; k < kSide; ++k) {
            s[kSide - 1 - k] = k < bottom ? kWater : kPort;
            s[kSide + k] = k < bottom ? kWater : kStarboard;
        }
        if (withPositions && i % 5 == 0) {
            rec.sentenceSet = GpsSentenceSet::Rmc;
            rec.fix.tickSentences[0] = kbfile::rmcSentence(
                {kLat + i * kSpacing * kLatPerMetre, kLon}, 4.0, 0.0, rec.timeText, rec.dateText);
        }
    }
    return list;
}

struct Closer {
    void operator()(void* d) const { GDALClose(d); }
};
using Dataset = std::unique_ptr<void, Closer>;

Dataset open(const std::string& path) {
    GDALAllRegister();
    return Dataset(GDALOpen(path.c_str(), GA_ReadOnly));
}

// What GDAL says about a mosaic: its EPSG code, extent and bands.
struct MosaicFile {
    int epsg = 0;
    bool projected = false;
    double west = 0, east = 0, south = 0, north = 0, cell = 0;
    int width = 0, height = 0;
    bool noDataIsZero = false;
    bool alphaBand = false;
    Dataset ds;

    // Band 1 and band 2 at a point in the grid's metres.
    std::pair<int, int> at(double easting, double northing) const {
        const int col = static_cast<int>((easting - west) / cell);
        const int row = static_cast<int>((north - northing) / cell);
        if (col < 0 || row < 0 || col >= width || row >= height) {
            return {-1, -1};
        }
        std::uint8_t v = 0, a = 0;
        const bool read = GDALRasterIO(GDALGetRasterBand(ds.get(), 1), GF_Read, col, row, 1, 1, &v,
                                       1, 1, GDT_Byte, 0, 0) == CE_None &&
                          GDALRasterIO(GDALGetRasterBand(ds.get(), 2), GF_Read, col, row, 1, 1, &a,
                                       1, 1, GDT_Byte, 0, 0) == CE_None;
        return read ? std::pair<int, int>{v, a} : std::pair<int, int>{-2, -2};
    }
};

MosaicFile readMosaic(const std::string& path) {
    MosaicFile m;
    m.ds = open(path);
    if (!m.ds || GDALGetRasterCount(m.ds.get()) != 2) {
        ADD_FAILURE() << path << " is no two-band raster GDAL can open";
        return m;
    }
    OGRSpatialReferenceH srs = OSRNewSpatialReference(GDALGetProjectionRef(m.ds.get()));
    OSRAutoIdentifyEPSG(srs);
    m.projected = OSRIsProjected(srs);
    const char* code = OSRGetAuthorityCode(srs, nullptr);
    m.epsg = code ? std::atoi(code) : 0;
    OSRDestroySpatialReference(srs);
    double t[6] = {};
    GDALGetGeoTransform(m.ds.get(), t);
    m.width = GDALGetRasterXSize(m.ds.get());
    m.height = GDALGetRasterYSize(m.ds.get());
    m.cell = t[1];
    m.west = t[0];
    m.east = t[0] + m.width * t[1];
    m.north = t[3];
    m.south = t[3] + m.height * t[5];
    int hasNoData = 0;
    const double noData = GDALGetRasterNoDataValue(GDALGetRasterBand(m.ds.get(), 1), &hasNoData);
    m.noDataIsZero = hasNoData && noData == 0.0;
    m.alphaBand =
        GDALGetRasterColorInterpretation(GDALGetRasterBand(m.ds.get(), 2)) == GCI_AlphaBand;
    return m;
}

class KbfileMosaic : public Kbfile {
  protected:
    std::string line(const std::string& name, bool withPositions = true, int bottom = kBottom) {
        const std::string path = dir.file(name);
        writeFile(path, SourceKind::Dsx, surveyLine(withPositions, bottom));
        return path;
    }
};

TEST_F(KbfileMosaic, ASurveyLineBecomesAGeoTiffInItsUtmZone) {
    const std::string in = line("line.dsx");
    const std::string out = dir.file("line.tif");
    const ProcessResult r = run({"mosaic", in, out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("EPSG:32631"), std::string::npos) << r.out;
    // 0.2 m between pings, 5 cm samples: the cell follows the pings.
    EXPECT_NE(r.out.find("Resolution:  0.2 m (chosen"), std::string::npos) << r.out;

    const MosaicFile m = readMosaic(out);
    EXPECT_TRUE(m.projected);
    EXPECT_EQ(m.epsg, 32631);
    EXPECT_DOUBLE_EQ(m.cell, 0.2);
    EXPECT_TRUE(m.noDataIsZero);
    EXPECT_TRUE(m.alphaBand);
    // The line from its first to its last fix, 50 m of range either side. The first metre
    // waits for a course (the pings there are not placed).
    const auto [e0, n0] = projectWithProj(32631, kLat, kLon);
    const auto [e1, n1] =
        projectWithProj(32631, kLat + (kPings - 5) * kSpacing * kLatPerMetre, kLon);
    EXPECT_NEAR(m.west, std::min(e0, e1) - 50.0, 0.5);
    EXPECT_NEAR(m.east, std::max(e0, e1) + 50.0, 0.5);
    EXPECT_NEAR(m.north, n1 + 50.0, 1.0);
    EXPECT_NEAR(m.south, n0 + 1.0 - 50.0, 1.0);

    // Halfway up the line: starboard east, port west, the nadir gap between, nothing past the
    // ground reach of sqrt(50^2 - 5^2) = 49.75 m.
    const double mid = 0.5 * (n0 + n1);
    EXPECT_EQ(m.at(e0 + 20.0, mid), std::make_pair(int{kStarboard}, 255));
    EXPECT_EQ(m.at(e0 - 20.0, mid), std::make_pair(int{kPort}, 255));
    EXPECT_EQ(m.at(e0 + 49.0, mid), std::make_pair(int{kStarboard}, 255));
    EXPECT_EQ(m.at(e0 + 0.1, mid), std::make_pair(0, 0));
    EXPECT_EQ(m.at(e0 - 49.9, mid), std::make_pair(0, 0));
    // Every cell along the line at 30 m is drawn: no stripes between the pings.
    for (double north = n0 + 2.0; north < n1 - 1.0; north += 0.2) {
        ASSERT_EQ(m.at(e0 + 30.0, north).first, kStarboard) << north - n0;
    }
}

TEST_F(KbfileMosaic, WhatCannotBeMappedGetsOneLineAndNoFile) {
    const std::string good = line("good.dsx");
    const std::string bare = line("bare.dsx", false);
    const std::string out = dir.file("out.tif");
    const struct {
        std::vector<std::string> args;
        int code;
        std::string line;
    } cases[] = {
        {{"mosaic", bare, out},
         1,
         "kbfile: " + bare + ": no GPS positions, so its pings cannot be placed on a map"},
        {{"mosaic", good, bare, out},
         1,
         "kbfile: " + bare + ": no GPS positions, so its pings cannot be placed on a map"},
        {{"mosaic", good, dir.file("out.png")},
         1,
         "kbfile: " + dir.file("out.png") + ": unknown extension (expected .tif)"},
        {{"mosaic", good, out, "--resolution", "0"},
         2,
         "kbfile mosaic: --resolution wants metres from 0.01 to 1000"},
        {{"mosaic", out},
         2,
         "kbfile mosaic: wants one or more files and the output (try 'kbfile "
         "mosaic --help')"},
    };
    for (const auto& c : cases) {
        expectFailure(c.args, c.code, c.line);
        EXPECT_FALSE(std::filesystem::exists(out)) << c.line;
        EXPECT_FALSE(std::filesystem::exists(out + ".part")) << c.line;
    }
}

TEST_F(KbfileMosaic, TheThirdPartyFileMapsWhereItsFixesAre) {
    const std::string in = std::string(TEST_DATA_DIR) + "/xtf/scotsman-iver2-first160.xtf";
    const std::string out = dir.file("scotsman.tif");
    const ProcessResult r = run({"mosaic", in, out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const MosaicFile m = readMosaic(out);
    EXPECT_TRUE(m.projected);
    EXPECT_EQ(m.epsg, 32619);  // 68.8 W
    EXPECT_TRUE(m.noDataIsZero);
    EXPECT_TRUE(m.alphaBand);
    // The first and last fix (read by tests/data/xtf/read_xtf.py) lie inside, with about the
    // 30 m slant range of the sonar on every side; the whole is some 20 m of track wide.
    for (const auto& [lat, lon] :
         {std::pair{48.44545000, -68.82793500}, std::pair{48.44559667, -68.82806333}}) {
        const auto [e, n] = projectWithProj(32619, lat, lon);
        EXPECT_GT(e - m.west, 20.0);
        EXPECT_GT(m.east - e, 20.0);
        EXPECT_GT(n - m.south, 20.0);
        EXPECT_GT(m.north - n, 20.0);
    }
    EXPECT_LT(m.east - m.west, 100.0);
    EXPECT_LT(m.north - m.south, 100.0);
    // Most of the swath holds data.
    std::vector<std::uint8_t> alpha(static_cast<std::size_t>(m.width) * m.height);
    ASSERT_EQ(GDALRasterIO(GDALGetRasterBand(m.ds.get(), 2), GF_Read, 0, 0, m.width, m.height,
                           alpha.data(), m.width, m.height, GDT_Byte, 0, 0),
              CE_None);
    const auto drawn = std::count(alpha.begin(), alpha.end(), 255);
    EXPECT_GT(drawn * m.cell * m.cell, 0.5 * 19.0 * 55.0);  // track length x ground swath
}

TEST_F(KbfileMosaic, InfoReportsTheAltitudeTrack) {
    const std::string thirdParty = std::string(TEST_DATA_DIR) + "/xtf/scotsman-iver2-first160.xtf";
    const struct {
        std::string file;
        std::vector<std::string> lines;
    } cases[] = {
        {line("line.dsx"),
         {"Bottom:      found in 200 of 200 pings (100%); port 100%, starboard 100%\n",
          "Altitude:    min 5.00 m, median 5.00 m, max 5.00 m (first bottom return)\n"}},
        {goodFile("flat.dsx", SourceKind::Dsx, 4),
         {"Bottom:      no first bottom return found in any of 4 pings\n"}},
        // The altitude the file records, as tests/data/xtf/read_xtf.py's reading gives it
        // (159 pings state one; the first has 0).
        {thirdParty,
         {"Altimeter:   min 6.59 m, median 8.91 m, max 11.45 m (as the file records it, 159 "
          "pings)\n"}},
    };
    for (const auto& c : cases) {
        const ProcessResult r = run({"info", c.file});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        for (const std::string& l : c.lines) {
            EXPECT_NE(r.out.find(l), std::string::npos) << c.file << " lacks " << l << r.out;
        }
        EXPECT_EQ(r.out.find("Altitude:") != std::string::npos,
                  r.out.find("Bottom:      found") != std::string::npos)
            << r.out;
    }
}

TEST_F(KbfileMosaic, SlantRangeRenderRemovesTheWaterColumn) {
    // The fish 300 samples up: a wide water column to remove.
    const std::string in = line("line.dsx", false, 300);
    const std::string plain = dir.file("plain.png");
    const std::string slant = dir.file("slant.png");
    ASSERT_EQ(run({"render", in, plain, "--width", "400"}).exitCode, 0);
    const ProcessResult r = run({"render", in, slant, "--width", "400", "--slant-range"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // Row 100, palette indices; 200 pixels a side of 5 samples each.
    auto row = [](const std::string& png) {
        const Dataset ds = open(png);
        std::vector<std::uint8_t> px(400);
        EXPECT_TRUE(ds && GDALRasterIO(GDALGetRasterBand(ds.get(), 1), GF_Read, 0, 100, 400, 1,
                                       px.data(), 400, 1, GDT_Byte, 0, 0) == CE_None);
        return px;
    };
    const std::vector<std::uint8_t> before = row(plain), after = row(slant);
    const std::uint8_t seabed = before[200 + 150];  // starboard sample 750
    const std::uint8_t water = before[200 + 30];    // sample 150, above the bottom at 300
    ASSERT_NE(seabed, water);
    // 30 px out is 150 samples of ground: slant sqrt(150^2 + 300^2) = 335, the seabed.
    EXPECT_EQ(after[200 + 30], seabed);
    EXPECT_EQ(after[199 - 30], before[199 - 150]);
    // Under the fish (ground closer than sqrt(301^2 - 300^2) = 24.5 samples) and past the
    // ground reach (sqrt(1000^2 - 300^2) = 954 samples): no data, drawn in a colour of its own.
    const std::uint8_t none = after[200];
    EXPECT_NE(none, seabed);
    EXPECT_NE(none, water);
    for (int px : {197, 199, 201, 203, 0, 3, 396, 399}) {
        EXPECT_EQ(after[px], none) << px;
    }
    EXPECT_EQ(std::count(after.begin(), after.end(), water), 0);
}
}  // namespace
