#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestPings.h"
#include "datafile/ByteOrder.h"
#include "datafile/JulianDay.h"
#include "datafile/XtfReader.h"
#include "datafile/XtfWriter.h"

namespace {
constexpr std::size_t kChannel0 = 256;
constexpr std::size_t kChannel1 = 256 + 64 + 1000;

std::vector<std::uint8_t> encodePing(const PingRecord& rec) {
    std::vector<std::uint8_t> out(XtfWriter::pingSize(rec.ping.samplesTotal()));
    EXPECT_TRUE(XtfWriter::encodePing(rec, out));
    return out;
}

TEST(XtfFile, LengthIsHeaderPlus2384BytesPerPing) {
    for (int n : {0, 1, 7}) {
        EXPECT_EQ(makeFile(SourceKind::Xtf, n).size(), 1024u + n * 2384u);
    }
}

TEST(XtfFile, HeaderCheckAcceptsOwnFilesOnly) {
    EXPECT_EQ(std::string(XtfReader::kNotOurFileMessage),
              "This is not a Marovant Keelbrook.exe recorded file!    ");
    XtfWriter::FileHeader h = XtfWriter::fileHeader("C:\\data\\run.xtf", 2000);
    EXPECT_TRUE(XtfReader::checkFileHeader(h));
    EXPECT_FALSE(XtfReader::checkFileHeader(std::span(h).first(1023)));
    h[26] = 'x';  // last letter of "Keelbrook"
    EXPECT_FALSE(XtfReader::checkFileHeader(h));
    h = XtfWriter::fileHeader("run.xtf", 2000);
    h[9] = 'T';
    EXPECT_FALSE(XtfReader::checkFileHeader(h));
}

TEST(XtfFile, FileNamePartOfThePathIsStoredUpTo64Characters) {
    auto h = XtfWriter::fileHeader("/home/u/05-MAR-2007-00.xtf", 2000);
    EXPECT_STREQ(reinterpret_cast<const char*>(h.data() + 100), "05-MAR-2007-00.xtf");
    h = XtfWriter::fileHeader("C:\\x\\" + std::string(70, 'n'), 2000);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(h.data() + 100), 64), std::string(64, 'n'));
    EXPECT_EQ(h[164], 3);  // the field after the name is untouched
}

TEST(XtfJulianDay, CountsDaysWithTheGregorianLeapYears) {
    EXPECT_EQ(julianDay(2004, 3, 1), 61);
    EXPECT_EQ(julianDay(2005, 3, 1), 60);
    EXPECT_EQ(julianDay(2052, 3, 1), 61);
    EXPECT_EQ(julianDay(1988, 3, 1), 61);
    EXPECT_EQ(julianDay(2000, 3, 1), 61);
    EXPECT_EQ(julianDay(2100, 3, 1), 60);
    EXPECT_EQ(julianDay(2004, 1, 1), 1);
    EXPECT_EQ(julianDay(2004, 12, 31), 366);
    EXPECT_EQ(julianDay(2005, 12, 31), 365);
}

TEST(XtfJulianDay, DatesOutsideTheYearGiveOne) {
    EXPECT_EQ(julianDay(2004, 1, 0), 1);
    EXPECT_EQ(julianDay(2004, 13, 5), 1);
    EXPECT_EQ(julianDay(2004, 12, 32), 1);
}

TEST(XtfPing, SlantRangeGivesTheRangeIndexBack) {
    PingRecord rec = makePing();
    rec.rangeIndex = 13;
    auto b = encodePing(rec);
    EXPECT_EQ(byteorder::getLeFloat(b.data() + kChannel0 + 4), 125.0f);
    PingRecord back;
    ASSERT_TRUE(XtfReader::decodePing(b, back));
    EXPECT_EQ(back.rangeIndex, 13);
    for (std::size_t ch : {kChannel0, kChannel1}) {
        byteorder::putLeFloat(b.data() + ch + 4, 70.0f);
    }
    ASSERT_TRUE(XtfReader::decodePing(b, back));
    EXPECT_EQ(back.rangeIndex, 15);
}

TEST(XtfPing, FrequencyWordGivesTheModeAndUnknownWordsKeepIt) {
    PingRecord rec = makePing();
    rec.modeFreq = 1;
    auto b = encodePing(rec);
    EXPECT_EQ(byteorder::getLe16(b.data() + kChannel0 + 24), 330);
    PingRecord back;
    ASSERT_TRUE(XtfReader::decodePing(b, back));
    EXPECT_EQ(back.modeFreq, 1);
    for (std::size_t ch : {kChannel0, kChannel1}) {
        byteorder::putLe16(b.data() + ch + 24, 500);
    }
    back.modeFreq = 2;
    ASSERT_TRUE(XtfReader::decodePing(b, back));
    EXPECT_EQ(back.modeFreq, 2);
}

