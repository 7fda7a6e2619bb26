#include <geodesic.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>

#include "acquisition/SwitchCommand.h"
#include "datafile/RecordWriter.h"
#include "datafile/TestPings.h"
#include "display/ViewGeometry.h"
#include "display/measure/MeasureTarget.h"
#include "document/GpsDocumentFixture.h"
#include "targets/Target.h"
#include "targets/TargetLog.h"

using namespace doctest;

namespace {

constexpr double kMetresPerPing = 1.0;
constexpr int kPings = 40;

geod_geodesic wgs84() {
    geod_geodesic g;
    geod_init(&g, 6378137.0, 1.0 / 298.257223563);
    return g;
}

geodesy::LatLon north(geodesy::LatLon from, double metres) {
    const geod_geodesic g = wgs84();
    double lat = 0, lon = 0, azi2 = 0;
    geod_direct(&g, from.latitude, from.longitude, 0.0, metres, &lat, &lon, &azi2);
    return {lat, lon};
}

// Where b lies from a, in metres along (north) and across (east) a northward track: PROJ's
// geodesic, not ours.
struct Offset {
    double along, east;
};
Offset offsetOf(geodesy::LatLon a, geodesy::LatLon b) {
    const geod_geodesic g = wgs84();
    double s12 = 0, azi1 = 0, azi2 = 0;
    geod_inverse(&g, a.latitude, a.longitude, b.latitude, b.longitude, &s12, &azi1, &azi2);
    const double r = azi1 * M_PI / 180.0;
    return {s12 * std::cos(r), s12 * std::sin(r)};
}

std::vector<nlohmann::json> readList(const fs::path& list) {
    std::ifstream in(list);
    std::vector<nlohmann::json> features;
    for (std::string line; std::getline(in, line);) {
        features.push_back(nlohmann::json::parse(line));
    }
    return features;
}

geodesy::LatLon pointOf(const nlohmann::json& geometry) {
    // RFC 7946: longitude first.
    return {geometry["coordinates"][1].get<double>(), geometry["coordinates"][0].get<double>()};
}

// The measurement tools of the sonar window over the document's picture at zoom 1.
class Window {
  public:
    explicit Window(CKeelbrookDoc& doc) : doc_(doc) {}
    measure::Scale scale() const {
        const DisplaySettings& d = doc_.pipeline().settings();
        return {
            d.sideLayout(),
            waterfall_view::drawnWidth(doc_.pipeline().image().width(), d.colourIndicatorShown()),
            1.0, rangeMetres(doc_.head().command().rangeIndex())};
    }
    // The x of a point `metres` to one side of the track.
    int xAt(TrackSide side, double metres) const {
        const measure::Scale s = scale();
        const double px = metres * measure::pixelsPerSide(s) / s.rangeMetres;
        EXPECT_EQ(px, std::round(px)) << "the test wants a whole pixel";
        return static_cast<int>(measure::trackX(s) + (side == TrackSide::Starboard ? px : -px));
    }
    // Clicks with the tool; a finished target goes to the document as the window hands it on.
    void click(measure::Tool tool, std::vector<measure::Point> points) {
        if (tools.tool() != tool) {
            tools.toggle(tool);
        }
        const measure::LiveContext context{scale(), false, {}};
        for (const measure::Point& p : points) {
            tools.press(p, context);
            tools.release();
            if (const auto finished = tools.takeFinished()) {
                const auto target = measure::placedTarget(*finished, doc_.pipeline().image(), 1.0);
                ASSERT_TRUE(target);
                doc_.targetPlaced(*target);
            }
        }
    }
    measure::MeasureTools tools;

