// XTF files written by other acquisition systems: the real third-party recording, and files
// built byte by byte from the published structures (ForeignXtfFiles.h).
#include <gtest/gtest.h>

#include <cstdio>

#include "datafile/MemoryByteSource.h"
#include "datafile/RecordReader.h"
#include "kbfile/Converter.h"
#include "kbfile/FileInfo.h"
#include "kbfile/FileKind.h"
#include "kbfile/ForeignXtfFiles.h"
#include "kbfile/KbfileTestFiles.h"

namespace {
using namespace kbfile;
using namespace kbfile_test;

const std::string kThirdParty = std::string(TEST_DATA_DIR) + "/xtf/scotsman-iver2-first160.xtf";

struct Read {
    ScanOutcome scan;
    std::vector<PingRecord> pings;
    std::vector<SurveyPing> survey;
};

Read readAll(const std::string& path) {
    Read r;
    r.scan = scanSurvey(path, [&](const PingRecord& rec, const PingPlace&, const SurveyPing& s) {
        r.pings.push_back(rec);
        r.survey.push_back(s);
        return std::optional<Problem>{};
    });
    return r;
}

std::vector<std::uint16_t> ramp(std::size_t n, std::uint16_t from) {
    std::vector<std::uint16_t> v(n);
    for (std::size_t i = 0; i < n; ++i) {
        v[i] = static_cast<std::uint16_t>(from + i);
    }
    return v;
}

std::vector<std::uint8_t> side(const PingRecord& rec, bool port) {
    const std::size_t n = static_cast<std::size_t>(rec.ping.samplesTotal() / 2);
    const std::uint8_t* s = rec.ping.samples() + (port ? 0 : n);
    return {s, s + n};
}

// A sentence with its checksum and line end.
std::string sentence(const std::string& body) {
    unsigned sum = 0;
    for (char c : body) {
        sum ^= static_cast<unsigned char>(c);
    }
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

std::vector<std::uint8_t> bytesOf(const std::vector<std::uint16_t>& v) {
    return {v.begin(), v.end()};
}

// Expected values: tests/data/xtf/read_xtf.py (Python struct on the published offsets, not
// this program's reader) run on the same file; its output is quoted in tests/data/xtf/README.md.
TEST(ForeignXtf, TheThirdPartyRecordingReadsAsTheIndependentReaderSaysIt) {
    const InfoOutcome out = collectInfo(kThirdParty);
    ASSERT_FALSE(out.problem) << out.problem->what;
    const InfoSummary& s = out.summary;
    EXPECT_EQ(s.pings, 160u);
    EXPECT_EQ(s.settings.samplesTotal, 2 * 1024);
    EXPECT_EQ(s.first.pingNumber, 0u);
    EXPECT_EQ(s.last.pingNumber, 159u);
    ASSERT_TRUE(s.foreign);
    EXPECT_EQ(s.foreign->file.programName, "SEASCAN");
    EXPECT_EQ(s.foreign->bytesPerSample, 2);
    EXPECT_EQ(s.foreign->choice.port, 0u);
    EXPECT_EQ(s.foreign->choice.starboard, 1u);
    EXPECT_EQ(s.foreign->gainReference, 22603);
    EXPECT_EQ(s.pingsWithPosition, 159u);  // ping 0 has none
    EXPECT_NEAR(s.firstPosition.latitude, 48.44545000, 1e-8);
    EXPECT_NEAR(s.firstPosition.longitude, -68.82793500, 1e-8);
    EXPECT_NEAR(s.lastPosition.latitude, 48.44559667, 1e-8);
    EXPECT_NEAR(s.lastPosition.longitude, -68.82806333, 1e-8);

    const std::string text = formatInfo(kThirdParty, s);
    EXPECT_NE(text.find("Channels:    2 sonar: 0 PORT (port, 16-bit), 1 STARBOARD (starboard, "
                        "16-bit)\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Drawn:       port channel 0 PORT, starboard channel 1 STARBOARD\n"),
              std::string::npos);
    EXPECT_NE(text.find("Gain:        16-bit samples scaled linearly, 22603 (95th percentile of "
                        "the file) drawn as 254\n"),
              std::string::npos);
    EXPECT_NE(text.find("First fix:   48.445450 -68.827935\n"), std::string::npos);
    EXPECT_NE(text.find("Last fix:    48.445597 -68.828063\n"), std::string::npos);
    EXPECT_NE(text.find("Packets:     160 sonar, 0 raw serial, 0 other (stepped over)\n"),
              std::string::npos);
}

TEST(ForeignXtf, KeelbrookPlaybackStillRefusesTheThirdPartyRecording) {
    const std::vector<std::uint8_t> bytes = readBytes(kThirdParty);
    MemoryByteSource source(bytes);
    RecordReader reader(source, SourceKind::Xtf);
    EXPECT_FALSE(reader.checkFileHeader());
}

// Four sonar channels, high and low frequency, starboard described first: the first port and
// the first starboard channel are drawn, each as stored (port outermost first), and the other
// channels and packets leave no trace.
TEST(ForeignXtf, FirstPortAndStarboardChannelsAreDrawnAndOtherPacketsSteppedOver) {
    ForeignXtf f({{2, 1, "STBD_HF"}, {1, 1, "PORT_HF"}, {2, 1, "STBD_LF"}, {1, 1, "PORT_LF"}}, 1);
    f.other(1, 200);  // notes
    for (std::uint32_t n = 1; n <= 3; ++n) {
        ForeignPing p{n, 50.1 + n * 1e-4, -1.2, 10.0f, 8.0f, {}};
        for (std::uint16_t c = 0; c < 4; ++c) {
            p.channels.push_back({c, 75.0f, ramp(100, static_cast<std::uint16_t>(c * 40 + n))});
        }
        f.ping(p);
        f.other(3, 64);   // attitude
        f.other(2, 333);  // bathymetry, of an odd length
    }
    TempDir dir;
    const std::string path = dir.file("four.xtf");
    writeBytes(path, f.bytes());

    const Read r = readAll(path);
    ASSERT_FALSE(r.scan.problem) << r.scan.problem->what;
    ASSERT_EQ(r.pings.size(), 3u);
    EXPECT_EQ(r.scan.foreign->choice.port, 1u);
    EXPECT_EQ(r.scan.foreign->choice.starboard, 0u);
    EXPECT_EQ(r.scan.foreign->otherPackets, 7u);
    EXPECT_FALSE(r.scan.foreign->gainReference);  // 8-bit samples are drawn as they are
    for (std::uint32_t n = 1; n <= 3; ++n) {
        const PingRecord& rec = r.pings[n - 1];
        EXPECT_EQ(rec.pingNumber, n);
        EXPECT_EQ(side(rec, true), bytesOf(ramp(100, static_cast<std::uint16_t>(40 + n))));
        EXPECT_EQ(side(rec, false), bytesOf(ramp(100, static_cast<std::uint16_t>(n))));
        EXPECT_EQ(rec.rangeIndex, 11);  // 75 m: nearest is 80 m
        EXPECT_EQ(rec.timeText + rec.millisecondText, "10:20:30.450");
        EXPECT_DOUBLE_EQ(r.survey[n - 1].rangeMetres, 75.0);
        EXPECT_EQ(r.survey[n - 1].headingDegrees, 10.0);
        EXPECT_EQ(r.survey[n - 1].fileAltitudeMetres, 8.0);
        ASSERT_TRUE(r.survey[n - 1].position);
        EXPECT_DOUBLE_EQ(r.survey[n - 1].position->latitude, 50.1 + n * 1e-4);
    }
    const InfoOutcome info = collectInfo(path);
    EXPECT_NE(formatInfo(path, info.summary)
                  .find("Drawn:       port channel 1 PORT_HF, starboard channel 0 STBD_HF\n"),
              std::string::npos);
}

TEST(ForeignXtf, HeaderLayoutsAndNavigationSourcesOfOtherSystems) {
    struct Case {
        const char* name;
        std::vector<ForeignChannel> channels;
        std::uint16_t bathy;
        std::uint16_t navUnits;
        std::size_t headerBytes;
    };
    const std::vector<Case> cases = {
        // Channel types left unset: channel 0 port, channel 1 starboard.
        {"untyped", {{0, 1, "A"}, {0, 1, "B"}}, 0, 3, 1024},
        // Seven channels in all: the header takes a second block of 1024 bytes.
        {"seven", {{1, 1, "P"}, {2, 1, "S"}}, 5, 3, 2048},
        // Positions in metres.
        {"metres", {{1, 1, "P"}, {2, 1, "S"}}, 0, 0, 1024},
    };
    for (const Case& c : cases) {
        ForeignXtf f(c.channels, c.bathy, c.navUnits);
        ASSERT_EQ(f.headerBytes(), c.headerBytes) << c.name;
        ForeignPing p{7,    5432100.5, 612345.25,
                      0.0f, 0.0f,      {{0, 20.0f, {1, 2, 3}}, {1, 20.0f, {4, 5, 6}}}};
        if (c.navUnits == 3) {
            p.lat = 43.5;
            p.lon = 16.25;
        }
        f.ping(p);
        TempDir dir;
        const std::string path = dir.file(std::string(c.name) + ".xtf");
        writeBytes(path, f.bytes());
        const Read r = readAll(path);
        ASSERT_FALSE(r.scan.problem) << c.name << ": " << r.scan.problem->what;
        ASSERT_EQ(r.pings.size(), 1u) << c.name;
        EXPECT_EQ(side(r.pings[0], true), (std::vector<std::uint8_t>{1, 2, 3})) << c.name;
        EXPECT_EQ(side(r.pings[0], false), (std::vector<std::uint8_t>{4, 5, 6})) << c.name;
        if (c.navUnits == 0) {
            EXPECT_FALSE(r.survey[0].position) << c.name;
            ASSERT_TRUE(r.survey[0].plane) << c.name;
            EXPECT_DOUBLE_EQ(r.survey[0].plane->easting, 612345.25);
            EXPECT_DOUBLE_EQ(r.survey[0].plane->northing, 5432100.5);
            const std::string text = formatInfo(path, collectInfo(path).summary);
            EXPECT_NE(text.find("Easting:     612345.25 .. 612345.25\n"), std::string::npos)
                << text;
        } else {
            ASSERT_TRUE(r.survey[0].position) << c.name;
            EXPECT_DOUBLE_EQ(r.survey[0].position->latitude, 43.5);
            EXPECT_DOUBLE_EQ(r.survey[0].position->longitude, 16.25);
        }
    }
}

// In degrees and in metres alike: a ping whose header holds no position takes the latest NMEA
// position; a header position wins where there is one.
TEST(ForeignXtf, NmeaPacketsPlacePingsWhoseHeaderHasNoPosition) {
    for (const std::uint16_t navUnits : {std::uint16_t{3}, std::uint16_t{0}}) {
        ForeignXtf f({{1, 1, "P"}, {2, 1, "S"}}, 0, navUnits);
        const std::vector<ForeignPingChannel> chans = {{0, 30.0f, {9, 9}}, {1, 30.0f, {9, 9}}};
        f.ping({1, 0.0, 0.0, 0.0f, 0.0f, chans});  // nothing known yet
        f.serial("noise " +
                 sentence("GPGGA,102030.00,4916.4500,N,12311.1200,W,1,08,0.9,5.0,M,,,,"));
        f.ping({2, 0.0, 0.0, 0.0f, 0.0f, chans});
        f.ping({3, 49.5, -123.5, 0.0f, 0.0f, chans});  // the header's own position wins
        TempDir dir;
        const std::string path = dir.file("nmea.xtf");
        writeBytes(path, f.bytes());

        const Read r = readAll(path);
        ASSERT_FALSE(r.scan.problem) << r.scan.problem->what;
        ASSERT_EQ(r.pings.size(), 3u);
        EXPECT_FALSE(r.survey[0].position) << navUnits;
        ASSERT_TRUE(r.survey[1].position) << navUnits;
        EXPECT_NEAR(r.survey[1].position->latitude, 49.274166667, 1e-8);
        EXPECT_NEAR(r.survey[1].position->longitude, -123.185333333, 1e-8);
        if (navUnits == 3) {
            ASSERT_TRUE(r.survey[2].position);
            EXPECT_DOUBLE_EQ(r.survey[2].position->latitude, 49.5);
        } else {
            EXPECT_FALSE(r.survey[2].position);
            ASSERT_TRUE(r.survey[2].plane);
            EXPECT_DOUBLE_EQ(r.survey[2].plane->northing, 49.5);
        }
        EXPECT_EQ(r.scan.foreign->serialPackets, 1u);
        EXPECT_EQ(r.scan.foreign->nmeaPositions, 1u);
    }
}

// 16-bit samples 1..100 in equal numbers: the 95th percentile is 95, drawn as 254.
TEST(ForeignXtf, SixteenBitSamplesScaleByTheFilesPercentile) {
    ForeignXtf f({{1, 2, "P"}, {2, 2, "S"}});
    f.ping({1, 0.0, 0.0, 0.0f, 0.0f, {{0, 30.0f, ramp(100, 1)}, {1, 30.0f, ramp(100, 1)}}});
    f.ping({2, 0.0, 0.0, 0.0f, 0.0f, {{0, 30.0f, {0, 50, 95, 60000}}, {1, 30.0f, {}}}});
    TempDir dir;
    const std::string path = dir.file("wide.xtf");
    writeBytes(path, f.bytes());

    const Read r = readAll(path);
    ASSERT_FALSE(r.scan.problem) << r.scan.problem->what;
    EXPECT_EQ(r.scan.foreign->gainReference, 95);
    ASSERT_EQ(r.pings.size(), 2u);
    // The second ping has 4 port samples and none to starboard: a side of 4, starboard empty.
    EXPECT_EQ(side(r.pings[1], true), (std::vector<std::uint8_t>{0, 134, 254, 254}));
    EXPECT_EQ(side(r.pings[1], false), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(side(r.pings[0], true)[9], 27);  // 10 × 254 / 95, rounded
}

TEST(ForeignXtf, ConvertBringsTheFileIntoLayoutsKeelbrookPlays) {
    TempDir dir;
    const std::string in = dir.file("other.xtf");
    ForeignXtf f({{1, 1, "P"}, {2, 1, "S"}});
    f.ping({5, -33.75, 151.25, 0.0f, 0.0f, {{0, 50.0f, {7, 8, 9}}, {1, 50.0f, {1, 2, 3}}}});
    writeBytes(in, f.bytes());

    for (const char* name : {"own.xtf", "own.dsx", "own.ss2"}) {
        const std::string out = dir.file(name);
        const ConvertOutcome c = convertFile(in, out);
        ASSERT_FALSE(c.problem) << name << ": " << c.problem->what;
        const std::vector<std::uint8_t> bytes = readBytes(out);
        MemoryByteSource source(bytes);
        RecordReader reader(source, *kindFromPath(name));
        ASSERT_TRUE(reader.checkFileHeader()) << name;
        PingRecord rec;
        ASSERT_EQ(reader.next(rec), ReadStatus::Ok) << name;
        EXPECT_EQ(side(rec, true), (std::vector<std::uint8_t>{7, 8, 9})) << name;
        EXPECT_EQ(side(rec, false), (std::vector<std::uint8_t>{1, 2, 3})) << name;
        EXPECT_EQ(rec.rangeIndex, 9) << name;  // 50 m
        const InfoOutcome info = collectInfo(out);
        ASSERT_TRUE(info.summary.span) << name;
        EXPECT_NEAR(info.summary.span->min.latitude, -33.75, 1e-5) << name;
        EXPECT_NEAR(info.summary.span->min.longitude, 151.25, 1e-5) << name;
    }
}

TEST(ForeignXtf, DamagedOrUnsupportedFilesGetOneClearProblem) {
    TempDir dir;
    auto problemOf = [&](const std::vector<std::uint8_t>& bytes) {
        const std::string path = dir.file("bad.xtf");
        writeBytes(path, bytes);
        const ScanOutcome s = readAll(path).scan;
        return s.problem ? s.problem->what : std::string("no problem");
    };
    ForeignXtf good({{1, 1, "P"}, {2, 1, "S"}});
    good.ping({1, 0.0, 0.0, 0.0f, 0.0f, {{0, 30.0f, {1, 2}}, {1, 30.0f, {3, 4}}}});
    good.ping({2, 0.0, 0.0, 0.0f, 0.0f, {{0, 30.0f, {1, 2}}, {1, 30.0f, {3, 4}}}});
    std::vector<std::uint8_t> cut = good.bytes();
    cut.pop_back();
    EXPECT_EQ(problemOf(cut), "bad record at byte " + std::to_string(1024 + 256 + 2 * 66));

    ForeignXtf noSidescan({{3, 1, "BATHY"}});
    noSidescan.other(2, 64);
    EXPECT_EQ(problemOf(noSidescan.bytes()), "no sidescan channels in the XTF file header");

    ForeignXtf wide({{1, 4, "P"}, {2, 4, "S"}});
    wide.other(1, 64);
    EXPECT_EQ(problemOf(wide.bytes()), "4-byte samples are not supported (only 8 and 16-bit)");

    std::vector<std::uint8_t> notXtf = good.bytes();
    notXtf[0] = 0;
    EXPECT_EQ(problemOf(notXtf), "not an XTF file");
}

}  // namespace
