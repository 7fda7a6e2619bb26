#include "datafile/Ss2Record.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestPings.h"

namespace {
using ::testing::Each;

std::vector<std::uint8_t> encode(const PingRecord& rec, std::uint16_t backLink = 2560) {
    std::vector<std::uint8_t> out(Ss2Record::kRecordBytes);
    EXPECT_TRUE(Ss2Record::encode(rec, backLink, out));
    return out;
}

std::string chars(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t n) {
    return std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + n));
}

TEST(Ss2RecordLayout, RecordIs2560BytesWithTerminatorAnd445PaddingBytes) {
    const PingRecord rec = makePing();
    const auto b = encode(rec, 5120);
    EXPECT_EQ(chars(b, 0, 4), std::string("SS2\0", 4));
    EXPECT_EQ(be16At(b, 4), 2560);
    EXPECT_EQ(be16At(b, 6), 2013);
    EXPECT_TRUE(std::equal(b.begin() + 100, b.begin() + 112, rec.ping.data()));
    EXPECT_TRUE(std::equal(b.begin() + 112, b.begin() + 2112, rec.ping.samples()));
    EXPECT_EQ(b[2112], 0xFC);
    EXPECT_THAT(std::vector(b.begin() + 2113, b.begin() + 2558), Each(0));
    EXPECT_EQ(2558 - 2113, 445);
    EXPECT_EQ(be16At(b, 2558), 5120);
}

TEST(Ss2RecordLayout, SettingsAndTextsSitAtTheirOffsets) {
    PingRecord rec = makePing();
    rec.modeFreq = 1;
    const auto b = encode(rec);
    EXPECT_EQ(chars(b, 8, 12), std::string("05-MAR-2007\0", 12));
    EXPECT_EQ(chars(b, 20, 9), std::string("22:54:44\0", 9));
    EXPECT_EQ(b[38], 9);
    EXPECT_EQ(b[39], 70);
    EXPECT_EQ(b[47], 0x20);
    EXPECT_EQ(be16At(b, 71), 150);
    EXPECT_EQ(b[73], 55);           // 5.57 knots
    EXPECT_EQ(be16At(b, 74), 547);  // 54.75 degrees
    EXPECT_EQ(b[76], 1);
    EXPECT_EQ(b[77], 30);
    EXPECT_EQ(chars(b, 78, 9), "05-MAR-20");
    EXPECT_EQ(chars(b, 87, 8), "22:54:44");
}

TEST(Ss2RecordLayout, PositionTextsDropTheBlankBeforeTheHemisphere) {
    PingRecord rec = makePing();
    rec.gpsText[GpsText::Latitude] = "49.12.3456 N";
    rec.gpsText[GpsText::Longitude] = "123.12.3456 E";
    auto b = encode(rec);
    EXPECT_EQ(chars(b, 48, 11), "49.12.3456N");
    EXPECT_EQ(chars(b, 59, 12), "123.12.3456E");

    rec.gpsText[GpsText::Latitude] = "49.16.45 N";  // shorter: the letter is written twice
    b = encode(rec);
    EXPECT_EQ(chars(b, 48, 11), "49.16.45 NN");
}

TEST(Ss2RecordLayout, WithoutGpsInputPositionsAreZeroAndShortTextsAreNotStored) {
    PingRecord rec = makePing();
    rec.gpsInput = false;
    rec.gpsText = GpsText{};
    const auto b = encode(rec);
    EXPECT_EQ(b[47], 0);
    EXPECT_THAT(std::vector(b.begin() + 48, b.begin() + 71), Each(0));
    EXPECT_THAT(std::vector(b.begin() + 78, b.begin() + 100), Each(0));
}

TEST(Ss2RecordLayout, PingTooLargeForTheRecordIsRefused) {
    std::vector<std::uint8_t> out(Ss2Record::kRecordBytes, 0xAA);
    EXPECT_TRUE(Ss2Record::encode(makePing(1, 2445), 2560, out));
    EXPECT_FALSE(Ss2Record::encode(makePing(1, 2446), 2560, out));
}