  private:
    CKeelbrookDoc& doc_;
};

class TargetReportTest : public DocumentTest {
  protected:
    // A recording going due north from `start`, one metre a ping, as XTF keeps it (the degrees
    // themselves); heading 0, speed 0 so each ping is one image row.
    std::string writeSurvey(const std::string& name, geodesy::LatLon start) {
        RecordWriter writer;
        const std::string path = (dir / name).string();
        std::vector<std::uint8_t> bytes = RecordWriter::fileStart(SourceKind::Xtf, path, 2000);
        for (int i = 0; i < kPings; ++i) {
            PingRecord rec = makePing(static_cast<std::uint32_t>(i + 1));
            const geodesy::LatLon p = north(start, i * kMetresPerPing);
            rec.fix.latitude = std::fabs(p.latitude);
            rec.fix.longitude = std::fabs(p.longitude);
            rec.fix.latitudeHemisphere = p.latitude < 0 ? 'S' : 'N';
            rec.fix.longitudeHemisphere = p.longitude < 0 ? 'W' : 'E';
            rec.fix.headingDegrees = 0.0;
            rec.fix.speedKnots = 0.0;
            writer.appendPing(SourceKind::Xtf, rec, bytes);
        }
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    void playAll(const std::string& path) {
        doc->openFileForPlayback(path);
        ASSERT_TRUE(doc->playback());
        for (int i = 0; i < kPings; ++i) {
            doc->PlayOnePing();
        }
    }
};

TEST_F(TargetReportTest, MarkOnASurveyDueNorthLiesAcrossTheTrackOnEachSideAndLayout) {
    const geodesy::LatLon skagerrak{57.6543210, 10.1234567};
    const geodesy::LatLon chile{-33.0123456, -71.6543210};
    const struct {
        CommandId layout;
        TrackSide side;
        geodesy::LatLon start;
    } cases[] = {
        {CommandId::StbdOnly, TrackSide::Starboard, skagerrak},
        {CommandId::PortOnly, TrackSide::Port, skagerrak},
        {CommandId::BothSides, TrackSide::Starboard, skagerrak},
        {CommandId::BothSides, TrackSide::Port, skagerrak},
        {CommandId::BothSides, TrackSide::Starboard, chile},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << static_cast<int>(c.layout) << " "
                                        << sideText(c.side) << " from " << c.start.latitude);
        const std::string data = writeSurvey("north" + std::to_string(n++) + ".xtf", c.start);
        doc->execute(c.layout);
        playAll(data);
        Window window(*doc);
        constexpr int kRow = 12;
        window.click(measure::Tool::Mark, {{window.xAt(c.side, 25.0), kRow}});

        const std::vector<nlohmann::json> list = readList(target_log::sidecarPath(data));
        ASSERT_EQ(list.size(), 1u);
        const nlohmann::json& props = list[0]["properties"];
        EXPECT_EQ(props["kind"], "mark");
        EXPECT_EQ(props["side"], sideText(c.side));
        EXPECT_DOUBLE_EQ(props["range_m"].get<double>(), 25.0);
        EXPECT_EQ(props["course_from"], "positions");
        EXPECT_EQ(props["offset_applied"], true);
        // The track position is the file's position of the ping drawn on that row.
        const int ping = props["ping"].get<int>();
        EXPECT_NEAR(ping, kPings - kRow, 1);
        const geodesy::LatLon track = north(c.start, (ping - 1) * kMetresPerPing);
        EXPECT_NEAR(props["track_lat"].get<double>(), track.latitude, 1e-8);
        EXPECT_NEAR(props["track_lon"].get<double>(), track.longitude, 1e-8);

        const Offset o = offsetOf(track, pointOf(list[0]["geometry"]));
        EXPECT_NEAR(o.east, c.side == TrackSide::Starboard ? 25.0 : -25.0, 0.1);
        EXPECT_NEAR(o.along, 0.0, 0.1);
    }
}

TEST_F(TargetReportTest, ListGoesBesideThePlayedFileAndExportsThroughTheFileMenu) {
    const std::string data = writeSurvey("survey.xtf", {50.1, -4.2});
    EXPECT_FALSE(doc->isEnabled(CommandId::ExportTargets));
    doc->execute(CommandId::BothSides);
    playAll(data);
    EXPECT_FALSE(doc->isEnabled(CommandId::ExportTargets)) << "no target placed yet";
    Window window(*doc);
    // A height: the target, its first return, the shadow's start and end, all on one row.
    const auto port = [&](double metres) { return window.xAt(TrackSide::Port, metres); };
    window.click(measure::Tool::Height,
                 {{port(12.5), 20}, {port(6.25), 20}, {port(25.0), 20}, {port(37.5), 20}});
    window.click(measure::Tool::Distance, {{10, 10}, {30, 30}});  // not a target
    window.click(measure::Tool::Range, {{window.xAt(TrackSide::Starboard, 37.5), 5}});
    ASSERT_TRUE(doc->isEnabled(CommandId::ExportTargets));

    prompts.saveChoices.push_back(FileChoice{(dir / "report").string(), 2});
    doc->execute(CommandId::ExportTargets);
    ASSERT_EQ(prompts.saveRequests.size(), 1u);
    EXPECT_EQ(prompts.saveRequests[0].title, "Export Targets");
    EXPECT_EQ(prompts.saveRequests[0].proposedName, "survey-targets");
    EXPECT_EQ(prompts.saveRequests[0].filters.size(), 3u);
    EXPECT_TRUE(prompts.messages.empty());
    // No extension typed: the chosen kind's is added.
    std::ifstream in(dir / "report.geojson");
    const nlohmann::json fc = nlohmann::json::parse(in);
    ASSERT_EQ(fc["features"].size(), 2u);
    const nlohmann::json& height = fc["features"][0]["properties"];
    EXPECT_EQ(height["kind"], "height");
    EXPECT_EQ(height["side"], "port");
    EXPECT_NEAR(height["range_m"].get<double>(), 12.5, 1e-9);
    // Shadow 12.5 m long starting 25 m out, bottom return at 6.25 m: H = L x Hf / (Rs + L).
    EXPECT_NEAR(height["height_m"].get<double>(), 12.5 * 6.25 / 37.5, 1e-3);
    EXPECT_EQ(fc["features"][1]["properties"]["kind"], "range");
    EXPECT_NEAR(fc["features"][1]["properties"]["range_m"].get<double>(), 37.5, 1e-9);

    prompts.saveChoices.push_back(FileChoice{(dir / "report.kml").string(), 0});
    doc->execute(CommandId::ExportTargets);
    EXPECT_TRUE(fs::exists(dir / "report.kml"));
}

TEST_F(TargetReportTest, AListThatCannotBeWrittenIsReportedOnce) {
    const std::string data = writeSurvey("blocked.xtf", {50.1, -4.2});
    fs::create_directories(target_log::sidecarPath(data));  // a folder where the list should go
    playAll(data);
    Window window(*doc);
    window.click(measure::Tool::Mark, {{50, 10}});
    window.click(measure::Tool::Mark, {{60, 10}});
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("blocked.xtf.targets.jsonl"), std::string::npos);
}

