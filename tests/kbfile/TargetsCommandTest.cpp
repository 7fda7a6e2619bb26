// kbfile targets, run as a user runs it: a list of marks on a survey due north, written out in
// each form and read back by other parsers (expat, nlohmann::json), positions checked with
// PROJ's geodesic.
#include <expat.h>
#include <geodesic.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>

#include "kbfile/KbfileTestFiles.h"
#include "targets/TargetLog.h"

namespace {
using namespace kbfile_test;

struct LonLat {
    double lon, lat;
};

std::string text(const std::string& path) {
    const std::vector<std::uint8_t> b = readBytes(path);
    return {b.begin(), b.end()};
}

int runKbfile(const std::string& args, const std::string& errFile) {
    const int status =
        std::system((std::string(KBFILE_PATH) + " " + args + " 2>" + errFile).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<LonLat> fromGeoJson(const std::string& doc) {
    const nlohmann::json fc = nlohmann::json::parse(doc);  // throws, failing the test, if not JSON
    EXPECT_EQ(fc["type"], "FeatureCollection");
    std::vector<LonLat> points;
    for (const nlohmann::json& f : fc["features"]) {
        const nlohmann::json& c = f["geometry"]["coordinates"];
        points.push_back({c[0].get<double>(), c[1].get<double>()});  // longitude first
    }
    return points;
}

std::vector<LonLat> fromCsv(const std::string& doc) {
    std::istringstream in(doc);
    std::string header;
    std::getline(in, header);
    EXPECT_EQ(header.rfind("name,kind,ping,date,time,side,range_m,height_m,latitude,longitude,", 0),
              0u)
        << header;
    std::vector<LonLat> points;
    for (std::string row; std::getline(in, row);) {
        std::vector<std::string> cells;
        std::istringstream fields(row);
        for (std::string cell; std::getline(fields, cell, ',');) {
            cells.push_back(cell);
        }
        EXPECT_EQ(cells.size(), 15u) << row;
        if (cells.size() > 9) {
            points.push_back({std::stod(cells[9]), std::stod(cells[8])});
        }
    }
    return points;
}

// Every Placemark's Point coordinates "lon,lat,alt"; the test fails if the XML is not
// well-formed.
std::vector<LonLat> fromKml(const std::string& doc) {
    struct State {
        std::string open, coordinates;
        std::vector<LonLat> points;
        bool rootIsKml = false;
    } s;
    XML_Parser p = XML_ParserCreateNS("UTF-8", ' ');
    XML_SetUserData(p, &s);
    XML_SetElementHandler(
        p,
        [](void* d, const XML_Char* name, const XML_Char**) {
            auto& st = *static_cast<State*>(d);
            if (std::string(name) == "http://www.opengis.net/kml/2.2 kml") {
                st.rootIsKml = true;
            }
            st.open = name;
            st.coordinates.clear();
        },
        [](void* d, const XML_Char* name) {
            auto& st = *static_cast<State*>(d);
            if (std::string(name) == "http://www.opengis.net/kml/2.2 coordinates") {
                LonLat ll{};
                char comma = 0;
                std::istringstream(st.coordinates) >> ll.lon >> comma >> ll.lat;
                st.points.push_back(ll);
            }
            st.open.clear();
        });
    XML_SetCharacterDataHandler(p, [](void* d, const XML_Char* t, int n) {
        auto& st = *static_cast<State*>(d);
        if (st.open == "http://www.opengis.net/kml/2.2 coordinates") {
            st.coordinates.append(t, static_cast<std::size_t>(n));
        }
    });
    const bool ok = XML_Parse(p, doc.data(), static_cast<int>(doc.size()), 1) == XML_STATUS_OK;
    EXPECT_TRUE(ok) << XML_ErrorString(XML_GetErrorCode(p)) << " at line "
                    << XML_GetCurrentLineNumber(p);
    XML_ParserFree(p);
    EXPECT_TRUE(s.rootIsKml);
    return s.points;
}

TEST(KbfileTargets, EachFormatPlacesTheMarksAcrossATrackDueNorth) {
    TempDir dir;
    const std::string list = dir.file("north.xtf.targets.jsonl");
    geod_geodesic g;
    geod_init(&g, 6378137.0, 1.0 / 298.257223563);
    const double lat0 = 54.3210987, lon0 = 7.6543210;
    const struct {
        TrackSide side;
        double range;
    } marks[] = {{TrackSide::Starboard, 25.0}, {TrackSide::Port, 25.0}, {TrackSide::Port, 80.5}};
    for (const auto& m : marks) {
        Target t;
        t.side = m.side;
        t.rangeMetres = m.range;
        t.ping = 3;
        t.track = geodesy::LatLon{lat0, lon0};
        t.courseFrom = CourseFrom::Positions;
        t.courseDegrees = 0.0;
        locate(t);
        ASSERT_FALSE(target_log::append(list, t));
    }
    // A power cut during the next mark: its line is torn, the rest are still exported.
    { std::ofstream(list, std::ios::app) << R"({"type":"Feature","geometry":{"type":"Po)"; }

    const struct {
        const char* file;
        std::vector<LonLat> (*read)(const std::string&);
    } formats[] = {{"t.geojson", fromGeoJson}, {"t.csv", fromCsv}, {"T.KML", fromKml}};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.file);
        const std::string err = dir.file("err.txt");
        ASSERT_EQ(runKbfile("targets " + list + " " + dir.file(f.file), err), 0) << text(err);
        EXPECT_NE(text(err).find("line 4"), std::string::npos) << "the torn line is named";
        const std::vector<LonLat> points = f.read(text(dir.file(f.file)));
        ASSERT_EQ(points.size(), std::size(marks));
        for (std::size_t i = 0; i < points.size(); ++i) {
            double s12 = 0, azi1 = 0, azi2 = 0;
            geod_inverse(&g, lat0, lon0, points[i].lat, points[i].lon, &s12, &azi1, &azi2);
            const double east = s12 * std::sin(azi1 * M_PI / 180.0);
            const double north = s12 * std::cos(azi1 * M_PI / 180.0);
            const double want =
                marks[i].side == TrackSide::Starboard ? marks[i].range : -marks[i].range;
            EXPECT_NEAR(east, want, 0.1) << "mark " << i;
            EXPECT_NEAR(north, 0.0, 0.1) << "mark " << i;
        }
    }
}

TEST(KbfileTargets, UnreadableListOrUnknownFormatFailsWithOneLine) {
    TempDir dir;
    const std::string err = dir.file("err.txt");
    EXPECT_EQ(runKbfile("targets " + dir.file("none.jsonl") + " " + dir.file("t.csv"), err), 1);
    EXPECT_EQ(text(err),
              "kbfile: cannot read " + dir.file("none.jsonl") + ": No such file or directory\n");
    EXPECT_EQ(runKbfile("targets " + dir.file("none.jsonl") + " " + dir.file("t.txt"), err), 1);
    EXPECT_EQ(text(err), "kbfile: " + dir.file("t.txt") +
                             ": unknown extension (expected .csv, .kml or .geojson)\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("t.csv")));
}

}  // namespace