TEST(Ss2RecordRoundTrip, SettingsSamplesAndGpsComeBack) {
    PingRecord rec = makePing();
    rec.gpsText[GpsText::Latitude] = "49.12.3456 S";
    rec.gpsText[GpsText::Longitude] = "123.12.3456 W";
    PingRecord back;
    back.pingNumber = 99;
    ASSERT_EQ(Ss2Record::decode(encode(rec), back), 2560u);
    EXPECT_EQ(back.pingNumber, 99u);  // not stored in this layout
    EXPECT_EQ(back.dateText, "05-MAR-2007");
    EXPECT_EQ(back.timeText, "22:54:44");
    EXPECT_EQ(back.millisecondText, ".000");
    EXPECT_EQ(back.rangeIndex, 9);
    EXPECT_EQ(back.dataGain, 70);
    EXPECT_EQ(back.gainBalance, 30);
    EXPECT_EQ(back.pingIntervalMs, 150u);
    EXPECT_TRUE(back.gpsInput);
    EXPECT_EQ(back.gpsText[GpsText::Latitude], "49.12.3456S");
    EXPECT_DOUBLE_EQ(back.fix.latitude, 49 + 12.3456 / 60);
    EXPECT_EQ(back.fix.latitudeHemisphere, 'S');
    EXPECT_DOUBLE_EQ(back.fix.longitude, 123 + 12.3456 / 60);
    EXPECT_EQ(back.fix.longitudeHemisphere, 'W');
    EXPECT_DOUBLE_EQ(back.fix.speedKnots, 5.5);
    EXPECT_EQ(back.gpsText[GpsText::Speed], "5.5 Knots");
    EXPECT_EQ(back.gpsText[GpsText::Heading], "54.7 Deg.");
    EXPECT_EQ(back.gpsText[GpsText::Date], "05-MAR-20");
    EXPECT_EQ(back.gpsText[GpsText::Time], "22:54:44");
    ASSERT_EQ(back.ping.samplesTotal(), 2000);
    EXPECT_TRUE(std::equal(back.ping.data(), back.ping.data() + back.ping.size(), rec.ping.data()));
}

TEST(Ss2RecordRoundTrip, MissingGpsValuesReadAsNotAvailable) {
    PingRecord rec = makePing();
    rec.gpsInput = false;
    rec.gpsText = GpsText{};
    rec.fix.speedKnots = rec.fix.headingDegrees = 0;
    PingRecord back = makePing();
    ASSERT_TRUE(Ss2Record::decode(encode(rec), back));
    for (const std::string& text : back.gpsText.fields) {
        EXPECT_EQ(text, "n/a");
    }
    EXPECT_FALSE(back.gpsInput);
}

TEST(Ss2RecordRoundTrip, DateWithSplitYearIsRebuilt) {
    auto b = encode(makePing());
    std::memcpy(b.data() + 8, "05-MAR-19099", 12);  // byte 19 not zero
    PingRecord back;
    ASSERT_TRUE(Ss2Record::decode(b, back));
    EXPECT_EQ(back.dateText, "05-MAR-1999");
}

TEST(Ss2RecordRefusal, LengthsThatDoNotFitAreBad) {
    const auto good = encode(makePing());
    PingRecord out;
    EXPECT_FALSE(Ss2Record::decode(std::vector(good.begin(), good.end() - 1), out));
    auto b = good;
    b[6] = 0;
    b[7] = 14;  // fewer samples than two sides need
    EXPECT_FALSE(Ss2Record::decode(b, out));
    b = good;
    b[4] = 0x08;
    b[5] = 0x00;  // 2048 bytes cannot hold 2000 samples after the headers
    EXPECT_FALSE(Ss2Record::decode(b, out));
    EXPECT_EQ(out.ping.samplesTotal(), 0);
}
}  // namespace