TEST_F(TargetReportTest, MarksWithoutAFileOrOnEmptyRowsAreNotListed) {
    doc->initialise();
    connectYes();
    ping();
    Window window(*doc);
    window.click(measure::Tool::Mark, {{50, 0}});  // live, nothing recorded
    startRecording("rec.dsx");
    window.click(measure::Tool::Mark, {{50, 50}});  // below the one ping drawn
    EXPECT_FALSE(fs::exists(dir / "rec.dsx.targets.jsonl"));
    window.click(measure::Tool::Mark, {{50, 0}});
    ASSERT_TRUE(fs::exists(dir / "rec.dsx.targets.jsonl"));
    const std::vector<nlohmann::json> list = readList(dir / "rec.dsx.targets.jsonl");
    ASSERT_EQ(list.size(), 1u);
    // No GPS: the target has no position, and says so with a null geometry.
    EXPECT_TRUE(list[0]["geometry"].is_null());
    EXPECT_EQ(list[0]["properties"]["offset_applied"], false);
}

TEST(TargetCourse, PositionsFirstThenTheGpsCourseElseTheTargetStaysOnTheTrack) {
    FakePrompts prompts;
    TargetReport report(prompts);
    GpsFix fix;
    GpsText text;
    EXPECT_FALSE(report.navOf(fix, text, 1).hasPosition) << "nothing received yet";

    fix.latitude = 48.5;
    fix.longitude = 5.25;
    fix.latitudeHemisphere = 'N';
    fix.longitudeHemisphere = 'W';
    text[GpsText::Latitude] = "48.30.0000 N";
    text[GpsText::Longitude] = "005.15.0000 W";
    RowNav nav = report.navOf(fix, text, 7);
    EXPECT_TRUE(nav.hasPosition);
    EXPECT_EQ(nav.longitude, -5.25);
    EXPECT_EQ(nav.pingNumber, 7u);
    EXPECT_EQ(nav.courseFrom, CourseFrom::None) << "first fix, no course over ground";

    PlacedTarget placed{TargetKind::Mark, TrackSide::Starboard, 25.0, {}, {}};
    placed.row.nav = nav;
    Target t = targetOf(placed);
    ASSERT_TRUE(t.position);
    EXPECT_FALSE(t.offsetApplied);
    EXPECT_EQ(t.position->longitude, -5.25);

    fix.headingDegrees = 270.0;
    text[GpsText::Heading] = "270.00 Deg.";
    nav = report.navOf(fix, text, 8);
    EXPECT_EQ(nav.courseFrom, CourseFrom::Heading);
    EXPECT_EQ(nav.courseDegrees, 270.0);

    fix.latitude += 0.0001;  // 11 m north, whatever the GPS course says
    nav = report.navOf(fix, text, 9);
    EXPECT_EQ(nav.courseFrom, CourseFrom::Positions);
    EXPECT_NEAR(nav.courseDegrees, 0.0, 1e-6);
    placed.row.nav = nav;
    t = targetOf(placed);
    ASSERT_TRUE(t.offsetApplied);
    EXPECT_NEAR(offsetOf(*t.track, *t.position).east, 25.0, 0.01);

    // A file without navigation stores 0, 0.
    fix.latitude = fix.longitude = 0.0;
    EXPECT_FALSE(report.navOf(fix, text, 10).hasPosition);
}

}  // namespace

