#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "targets/TargetExport.h"
#include "targets/TargetJson.h"
#include "targets/TargetLog.h"

namespace fs = std::filesystem;

namespace {

// A mark 25 m to starboard of a ping going due north, a range to port without a course, and a
// height on a ping without any position.
std::vector<Target> sampleTargets() {
    Target mark;
    mark.kind = TargetKind::Mark;
    mark.side = TrackSide::Starboard;
    mark.rangeMetres = 25.0;
    mark.ping = 17;
    mark.date = "07-DEC-2026";
    mark.time = "09:05:03.042";
    mark.track = geodesy::LatLon{57.25, 11.5};
    mark.courseFrom = CourseFrom::Positions;
    mark.courseDegrees = 0.0;
    locate(mark);

    Target range = mark;
    range.kind = TargetKind::Range;
    range.side = TrackSide::Port;
    range.rangeMetres = 12.5;
    range.courseFrom = CourseFrom::None;
    range.courseDegrees.reset();
    range.ping.reset();
    locate(range);

    Target height = mark;
    height.kind = TargetKind::Height;
    height.heightMetres = 1.43;
    height.track.reset();
    locate(height);
    return {mark, range, height};
}

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class TargetListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("kbtargets-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        list = (dir / "survey.xtf.targets.jsonl").string();
    }
    void TearDown() override { fs::remove_all(dir); }
    void appendAll(const std::vector<Target>& targets) {
        for (const Target& t : targets) {
            ASSERT_FALSE(target_log::append(list, t));
        }
    }
    fs::path dir;
    std::string list;
};

TEST_F(TargetListTest, EveryTargetComesBackAsWrittenOneLineEach) {
    const std::vector<Target> written = sampleTargets();
    appendAll(written);
    const std::string text = readAll(list);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    const target_log::Contents back = target_log::read(list);
    ASSERT_FALSE(back.error);
    EXPECT_TRUE(back.warnings.empty());
    ASSERT_EQ(back.targets.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const Target& a = written[i];
        const Target& b = back.targets[i];
        EXPECT_EQ(b.kind, a.kind);
        EXPECT_EQ(b.side, a.side);
        EXPECT_EQ(b.ping, a.ping);
        EXPECT_EQ(b.time, a.time);
        EXPECT_EQ(b.date, a.date);
        EXPECT_NEAR(b.rangeMetres, a.rangeMetres, 1e-3);
        EXPECT_EQ(b.heightMetres.has_value(), a.heightMetres.has_value());
        EXPECT_EQ(b.courseFrom, a.courseFrom);
        EXPECT_EQ(b.offsetApplied, a.offsetApplied);
        ASSERT_EQ(b.position.has_value(), a.position.has_value());
        if (a.position) {
            EXPECT_NEAR(b.position->latitude, a.position->latitude, 1e-8);
            EXPECT_NEAR(b.position->longitude, a.position->longitude, 1e-8);
        }
    }
    // A target without a course stays on its track position and says so.
    EXPECT_FALSE(back.targets[1].offsetApplied);
    EXPECT_NEAR(back.targets[1].position->longitude, 11.5, 1e-9);
}

TEST_F(TargetListTest, TornLineIsSkippedWithAWarningAndLaterTargetsSurvive) {
    appendAll(sampleTargets());
    // Power lost in the middle of the third line.
    const std::string text = readAll(list);
    const std::size_t thirdStart = text.rfind('\n', text.size() - 2) + 1;
    fs::resize_file(list, thirdStart + 40);

    target_log::Contents back = target_log::read(list);
    ASSERT_EQ(back.targets.size(), 2u);
    ASSERT_EQ(back.warnings.size(), 1u);
    EXPECT_NE(back.warnings[0].find("line 3"), std::string::npos) << back.warnings[0];

    // The next target after the restart gets a line of its own.
    appendAll({sampleTargets()[0]});
    back = target_log::read(list);
    ASSERT_EQ(back.targets.size(), 3u);
    EXPECT_EQ(back.warnings.size(), 1u);
    EXPECT_EQ(back.targets[2].kind, TargetKind::Mark);

    EXPECT_EQ(target_log::parse("{\"type\":\"Feature\"}\nnot json\n[1,2]\n\n").warnings.size(), 3u);
}

TEST_F(TargetListTest, ListEditedByAnotherToolIsStillRead) {
    // Another writer: members in another order, spaces, escapes, a member we do not know.
    nlohmann::json f = nlohmann::json::parse(featureJson(sampleTargets()[0]));
    f["properties"]["note"] = "wreck \"A\"\n\u00e9";
    std::ofstream(list) << f.dump(2) << "\n";  // pretty-printed over several lines: not ours
    std::ofstream(list, std::ios::app) << f.dump() << "\r\n";
    const target_log::Contents back = target_log::read(list);
    ASSERT_EQ(back.targets.size(), 1u);
    EXPECT_FALSE(back.warnings.empty());
    EXPECT_EQ(back.targets[0].ping, 17u);
    EXPECT_TRUE(back.targets[0].offsetApplied);
}

TEST_F(TargetListTest, AListInAFolderThatCannotBeWrittenSaysWhy) {
    const std::optional<std::string> error =
        target_log::append((dir / "missing" / "x.targets.jsonl").string(), sampleTargets()[0]);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("No such file"), std::string::npos) << *error;
    EXPECT_TRUE(target_log::read((dir / "none.jsonl").string()).error);
}

