#include <gtest/gtest.h>

#include <filesystem>

#include "datafile/MemoryByteSource.h"
#include "datafile/RecordReader.h"
#include "kbfile/Converter.h"
#include "kbfile/KbfileTestFiles.h"
#include "kbfile/NmeaSentences.h"

namespace {
using namespace kbfile;
using namespace kbfile_test;

// Every ping of a file, read with the program's own reader.
std::vector<PingRecord> readAll(const std::string& path, SourceKind kind) {
    const std::vector<std::uint8_t> bytes = readBytes(path);
    MemoryByteSource source(bytes);
    RecordReader reader(source, kind);
    std::vector<PingRecord> out;
    PingRecord rec;
    while (reader.next(rec) == ReadStatus::Ok) {
        out.push_back(rec);
    }
    return out;
}

std::vector<std::uint8_t> samplesOf(const PingRecord& rec) {
    return {rec.ping.samples(), rec.ping.samples() + rec.ping.samplesTotal()};
}

// Three pings with different settings and a GPS fix in the first one's sentences.
std::vector<PingRecord> survey() {
    std::vector<PingRecord> list = {ping(101), ping(102), ping(103)};
    list[1].rangeIndex = 13;
    list[1].modeFreq = 2;
    list[1].dataGain = 55;
    list[1].gainBalance = 40;
    list[2].pingIntervalMs = 90;
    list[0].sentenceSet = GpsSentenceSet::GllVtg;
    list[0].fix.tickSentences[0] = "$GPGLL,4916.4500,N,12311.1200,W,225444,A\r\n";
    list[0].fix.tickSentences[1] = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n";
    return list;
}

class Convert : public ::testing::Test {
  protected:
    std::string convert(const std::string& from, const std::string& to) {
        const ConvertOutcome out = convertFile(dir.file(from), dir.file(to));
        EXPECT_FALSE(out.problem) << out.problem->file << ": " << out.problem->what;
        return dir.file(to);
    }
    TempDir dir;
};

TEST_F(Convert, RoundTripThroughXtfAndSs2KeepsSamplesSettingsAndTimes) {
    const std::vector<PingRecord> original = survey();
    writeFile(dir.file("a.dsx"), SourceKind::Dsx, original);
    convert("a.dsx", "b.xtf");
    convert("b.xtf", "c.ss2");
    const std::vector<PingRecord> back = readAll(convert("c.ss2", "d.dsx"), SourceKind::Dsx);

    ASSERT_EQ(back.size(), original.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(samplesOf(back[i]), samplesOf(original[i]));
        EXPECT_EQ(back[i].rangeIndex, original[i].rangeIndex);
        EXPECT_EQ(back[i].modeFreq, original[i].modeFreq);
        EXPECT_EQ(back[i].dataGain, original[i].dataGain);
        EXPECT_EQ(back[i].gainBalance, original[i].gainBalance);
        EXPECT_EQ(back[i].pingIntervalMs, original[i].pingIntervalMs);
        EXPECT_EQ(back[i].dateText, original[i].dateText);
        EXPECT_EQ(back[i].timeText, original[i].timeText);
        // What the chain cannot carry: milliseconds (.ss2), ping numbers (.ss2), the head
        // header (XTF).
        EXPECT_EQ(back[i].millisecondText, ".000");
        EXPECT_EQ(back[i].pingNumber, i + 1);
        EXPECT_EQ(back[i].ping.header()[0], 0);
    }
}

TEST_F(Convert, PositionSurvivesTheRoundTripAsAnRmcSentence) {
    writeFile(dir.file("a.dsx"), SourceKind::Dsx, survey());
    convert("a.dsx", "b.xtf");
    convert("b.xtf", "c.ss2");
    const std::vector<PingRecord> back = readAll(convert("c.ss2", "d.dsx"), SourceKind::Dsx);
    ASSERT_EQ(back.size(), 3u);
    // The recorder keeps the last fix, so every later ping carries the position too.
    for (const PingRecord& rec : back) {
        EXPECT_EQ(rec.sentenceSet, GpsSentenceSet::Rmc);
        const NmeaReading r = readSentences(rec.fix.tickSentences, rec.sentenceSet);
        ASSERT_TRUE(r.position);
        EXPECT_NEAR(r.position->latitude, 49.2741666, 1e-6);
        EXPECT_NEAR(r.position->longitude, -123.1853333, 1e-6);
        ASSERT_TRUE(r.speedKnots);
        EXPECT_NEAR(*r.speedKnots, 5.5, 1e-9);
        ASSERT_TRUE(r.headingDegrees);
        EXPECT_NEAR(*r.headingDegrees, 54.7, 1e-9);
    }
}

TEST_F(Convert, XtfKeepsMillisecondsToTenAndPingNumbersButNoHeadHeader) {
    std::vector<PingRecord> list = survey();
    list[0].millisecondText = ".987";
    writeFile(dir.file("a.dsx"), SourceKind::Dsx, list);
    const std::vector<PingRecord> xtf = readAll(convert("a.dsx", "b.XTF"), SourceKind::Xtf);
    ASSERT_EQ(xtf.size(), 3u);
    EXPECT_EQ(xtf[0].millisecondText, ".980");
    EXPECT_EQ(xtf[0].pingNumber, 101u);
    EXPECT_EQ(xtf[2].pingNumber, 103u);
    EXPECT_EQ(xtf[0].ping.header()[0], 0);
    EXPECT_NEAR(xtf[0].fix.latitude, 49.2741666, 1e-6);
    EXPECT_NEAR(xtf[0].fix.longitude, -123.1853333, 1e-6);
    EXPECT_NEAR(xtf[0].fix.speedKnots, 5.5, 1e-6);
}

TEST_F(Convert, XtfCannotHoldAModeOutsideTheThreeFrequencies) {
    std::vector<PingRecord> list = survey();
    list[0].modeFreq = 5;
    writeFile(dir.file("a.dsx"), SourceKind::Dsx, list);
    const std::vector<PingRecord> xtf = readAll(convert("a.dsx", "b.xtf"), SourceKind::Xtf);
    ASSERT_EQ(xtf.size(), 3u);
    EXPECT_EQ(xtf[0].modeFreq, 0);
    EXPECT_EQ(xtf[1].modeFreq, 2);
}

TEST_F(Convert, Ss2KeepsTheHeadHeaderAndTheCarriedGpsTexts) {
    writeFile(dir.file("a.dsx"), SourceKind::Dsx, survey());
    const std::vector<PingRecord> ss2 = readAll(convert("a.dsx", "b.ss2"), SourceKind::Ss2);
    ASSERT_EQ(ss2.size(), 3u);
    EXPECT_EQ(ss2[0].ping.header()[0], 'D');
    EXPECT_EQ(ss2[0].millisecondText, ".000");
    for (const PingRecord& rec : ss2) {
        EXPECT_TRUE(rec.gpsInput);
        EXPECT_EQ(rec.gpsText[GpsText::Latitude], "49.16.4500N");
        EXPECT_EQ(rec.gpsText[GpsText::Longitude], "123.11.1200W");
        EXPECT_EQ(rec.gpsText[GpsText::Time], "22:54:44");
        EXPECT_NEAR(rec.fix.speedKnots, 5.5, 1e-9);
    }
}

TEST_F(Convert, ThePingsOfAFileWithoutGpsGetNoPositionAnywhere) {
    writeFile(dir.file("a.dsx"), SourceKind::Dsx, pings(2));
    const std::vector<PingRecord> ss2 = readAll(convert("a.dsx", "b.ss2"), SourceKind::Ss2);
    ASSERT_EQ(ss2.size(), 2u);
    EXPECT_FALSE(ss2[0].gpsInput);
    const std::vector<PingRecord> dsx = readAll(convert("b.ss2", "c.dsx"), SourceKind::Dsx);
    ASSERT_EQ(dsx.size(), 2u);
    EXPECT_TRUE(dsx[0].fix.tickSentences[0].empty());
}

TEST_F(Convert, APingTooLongForSs2FailsAndLeavesNoOutput) {
    writeFile(dir.file("long.dsx"), SourceKind::Dsx, {ping(1), ping(2, 3000)});
    const ConvertOutcome out = convertFile(dir.file("long.dsx"), dir.file("out.ss2"));
    ASSERT_TRUE(out.problem);
    EXPECT_EQ(out.problem->file, dir.file("out.ss2"));
    EXPECT_EQ(out.problem->what,
              "ping #2 (record 2) has 3000 samples, more than a .ss2 record holds");
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.ss2")));
}

TEST_F(Convert, ABadInputCreatesNoOutput) {
    writeBytes(dir.file("bad.dsx"), {'n', 'o', 't', ' ', 'a', ' ', 'r', 'e', 'c', 'o', 'r', 'd'});
    const ConvertOutcome out = convertFile(dir.file("bad.dsx"), dir.file("out.xtf"));
    ASSERT_TRUE(out.problem);
    EXPECT_EQ(out.problem->what, "bad record at byte 0");
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.xtf")));
}

TEST_F(Convert, RefusesToWriteOverItsInput) {
    writeFile(dir.file("a.dsx"), SourceKind::Dsx, pings(2));
    std::filesystem::create_symlink(dir.file("a.dsx"), dir.file("link.dsx"));
    const ConvertOutcome out = convertFile(dir.file("a.dsx"), dir.file("link.dsx"));
    ASSERT_TRUE(out.problem);
    EXPECT_EQ(out.problem->what, "is the input file");
    EXPECT_EQ(readAll(dir.file("a.dsx"), SourceKind::Dsx).size(), 2u);
}

TEST_F(Convert, RefusesAnOutputOfUnknownKind) {
    writeFile(dir.file("a.dsx"), SourceKind::Dsx, pings(1));
    const ConvertOutcome out = convertFile(dir.file("a.dsx"), dir.file("a.txt"));
    ASSERT_TRUE(out.problem);
    EXPECT_EQ(out.problem->file, dir.file("a.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.txt")));
}

TEST_F(Convert, XtfOutputStartsWithTheFileHeaderOfItsName) {
    writeFile(dir.file("a.dsx"), SourceKind::Dsx, pings(2));
    const std::vector<std::uint8_t> bytes = readBytes(convert("a.dsx", "line7.xtf"));
    ASSERT_EQ(bytes.size(), 1024u + 2u * 2384u);
    EXPECT_EQ(std::string(bytes.begin() + 100, bytes.begin() + 109), "line7.xtf");
}

}  // namespace