namespace {

// A vessel going due north off Skagen: latitude minutes 07.0000, 07.0020, ... (3.7 m apart);
// no checksum, which the parser believes.
std::string rmcNorth(int fix) {
    char s[128];
    std::snprintf(s, sizeof s, "$GPRMC,1000%02d,A,57%07.4f,N,01035.5000,E,007.2,000.0,070326,,\r\n",
                  fix, 7.0 + 0.002 * fix);
    return s;
}

geodesy::LatLon fixPosition(int fix) {
    return {57.0 + (7.0 + 0.002 * fix) / 60.0, 10.0 + 35.5 / 60.0};
}

TEST_F(GpsDocumentTest, MarkPlacedWhileRecordingLandsInTheListWithTheRowsPosition) {
    doc->initialise();
    connectYes();
    startRecording("live.dsx");
    constexpr int kFixes = 8, kPingsPerFix = 3;
    for (int f = 0; f < kFixes; ++f) {
        receiverSends(rmcNorth(f));
        for (int p = 0; p < kPingsPerFix; ++p) {
            ping();
        }
    }
    Window window(*doc);
    const int rows = static_cast<int>(drawn());
    // Rows from the top: the newest pings; a row 10 pings back was taken at fix 4 or 5.
    window.click(measure::Tool::Range, {{window.xAt(TrackSide::Port, 25.0), 10}});
    ASSERT_GE(rows, 12);

    const std::vector<nlohmann::json> list = readList(dir / "live.dsx.targets.jsonl");
    ASSERT_EQ(list.size(), 1u);
    const nlohmann::json& props = list[0]["properties"];
    EXPECT_EQ(props["kind"], "range");
    EXPECT_EQ(props["side"], "port");
    EXPECT_EQ(props["date"], "07-DEC-2026");
    EXPECT_EQ(props["course_from"], "positions");
    EXPECT_NEAR(props["course_deg"].get<double>(), 0.0, 0.01);
    // Recorded pings count from 1; each fix stood for three of them.
    const int ping = props["ping"].get<int>();
    const int fix = (ping - 1) / kPingsPerFix;
    const geodesy::LatLon track = fixPosition(fix);
    // The list keeps eight decimals of a degree: about a millimetre.
    EXPECT_NEAR(props["track_lat"].get<double>(), track.latitude, 1e-8) << "ping " << ping;
    EXPECT_NEAR(props["track_lon"].get<double>(), track.longitude, 1e-8);
    const Offset o = offsetOf(track, pointOf(list[0]["geometry"]));
    EXPECT_NEAR(o.east, -25.0, 0.1);
    EXPECT_NEAR(o.along, 0.0, 0.1);

    EXPECT_TRUE(doc->isEnabled(CommandId::ExportTargets));
    doc->execute(CommandId::StopRecording);
    EXPECT_FALSE(doc->isEnabled(CommandId::ExportTargets)) << "no file recorded or played";
}

}  // namespace