TEST(XtfPing, EventWordAtOffset26IsAlwaysZero) {
    const auto file = makeFile(SourceKind::Xtf, 5);
    for (std::size_t at = 1024; at < file.size(); at += 2384) {
        EXPECT_EQ(byteorder::getLe16(file.data() + at + 26), 0);
    }
}

TEST(XtfPing, RoundTripGivesBackEveryFieldPlaybackReads) {
    PingRecord rec = makePing(123456);
    rec.modeFreq = 2;
    rec.dataGain = 99;
    rec.gainBalance = 12;
    rec.rangeIndex = 5;
    rec.fix.latitudeHemisphere = 'S';
    rec.fix.longitudeHemisphere = 'W';
    rec.fix.speedKnots = 4.5;
    rec.fix.headingDegrees = 270.25;
    for (std::uint32_t interval : {150u, 1u, 5u, 999u, 65535u}) {
        rec.pingIntervalMs = interval;
        PingRecord back;
        ASSERT_EQ(XtfReader::decodePing(encodePing(rec), back), 2384u);
        EXPECT_EQ(back.pingIntervalMs, interval);
        EXPECT_EQ(back.pingNumber, 123456u);
        EXPECT_EQ(back.dateText, "05-MAR-2007");
        EXPECT_EQ(back.timeText, "22:54:44");
        EXPECT_EQ(back.millisecondText, ".120");  // hundredths of a second
        EXPECT_EQ(back.rangeIndex, 5);
        EXPECT_EQ(back.modeFreq, 2);
        EXPECT_EQ(back.dataGain, 99);
        EXPECT_EQ(back.gainBalance, 12);
        EXPECT_DOUBLE_EQ(back.fix.latitude, -49.274166);
        EXPECT_DOUBLE_EQ(back.fix.longitude, -123.185333);
        EXPECT_DOUBLE_EQ(back.fix.speedKnots, 4.5);
        EXPECT_DOUBLE_EQ(back.fix.headingDegrees, 270.25);
        EXPECT_EQ(back.gpsText[GpsText::Latitude], "49.16.4500 S");
        EXPECT_EQ(back.gpsText[GpsText::Longitude], "123.11.1200 W");
        EXPECT_EQ(back.gpsText[GpsText::Speed], "4.50 knots");
        EXPECT_EQ(back.gpsText[GpsText::Heading], "270.25 deg.");
        EXPECT_EQ(back.gpsText[GpsText::Time], "n/a");
        ASSERT_EQ(back.ping.samplesTotal(), 2000);
        EXPECT_TRUE(
            std::equal(back.ping.samples(), back.ping.samples() + 2000, rec.ping.samples()));
        EXPECT_FALSE(back.stored.header);
    }
}

TEST(XtfPing, HeadHeaderOfThePreviousPingStays) {
    PingRecord back = makePing(1, 500);
    const std::vector<std::uint8_t> before(back.ping.data(), back.ping.data() + 12);
    ASSERT_TRUE(XtfReader::decodePing(encodePing(makePing(2, 2000)), back));
    EXPECT_TRUE(std::equal(before.begin(), before.end(), back.ping.data()));
}

TEST(XtfPing, MalformedPingsAreBad) {
    const auto good = encodePing(makePing());
    PingRecord out;
    EXPECT_FALSE(XtfReader::decodePing(std::vector(good.begin(), good.end() - 1), out));
    auto b = good;
    b[0] = 0xCD;  // magic
    EXPECT_FALSE(XtfReader::decodePing(b, out));
    b = good;
    b[4] = 0;  // no channels: nothing to divide the samples among
    EXPECT_FALSE(XtfReader::decodePing(b, out));
    b = good;
    byteorder::putLe32(b.data() + 10, 383);
    EXPECT_FALSE(XtfReader::decodePing(b, out));
    EXPECT_EQ(out.ping.samplesTotal(), 0);
}

TEST(XtfPing, OneChannelFileNeverWritesPastTheSamples) {
    auto b = encodePing(makePing());
    b[4] = 1;    // samplesTotal now 2064, all of it one channel
    b[256] = 1;  // channel 1 would start past the end of the samples, so it is not read
    PingRecord out;
    ASSERT_TRUE(XtfReader::decodePing(b, out));
    ASSERT_EQ(out.ping.samplesTotal(), 2064);
    EXPECT_TRUE(std::all_of(out.ping.samples(), out.ping.samples() + 2064,
                            [](std::uint8_t v) { return v == 0; }));
}
}  // namespace