TEST_F(TargetListTest, ExportsInEachFormat) {
    appendAll(sampleTargets());
    const Target mark = sampleTargets()[0];

    // GeoJSON: a FeatureCollection another parser reads, coordinates longitude first.
    ASSERT_FALSE(exportTargetList(list, (dir / "t.geojson").string()).error);
    const nlohmann::json fc = nlohmann::json::parse(readAll(dir / "t.geojson"));
    EXPECT_EQ(fc["type"], "FeatureCollection");
    ASSERT_EQ(fc["features"].size(), 3u);
    const nlohmann::json& first = fc["features"][0];
    EXPECT_EQ(first["geometry"]["type"], "Point");
    EXPECT_NEAR(first["geometry"]["coordinates"][0].get<double>(), mark.position->longitude, 1e-8);
    EXPECT_NEAR(first["geometry"]["coordinates"][1].get<double>(), mark.position->latitude, 1e-8);
    EXPECT_EQ(first["properties"]["name"], "Mark 1");
    EXPECT_EQ(first["properties"]["side"], "starboard");
    EXPECT_EQ(first["properties"]["ping"], 17);
    EXPECT_TRUE(fc["features"][1]["properties"]["ping"].is_null());
    EXPECT_TRUE(fc["features"][2]["geometry"].is_null());
    EXPECT_NEAR(fc["features"][2]["properties"]["height_m"].get<double>(), 1.43, 1e-9);

    // CSV: a header row, one row per target, the same column count throughout.
    ASSERT_FALSE(exportTargetList(list, (dir / "t.CSV").string()).error);
    std::istringstream csv(readAll(dir / "t.CSV"));
    std::vector<std::string> rows;
    for (std::string row; std::getline(csv, row);) {
        rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].rfind("name,kind,ping,date,time,side,range_m,height_m,latitude,longitude", 0),
              0u);
    for (const std::string& row : rows) {
        EXPECT_EQ(std::count(row.begin(), row.end(), ','), 14) << row;
    }
    char lat[32], lon[32];
    std::snprintf(lat, sizeof lat, "%.8f", mark.position->latitude);
    std::snprintf(lon, sizeof lon, "%.8f", mark.position->longitude);
    EXPECT_NE(rows[1].find(std::string(",") + lat + "," + lon + ","), std::string::npos) << rows[1];
    EXPECT_NE(rows[1].find("Mark 1,mark,17,07-DEC-2026,09:05:03.042,starboard,25.00,,"),
              std::string::npos)
        << rows[1];

    // KML: a Placemark per target, named, described, with longitude,latitude coordinates.
    ASSERT_FALSE(exportTargetList(list, (dir / "t.kml").string()).error);
    const std::string kml = readAll(dir / "t.kml");
    EXPECT_NE(kml.find("<kml xmlns=\"http://www.opengis.net/kml/2.2\">"), std::string::npos);
    EXPECT_NE(kml.find("<name>survey.xtf</name>"), std::string::npos);
    std::size_t placemarks = 0;
    for (std::size_t at = 0; (at = kml.find("<Placemark>", at)) != std::string::npos; ++at) {
        ++placemarks;
    }
    EXPECT_EQ(placemarks, 3u);
    EXPECT_NE(kml.find("<name>Height 3</name>"), std::string::npos);
    EXPECT_NE(kml.find("Ping 17, 07-DEC-2026 09:05:03.042\nStarboard 25.00 m"), std::string::npos);
    EXPECT_NE(kml.find(std::string("<coordinates>") + lon + "," + lat + ",0</coordinates>"),
              std::string::npos);

    const ExportOutcome wrong = exportTargetList(list, (dir / "t.txt").string());
    ASSERT_TRUE(wrong.error);
    EXPECT_FALSE(fs::exists(dir / "t.txt"));
}

TEST(TargetJson, HostileLinesAreSkippedAndTheTargetsAroundThemKept) {
    const std::string good = featureJson(sampleTargets()[0]);
    std::string wrongTypes = good;
    wrongTypes.replace(wrongTypes.find("\"range_m\":25.0"), 14, "\"range_m\":\"25\"");
    const std::string hostile[] = {
        std::string(100000, '['),                              // deep nesting
        "{\"type\":\"Feature\",}",                             // trailing comma
        "{\"type\":\"Feature\",\"x\":\"\\ud800\"}",            // lone surrogate
        "{\"type\":\"Feature\",\"x\":\"\xff\xfe\"}",           // not UTF-8
        "{\"type\":\"Feature\",\"x\":1e999}",                  // out of range
        wrongTypes,                                            // range as a string
        R"({"type":"Feature","geometry":7,"properties":[]})",  // properties not an object
        "\"Feature\"",
    };
    for (const std::string& line : hostile) {
        SCOPED_TRACE(line.substr(0, 60));
        const target_log::Contents c = target_log::parse(good + "\n" + line + "\n" + good + "\n");
        EXPECT_EQ(c.targets.size(), 2u);
        ASSERT_EQ(c.warnings.size(), 1u);
        EXPECT_NE(c.warnings[0].find("line 2"), std::string::npos);
    }
    // A geometry that is no point leaves the target without a position, not without its line.
    std::string lineString = good;
    lineString.replace(lineString.find("\"Point\""), 7, "\"LineString\"");
    const target_log::Contents c = target_log::parse(lineString);
    ASSERT_EQ(c.targets.size(), 1u);
    EXPECT_FALSE(c.targets[0].position);
}

}  // namespace
