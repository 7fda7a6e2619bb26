#include <gtest/gtest.h>

#include <array>
#include <string>

#include "kbfile/NmeaSentences.h"

namespace {
using namespace kbfile;

NmeaReading read(std::initializer_list<std::string> sentences, GpsSentenceSet set) {
    const std::vector<std::string> list(sentences);
    return readSentences(list, set);
}

TEST(NmeaReading, GllGivesPositionWithHemispheresAndTime) {
    const NmeaReading r =
        read({"$GPGLL,4916.45,N,12311.12,W,225444,A\r\n"}, GpsSentenceSet::GllVtg);
    ASSERT_TRUE(r.position);
    EXPECT_NEAR(r.position->latitude, 49.274166666, 1e-8);
    EXPECT_NEAR(r.position->longitude, -123.185333333, 1e-8);
    EXPECT_EQ(r.timeText, "22:54:44");
    EXPECT_TRUE(r.dateText.empty());
    EXPECT_FALSE(r.speedKnots);
}

TEST(NmeaReading, OnlyTheSentencesOfTheSetAreBelieved) {
    const std::string gga = "$GPGGA,225444,3330.00,S,07015.00,E,1,05,1.2,3.4,M,,,,*0C\r\n";
    const std::string vtg = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n";
    EXPECT_FALSE(read({gga}, GpsSentenceSet::GllVtg).position);
    EXPECT_FALSE(read({gga}, GpsSentenceSet::Vtg).position);
    EXPECT_FALSE(read({vtg}, GpsSentenceSet::Rmc).speedKnots);

    const NmeaReading r = read({gga, vtg}, GpsSentenceSet::GgaVtg);
    ASSERT_TRUE(r.position);
    EXPECT_NEAR(r.position->latitude, -33.5, 1e-12);
    EXPECT_NEAR(r.position->longitude, 70.25, 1e-12);
    ASSERT_TRUE(r.speedKnots);
    EXPECT_DOUBLE_EQ(*r.speedKnots, 5.5);
    ASSERT_TRUE(r.headingDegrees);
    EXPECT_DOUBLE_EQ(*r.headingDegrees, 54.7);
}

TEST(NmeaReading, RmcCarriesEverythingAndItsTwoDigitYearPivotsAt69) {
    const NmeaReading r = read({"$GPRMC,081836,A,3751.65,S,14507.36,E,000.0,360.0,050307,,*01\r\n"},
                               GpsSentenceSet::Rmc);
    ASSERT_TRUE(r.position);
    EXPECT_NEAR(r.position->latitude, -37.860833333, 1e-8);
    EXPECT_NEAR(r.position->longitude, 145.122666666, 1e-8);
    EXPECT_EQ(r.timeText, "08:18:36");
    EXPECT_EQ(r.dateText, "05-MAR-2007");
    EXPECT_DOUBLE_EQ(r.speedKnots.value_or(-1), 0.0);
    EXPECT_DOUBLE_EQ(r.headingDegrees.value_or(-1), 360.0);
    EXPECT_EQ(
        read({"$GPRMC,081836,A,3751.65,S,14507.36,E,,,050399,,\r\n"}, GpsSentenceSet::Rmc).dateText,
        "05-MAR-1999");
}

TEST(NmeaReading, IncompleteOrEmptySentencesGiveNothing) {
    // No CR LF, a checksum that does not match, and a receiver without a fix.
    EXPECT_FALSE(read({"$GPGLL,4916.45,N,12311.12,W,225444,A"}, GpsSentenceSet::GllVtg).position);
    EXPECT_FALSE(
        read({"$GPGLL,4916.45,N,12311.12,W,225444,A*2C\r\n"}, GpsSentenceSet::GllVtg).position);
    EXPECT_FALSE(read({"$GPGLL,,,,,225444,V\r\n"}, GpsSentenceSet::GllVtg).position);
    EXPECT_FALSE(read({"", "$", "$GP\r\n", "$GPGLL\r\n"}, GpsSentenceSet::GllVtg).position);
}

TEST(NmeaReading, OtherTalkersAreReadAsPlaybackReadsThem) {
    // A .dsx recorded with all GNSS talkers accepted stores "$GN" sentences; playback believes
    // them, and so does the conversion.
    const NmeaReading r =
        read({"$GNGLL,4916.45,N,12311.12,W,225444,A\r\n"}, GpsSentenceSet::GllVtg);
    ASSERT_TRUE(r.position);
    EXPECT_NEAR(r.position->longitude, -123.185333333, 1e-8);
}

TEST(NmeaReading, ASentenceThatRanIntoTheNextIsTheLaterOne) {
    const NmeaReading r =
        read({"$GPGGA,12$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n"}, GpsSentenceSet::GgaVtg);
    EXPECT_FALSE(r.position);
    EXPECT_DOUBLE_EQ(r.speedKnots.value_or(0), 5.5);
}

TEST(NmeaReading, TheLastPositionOfARecordWins) {
    const NmeaReading r = read(
        {"$GPGLL,4916.45,N,12311.12,W,225444,A\r\n", "$GPGLL,4800.00,N,12200.00,W,225445,A\r\n"},
        GpsSentenceSet::GllVtg);
    ASSERT_TRUE(r.position);
    EXPECT_DOUBLE_EQ(r.position->latitude, 48.0);
    EXPECT_EQ(r.timeText, "22:54:45");
}

TEST(NmeaReading, RmcSentenceReadsBackWithItsChecksum) {
    const std::string s =
        rmcSentence({-37.860833333, 145.1226666}, 5.57, 54.75, "08:18:36", "05-MAR-2007");
    EXPECT_EQ(s, "$GPRMC,081836,A,3751.6500,S,14507.3600,E,5.57,54.75,050307,,*30\r\n");
    const NmeaReading r = read({s}, GpsSentenceSet::Rmc);
    ASSERT_TRUE(r.position);
    EXPECT_NEAR(r.position->latitude, -37.860833333, 1e-6);
    EXPECT_EQ(r.dateText, "05-MAR-2007");
    EXPECT_EQ(r.timeText, "08:18:36");
}

TEST(NmeaReading, RmcSentenceRoundsMinutesWithoutShowingSixty) {
    // 59.99999 minutes round up into the next degree.
    const std::string s =
        rmcSentence({10.0 + 59.99999 / 60.0, 0.0}, std::nullopt, std::nullopt, "", "05-MAR-20");
    EXPECT_EQ(s.substr(0, 40), "$GPRMC,,A,1100.0000,N,00000.0000,E,,,,,*");
    EXPECT_FALSE(read({s}, GpsSentenceSet::Rmc).speedKnots);
}

}  // namespace
