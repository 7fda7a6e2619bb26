#include "nmeasim/Nmea.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "nmeasim/NmeaCheck.h"

namespace {

using nmeasim::Fix;
using nmeasim::SentenceBuilder;
using nmeasim::SentenceType;

const std::vector<SentenceType> kAllTypes = {
    SentenceType::GGA, SentenceType::GLL, SentenceType::RMC, SentenceType::VTG,
    SentenceType::GSA, SentenceType::GSV, SentenceType::ZDA};

Fix fixAt(double lat, double lon) {
    Fix f;
    f.time = *nmeasim::parseIsoTime("2007-03-05T22:54:44") + 250000;
    f.latitude = lat;
    f.longitude = lon;
    f.speedKnots = 4.126;
    f.courseDegrees = 271.5;
    f.altitude = 2.4;
    f.geoidSeparation = 47.0;
    f.satellites = {{5, 40, 120, 38, true},
                    {12, 8, 300, 25, false},
                    {17, 66, 45, 44, true},
                    {24, 30, 200, 35, true},
                    {29, 52, 10, 41, true}};
    return f;
}

TEST(NmeaSentenceTest, ChecksumMatchesARealReceiver) {
    // A line of the Garmin 17N capture in tests/data/nmeasim.
    EXPECT_EQ(nmeasim::frame("GPGLL,5213.1439,N,02100.6511,E,093802,A,D"),
              "$GPGLL,5213.1439,N,02100.6511,E,093802,A,D*48\r\n");
}

TEST(NmeaSentenceTest, EverySentenceOfEveryTalkerIsFramedWithAValidChecksum) {
    for (const std::string talker : {"GP", "GN", "GL", "GA", "GB"}) {
        const auto sentences = SentenceBuilder(talker).build(kAllTypes, fixAt(50.5, -1.5));
        ASSERT_EQ(sentences.size(), kAllTypes.size() + 1) << "5 satellites take two GSV";
        for (const std::string& s : sentences) {
            EXPECT_TRUE(nmeacheck::valid(s)) << s;
            // Satellites in view stay GPS satellites under a combined talker.
            const bool gsv = s.compare(3, 3, "GSV") == 0;
            EXPECT_EQ(s.substr(1, 2), gsv && talker == "GN" ? "GP" : talker) << s;
        }
    }
}

TEST(NmeaSentenceTest, FieldsReadBackAsTheFixInEveryQuadrant) {
    struct Case {
        double lat;
        double lon;
        const char* ns;
        const char* ew;
    };
    const Case cases[] = {
        {50.7750, -1.2300, "N", "W"},          {-33.8568, 151.2153, "S", "E"},
        {-45.4576, -67.9875, "S", "W"},        {60.5, 5.0, "N", "E"},
        {9.99999999, -179.99999999, "N", "W"},  // minutes round up into the next degree
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.lat) + "," + std::to_string(c.lon));
        const Fix fix = fixAt(c.lat, c.lon);
        const auto s = SentenceBuilder("GP").build(
            {SentenceType::GGA, SentenceType::GLL, SentenceType::RMC, SentenceType::VTG}, fix);
        const auto gga = nmeacheck::fields(s[0]);
        const auto gll = nmeacheck::fields(s[1]);
        const auto rmc = nmeacheck::fields(s[2]);
        const auto vtg = nmeacheck::fields(s[3]);
        // Where latitude and longitude sit in GGA, GLL and RMC.
        for (const auto& [f, at] : {std::pair{gga, 2}, std::pair{gll, 1}, std::pair{rmc, 3}}) {
            EXPECT_NEAR(nmeacheck::degrees(f[at], f[at + 1]), c.lat, 1e-6);
            EXPECT_NEAR(nmeacheck::degrees(f[at + 2], f[at + 3]), c.lon, 1e-6);
            EXPECT_EQ(f[at + 1], c.ns);
            EXPECT_EQ(f[at + 3], c.ew);
            // Two degree digits for latitude, three for longitude, two minute digits.
            EXPECT_EQ(f[at].find('.'), 4u) << f[at];
            EXPECT_EQ(f[at + 2].find('.'), 5u) << f[at + 2];
        }
        EXPECT_EQ(gga[1], "225444.25");
        EXPECT_EQ(gll[5], "225444.25");
        EXPECT_EQ(rmc[1], "225444.25");
        EXPECT_EQ(gga[6], "1") << "GPS fix";
        EXPECT_EQ(gga[7], "04") << "satellites used";
        EXPECT_EQ(gll[6], "A");
        EXPECT_EQ(rmc[2], "A");
        EXPECT_EQ(rmc[7], "4.13");
        EXPECT_EQ(rmc[8], "271.50");
        EXPECT_EQ(rmc[9], "050307");
        EXPECT_EQ(vtg[1], "271.50");
        EXPECT_EQ(vtg[2], "T");
        EXPECT_EQ(vtg[5], "4.13");
        EXPECT_EQ(vtg[6], "N");
        EXPECT_EQ(vtg[7], "7.64");
        EXPECT_EQ(vtg[8], "K");
    }
}

TEST(NmeaSentenceTest, CourseStaysBelowThreeHundredSixtyWhenRounded) {
    for (const auto& [course, text] : {std::pair{359.996, "0.00"}, std::pair{359.994, "359.99"},
                                       std::pair{0.0, "0.00"}, std::pair{180.006, "180.01"}}) {
        Fix fix = fixAt(50.5, -1.5);
        fix.courseDegrees = course;
        const auto s = SentenceBuilder("GP").build({SentenceType::RMC, SentenceType::VTG}, fix);
        EXPECT_EQ(nmeacheck::fields(s[0])[8], text) << course;
        EXPECT_EQ(nmeacheck::fields(s[1])[1], text) << course;
    }
}

TEST(NmeaSentenceTest, SatelliteAndDateSentencesDescribeTheSky) {
    const auto s = SentenceBuilder("GP").build(
        {SentenceType::GSA, SentenceType::GSV, SentenceType::ZDA}, fixAt(1.0, 1.0));
    ASSERT_EQ(s.size(), 4u);
    const auto gsa = nmeacheck::fields(s[0]);
    ASSERT_EQ(gsa.size(), 18u) << "mode, fix type, 12 slots, three DOPs";
    EXPECT_EQ(std::vector<std::string>(gsa.begin() + 3, gsa.begin() + 8),
              (std::vector<std::string>{"05", "17", "24", "29", ""}));
    const auto gsv1 = nmeacheck::fields(s[1]);
    const auto gsv2 = nmeacheck::fields(s[2]);
    EXPECT_EQ(std::vector<std::string>(gsv1.begin() + 1, gsv1.begin() + 8),
              (std::vector<std::string>{"2", "1", "05", "05", "40", "120", "38"}));
    EXPECT_EQ(gsv2.size(), 8u) << "one satellite in the last message";
    EXPECT_EQ(nmeacheck::fields(s[3]),
              (std::vector<std::string>{"GPZDA", "225444.25", "05", "03", "2007", "00", "00"}));
}

}  // namespace
