#include <gtest/gtest.h>

#include "kbfile/FileInfo.h"
#include "kbfile/KbfileTestFiles.h"

namespace {
using namespace kbfile;
using namespace kbfile_test;

constexpr double kDegreesTolerance = 1e-6;

PingRecord withGll(PingRecord rec, const char* sentence) {
    rec.sentenceSet = GpsSentenceSet::GllVtg;
    rec.fix.tickSentences[0] = sentence;
    return rec;
}

PingRecord withSs2Position(PingRecord rec, const char* lat, const char* lon) {
    rec.gpsInput = true;
    rec.gpsText[GpsText::Latitude] = lat;
    rec.gpsText[GpsText::Longitude] = lon;
    return rec;
}

TEST(FileInfo, CountsPingsAndGivesFirstAndLastPingWithSettings) {
    TempDir dir;
    const std::string path = dir.file("survey.dsx");
    writeFile(path, SourceKind::Dsx, pings(5));

    const InfoOutcome out = collectInfo(path);
    ASSERT_FALSE(out.problem);
    const InfoSummary& s = out.summary;
    EXPECT_EQ(s.kind, SourceKind::Dsx);
    EXPECT_EQ(s.pings, 5u);
    EXPECT_EQ(s.fileSize, 5u * 4096u);
    EXPECT_EQ(s.first.pingNumber, 1u);
    EXPECT_EQ(s.first.dateText, "05-MAR-2007");
    EXPECT_EQ(s.first.timeText, "22:54:01.120");
    EXPECT_EQ(s.last.pingNumber, 5u);
    EXPECT_EQ(s.last.timeText, "22:54:05.120");
    EXPECT_EQ(s.settings, (PingSettings{9, 1, 70, 30, 2000}));
    EXPECT_EQ(s.changeCount, 0u);

    const std::string text = formatInfo(path, s);
    EXPECT_NE(text.find("Kind:        0 (.dsx)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Pings:       5\n"), std::string::npos);
    EXPECT_NE(text.find("First ping:  #1  05-MAR-2007 22:54:01.120\n"), std::string::npos);
    EXPECT_NE(text.find("Last ping:   #5  05-MAR-2007 22:54:05.120\n"), std::string::npos);
    EXPECT_NE(text.find("Samples:     2000 a ping (1000 a side)\n"), std::string::npos);
    EXPECT_NE(
        text.find("Settings:    range 9 (50 m), mode Medium, data gain 70, gain balance 30\n"),
        std::string::npos);
    EXPECT_NE(text.find("Changes:     none\n"), std::string::npos);
    EXPECT_NE(text.find("GPS:         no positions\n"), std::string::npos);
}

TEST(FileInfo, ListsEachSettingsChangeWithPingNumberRecordAndOffset) {
    TempDir dir;
    const std::string path = dir.file("changes.dsx");
    std::vector<PingRecord> list = pings(9);
    for (int i = 3; i < 9; ++i) {
        list[i].rangeIndex = 10;
    }
    for (int i = 6; i < 9; ++i) {
        list[i].modeFreq = 2;
        list[i].dataGain = 80;
    }
    writeFile(path, SourceKind::Dsx, list);

    const InfoOutcome out = collectInfo(path);
    ASSERT_FALSE(out.problem);
    const InfoSummary& s = out.summary;
    ASSERT_EQ(s.changes.size(), 2u);
    EXPECT_EQ(s.changeCount, 2u);
    EXPECT_EQ(s.changes[0].pingNumber, 4u);
    EXPECT_EQ(s.changes[0].place.index, 3u);
    EXPECT_EQ(s.changes[0].place.offset, 3u * 4096u);
    EXPECT_EQ(s.changes[0].before.rangeIndex, 9);
    EXPECT_EQ(s.changes[0].after.rangeIndex, 10);
    EXPECT_EQ(s.changes[1].place.offset, 6u * 4096u);

    const std::string text = formatInfo(path, s);
    EXPECT_NE(text.find("Changes:     2\n"
                        "  ping #4 (record 4 at byte 12288): range 10 (60 m)\n"
                        "  ping #7 (record 7 at byte 24576): mode High, data gain 80\n"),
              std::string::npos)
        << text;
}

TEST(FileInfo, ASampleCountChangeIsListedToo) {
    InfoCollector c(SourceKind::Dsx);
    c.add(ping(1, 2000), {0, 0, 4096, 0});
    c.add(ping(2, 1000), {1, 4096, 3096, 0});
    ASSERT_EQ(c.summary().changes.size(), 1u);
    EXPECT_EQ(c.summary().changes[0].after.samplesTotal, 1000);
}

TEST(FileInfo, ChangesBeyondTheListAreCountedNotListed) {
    InfoCollector c(SourceKind::Dsx);
    PingRecord rec = ping(1);
    const std::uint64_t total = InfoSummary::kListedChanges + 100;
    for (std::uint64_t i = 0; i <= total; ++i) {
        rec.dataGain = static_cast<std::uint8_t>(i % 2 == 0 ? 70 : 71);
        c.add(rec, {i, i * 4096, 4096, 0});
    }
    EXPECT_EQ(c.summary().changes.size(), InfoSummary::kListedChanges);
    EXPECT_EQ(c.summary().changeCount, total);
    EXPECT_NE(formatInfo("f.dsx", c.summary()).find("  (100 more not listed)\n"),
              std::string::npos);
}

TEST(FileInfo, DsxPositionsComeFromTheSentencesOfTheRecordsSet) {
    TempDir dir;
    const std::string path = dir.file("gps.dsx");
    std::vector<PingRecord> list = pings(4);
    list[0] = withGll(list[0], "$GPGLL,4916.45,N,12311.12,W,225444,A\r\n");
    list[2] = withGll(list[2], "$GPGLL,4917.00,N,12310.00,W,225446,A\r\n");
    // Not of the record's set ("GLL + VTG"): playback does not believe it, nor does info.
    list[3] = withGll(list[3], "$GPGGA,225447,5000.00,N,12000.00,W,1,05,1.2,3.4,M,,,,\r\n");
    writeFile(path, SourceKind::Dsx, list);

    const InfoOutcome out = collectInfo(path);
    ASSERT_FALSE(out.problem);
    const InfoSummary& s = out.summary;
    EXPECT_EQ(s.pingsWithPosition, 2u);
    ASSERT_TRUE(s.span);
    EXPECT_NEAR(s.span->min.latitude, 49.274166666, kDegreesTolerance);
    EXPECT_NEAR(s.span->max.latitude, 49.283333333, kDegreesTolerance);
    EXPECT_NEAR(s.span->min.longitude, -123.185333333, kDegreesTolerance);
    EXPECT_NEAR(s.span->max.longitude, -123.166666666, kDegreesTolerance);
    const std::string text = formatInfo(path, s);
    EXPECT_NE(text.find("GPS:         2 of 4 pings with a position\n"
                        "Latitude:    49.274167 .. 49.283333\n"
                        "Longitude:   -123.185333 .. -123.166667\n"),
              std::string::npos)
        << text;
}

TEST(FileInfo, Ss2PositionsComeFromTheGpsTextsWithTheirHemisphere) {
    TempDir dir;
    const std::string path = dir.file("gps.SS2");
    std::vector<PingRecord> list = pings(3);
    list[0] = withSs2Position(list[0], "33.30.0000 S", "070.15.0000 W");
    list[1] = withSs2Position(list[1], "33.45.0000 S", "070.30.0000 W");
    writeFile(path, SourceKind::Ss2, list);

    const InfoOutcome out = collectInfo(path);
    ASSERT_FALSE(out.problem);
    const InfoSummary& s = out.summary;
    EXPECT_EQ(s.kind, SourceKind::Ss2);
    EXPECT_EQ(s.pingsWithPosition, 2u);
    ASSERT_TRUE(s.span);
    EXPECT_NEAR(s.span->min.latitude, -33.75, kDegreesTolerance);
    EXPECT_NEAR(s.span->max.latitude, -33.5, kDegreesTolerance);
    EXPECT_NEAR(s.span->min.longitude, -70.5, kDegreesTolerance);
    EXPECT_NEAR(s.span->max.longitude, -70.25, kDegreesTolerance);
    // The compact records keep neither ping numbers nor milliseconds.
    EXPECT_EQ(s.last.pingNumber, 3u);
    EXPECT_EQ(s.last.timeText, "22:54:03.000");
}

TEST(FileInfo, XtfPositionsAreTheCoordinatesAndZeroMeansNone) {
    TempDir dir;
    const std::string path = dir.file("gps.xtf");
    std::vector<PingRecord> list = pings(3);
    list[1].fix.latitude = 10.5;
    list[1].fix.latitudeHemisphere = 'N';
    list[1].fix.longitude = 20.25;
    list[1].fix.longitudeHemisphere = 'W';
    writeFile(path, SourceKind::Xtf, list);

    const InfoOutcome out = collectInfo(path);
    ASSERT_FALSE(out.problem);
    const InfoSummary& s = out.summary;
    EXPECT_EQ(s.kind, SourceKind::Xtf);
    EXPECT_EQ(s.pings, 3u);
    EXPECT_EQ(s.pingsWithPosition, 1u);
    ASSERT_TRUE(s.span);
    EXPECT_DOUBLE_EQ(s.span->min.latitude, 10.5);
    EXPECT_DOUBLE_EQ(s.span->max.longitude, -20.25);
    EXPECT_EQ(s.settings, (PingSettings{9, 1, 70, 30, 2000}));
}

}  // namespace
