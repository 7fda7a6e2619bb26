#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gps/FakeGpsClock.h"
#include "gps/NmeaParser.h"
#include "gps/NmeaText.h"
#include "support/NmeaChecksum.h"

namespace {

struct Parser {
    explicit Parser(GpsSentenceSet set) { d.sentenceSet = set; }
    void feed(const std::string& s) { DispatchSentence(s, d, clock); }
    const std::string& text(GpsText::Field f) const { return d.text[f]; }
    GpsData d;
    FakeGpsClock clock;
};

std::string sentence(const std::string& body) {
    return withChecksum(body) + "\r\n";
}

TEST(NmeaParser, GllExampleGivesSignedPositionTextsAndTime) {
    Parser p(GpsSentenceSet::GllVtg);
    p.feed("$GPGLL,4916.45,N,12311.12,W,225444,A\r\n");
    EXPECT_NEAR(p.d.fix.latitude, 49.274166666, 1e-8);
    EXPECT_NEAR(p.d.fix.longitude, -123.185333333, 1e-8);
    // The multiplication by the double nearest 1/60 is the rule, not a division by 60.
    EXPECT_EQ(p.d.fix.latitude, 16.45 * 0.016666666666666666 + 49);
    EXPECT_EQ(p.text(GpsText::Latitude), "49.16.45 N");
    EXPECT_EQ(p.text(GpsText::Longitude), "123.11.12 W");
    EXPECT_EQ(p.text(GpsText::Time), "22:54:44");
    EXPECT_EQ(p.text(GpsText::Date), "n/a");
    EXPECT_EQ(p.d.fix.trackRestart, 0);
    EXPECT_FALSE(p.d.positionParsed);
}

TEST(NmeaParser, MinutesTextIsCutToFourDecimalsNotRounded) {
    Parser p(GpsSentenceSet::GllVtg);
    p.feed("$GPGLL,4916.450199,N,12311.129999,W,225444,A\r\n");
    EXPECT_EQ(p.text(GpsText::Latitude), "49.16.4501 N");
    EXPECT_EQ(p.text(GpsText::Longitude), "123.11.1299 W");
    p.feed("$GPGLL,4916.450,N,12311.120,W,225444,A\r\n");
    EXPECT_EQ(p.text(GpsText::Latitude), "49.16.450 N");
}

TEST(NmeaParser, SentencesThatAreNotBelievedChangeOnlyTheSeenFlag) {
    const struct {
        const char* why;
        GpsSentenceSet set;
        std::string sentence;
    } cases[] = {
        {"no CR LF", GpsSentenceSet::GllVtg, "$GPGLL,4916.45,N,12311.12,W,225444,A"},
        {"LF only", GpsSentenceSet::GllVtg, "$GPGLL,4916.45,N,12311.12,W,225444,A\n"},
        {"three characters", GpsSentenceSet::GllVtg, "$\r\n"},
        {"no dollar", GpsSentenceSet::GllVtg, "GPGLL,4916.45,N,12311.12,W,225444,A\r\n"},
        {"GGA outside GLL + VTG", GpsSentenceSet::GllVtg,
         "$GPGGA,225444,4916.45,N,12311.12,W,1,05,1.2,3.4,M,,,,\r\n"},
        {"RMC outside GGA + VTG", GpsSentenceSet::GgaVtg,
         "$GPRMC,081836,A,3751.65,S,14507.36,E,000.0,360.0,130998,011.3,E*62\r\n"},
        {"VTG outside RMC", GpsSentenceSet::Rmc, "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n"},
        {"set outside 0..3", static_cast<GpsSentenceSet>(7),
         "$GPGLL,4916.45,N,12311.12,W,225444,A\r\n"},
        {"checksum does not match", GpsSentenceSet::GllVtg,
         "$GPGLL,4916.45,N,12311.12,W,225444,A*1C\r\n"},
        {"checksum cut short", GpsSentenceSet::GllVtg,
         "$GPGLL,4916.45,N,12311.12,W,225444,A*1\r\n"},
        {"unknown sentence", GpsSentenceSet::GllVtg, "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5\r\n"},
    };
    for (const auto& c : cases) {
        Parser p(c.set);
        p.feed(c.sentence);
        EXPECT_EQ(p.d.fix.sentenceSeen, 1) << c.why;
        EXPECT_EQ(p.d.fix.latitude, 0.0) << c.why;
        EXPECT_EQ(p.d.fix.speedKnots, 0.0) << c.why;
        for (const std::string& t : p.d.text.fields) {
            EXPECT_EQ(t, "n/a") << c.why;
        }
        EXPECT_TRUE(p.d.track.outline().empty()) << c.why;
    }
}

TEST(NmeaParser, MatchingOrMissingChecksumsAreBelieved) {
    for (const std::string& s : {sentence("GPGLL,4916.45,N,12311.12,W,225444,A"),
                                 std::string("$GPGLL,4916.45,N,12311.12,W,225444,A\r\n")}) {
        Parser p(GpsSentenceSet::GllVtg);
        p.feed(s);
        EXPECT_EQ(p.text(GpsText::Latitude), "49.16.45 N") << s;
    }
}

TEST(NmeaParser, RmcDatesPivotAt69AndAnUnknownMonthHasNoName) {
    const struct {
        const char* field;
        const char* text;
    } cases[] = {{"050307", "05-MAR-2007"},
                 {"050399", "05-MAR-1999"},
                 {"051307", "05--2007"},
                 {"311269", "31-DEC-2069"},
                 {"010170", "01-JAN-1970"}};
    for (const auto& c : cases) {
        Parser p(GpsSentenceSet::Rmc);
        p.feed(std::string("$GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,") + c.field +
               ",020.3,E\r\n");
        EXPECT_EQ(p.text(GpsText::Date), c.text) << c.field;
        EXPECT_EQ(p.text(GpsText::Time), "22:54:46");
        EXPECT_EQ(p.text(GpsText::Speed), "0.50 Knots");
        EXPECT_EQ(p.text(GpsText::Heading), "54.70 Deg.");
    }
}

TEST(NmeaParser, VtgAloneNeverDrawsATrack) {
    Parser p(GpsSentenceSet::Vtg);
    p.feed("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n");
    p.feed("$GPGLL,4916.45,N,12311.12,W,225444,A\r\n");
    p.feed("$GPVTG,055.0,T,034.4,M,006.0,N,010.2,K\r\n");
    EXPECT_EQ(p.text(GpsText::Latitude), "n/a");
    EXPECT_EQ(p.text(GpsText::Speed), "6.00 Knots");
    EXPECT_EQ(p.text(GpsText::Heading), "55.00 Deg.");
    EXPECT_EQ(p.d.positionsAdded, 0);
    EXPECT_EQ(p.d.fix.trackRestart, 1);
}

TEST(NmeaParser, VtgSetHandsTheLastPositionOverAgain) {
    Parser p(GpsSentenceSet::GllVtg);
    p.feed("$GPGLL,4916.45,N,12311.12,W,225444,A\r\n");
    p.d.sentenceSet = GpsSentenceSet::Vtg;
    p.feed("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n");
    p.feed("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n");
    EXPECT_EQ(p.d.positionsAdded, 3);
    EXPECT_NEAR(p.d.fix.longitude, -123.185333333, 1e-8);  // signed once, stays signed
    EXPECT_TRUE(p.d.track.outline().empty());              // no movement
}

TEST(NmeaParser, TruncatedGgaRunningIntoVtgIsTheVtg) {
    Parser p(GpsSentenceSet::GgaVtg);
    p.feed("$GPGGA,12$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n");
    EXPECT_EQ(p.text(GpsText::Speed), "5.50 Knots");
    EXPECT_EQ(p.text(GpsText::Heading), "54.70 Deg.");
    EXPECT_EQ(p.text(GpsText::Time), "n/a");
    EXPECT_EQ(p.text(GpsText::Latitude), "n/a");
}

TEST(NmeaParser, GgaGivesTimeWithoutDateAndSouthEastPosition) {
    Parser p(GpsSentenceSet::GgaVtg);
    p.d.text[GpsText::Date] = "05-MAR-2007";
    p.feed(sentence("GPGGA,225308.25,4527.458,S,16709.165,E,1,05,2.1,14.7,M,1.1,M,,"));
    EXPECT_EQ(p.text(GpsText::Time), "22:53:08");
    EXPECT_EQ(p.text(GpsText::Date), "n/a");
    EXPECT_EQ(p.text(GpsText::Latitude), "45.27.458 S");
    EXPECT_EQ(p.text(GpsText::Longitude), "167.09.165 E");
    EXPECT_NEAR(p.d.fix.latitude, -45.4576333333, 1e-9);
    EXPECT_NEAR(p.d.fix.longitude, 167.15275, 1e-9);
}

TEST(NmeaParser, ReceiverWithoutFixKeepsTheLastPosition) {
    Parser p(GpsSentenceSet::Rmc);
    p.feed("$GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E\r\n");
    p.feed("$GPRMC,225447,V,,,,,,,191194,,\r\n");
    EXPECT_EQ(p.text(GpsText::Latitude), "49.16.45 N");
    EXPECT_EQ(p.text(GpsText::Time), "22:54:47");
    EXPECT_EQ(p.d.positionsAdded, 1);
}

TEST(NmeaParser, FirstFixSetsTheTrackOriginAndTheSecondDrawsFromZero) {
    Parser p(GpsSentenceSet::GllVtg);
    p.feed("$GPGLL,4916.4500,N,12311.1200,W,225444,A\r\n");
    EXPECT_NE(p.d.track.originEasting(), 0.0);
    EXPECT_TRUE(p.d.track.outline().empty());
    p.feed("$GPGLL,4916.4600,N,12311.1200,W,225445,A\r\n");  // about 18.5 m north
    ASSERT_EQ(p.d.track.outline().size(), 2u);
    EXPECT_EQ(p.d.track.outline()[0], (TrackPoint{0, 0}));
    EXPECT_EQ(p.d.track.outline()[1], (TrackPoint{0, -18}));
}

TEST(NmeaParser, ResetRestartsTheTrackAndEmptiesTheRecentList) {
    Parser p(GpsSentenceSet::GllVtg);
    p.feed("$GPGLL,4916.45,N,12311.12,W,225444,A\r\n");
    p.d.recent.add("$GPGLL,4916.45,N,12311.12,W,225444,A");
    ResetGpsData(p.d);
    EXPECT_EQ(p.d.fix.trackRestart, 1);
    EXPECT_EQ(p.d.recent.count(), 0u);
    EXPECT_EQ(p.text(GpsText::Latitude), "49.16.45 N");  // texts stay
}

// Every cut of valid sentences, with garbage after the cut: the parser stays inside the text
// (the sanitizer build checks every read) and believes nothing impossible.
TEST(NmeaParser, MalformedSentencesAreReadOnlyWithinTheirBounds) {
    const std::string sentences[] = {
        "$GPGGA,225308.25,4527.458,S,16709.165,E,1,05,2.1,14.7,M,1.1,M,,*53",
        "$GPGLL,4916.45,N,12311.12,W,225444,A",
        "$GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E",
        "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K"};
    const GpsSentenceSet sets[] = {GpsSentenceSet::GgaVtg, GpsSentenceSet::GllVtg,
                                   GpsSentenceSet::Rmc, GpsSentenceSet::Vtg};
    for (const std::string& s : sentences) {
        for (const GpsSentenceSet set : sets) {
            for (std::size_t cut = 0; cut <= s.size(); ++cut) {
                for (const char* tail : {"", ",", ".", "$", ".,.,"}) {
                    Parser p(set);
                    const std::string text = s.substr(0, cut) + tail;
                    p.feed(text + "\r\n");
                    ASSERT_TRUE(std::isfinite(p.d.fix.latitude)) << text;
                    ASSERT_LE(std::fabs(p.d.fix.latitude), 1e6) << text;
                }
            }
        }
    }
}

}  // namespace
