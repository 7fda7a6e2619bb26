#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "gps/FakeGpsClock.h"
#include "gps/GpsTime.h"
#include "gps/NmeaParser.h"

namespace {

// Sets the time zone for one test and puts the old one back.
class ZoneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        hadTz_ = tz != nullptr;
        if (hadTz_) {
            oldTz_ = tz;
        }
    }
    void TearDown() override {
        if (hadTz_) {
            setenv("TZ", oldTz_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    static void zone(const char* tz) {
        setenv("TZ", tz, 1);
        tzset();
    }

    GpsData local(GpsSentenceSet set) {
        GpsData d;
        d.sentenceSet = set;
        d.utcToLocal = true;
        return d;
    }

    FakeGpsClock clock;

  private:
    bool hadTz_ = false;
    std::string oldTz_;
};

TEST_F(ZoneTest, RmcInLocalTimeCrossesIntoTheNextDay) {
    zone("AAA-1");  // POSIX: one hour east of Greenwich
    GpsData d = local(GpsSentenceSet::Rmc);
    DispatchSentence("$GPRMC,233000,A,4916.45,N,12311.12,W,000.5,054.7,050307,,\r\n", d, clock);
    EXPECT_EQ(d.text[GpsText::Time], "00:30:00");
    EXPECT_EQ(d.text[GpsText::Date], "06-MAR-2007");
}

TEST_F(ZoneTest, LeapYearDatesStayTheirOwnDay) {
    zone("AAA-1");
    const struct {
        const char* date;
        const char* text;
    } cases[] = {{"150108", "15-JAN-2008"}, {"290208", "29-FEB-2008"}, {"280209", "28-FEB-2009"}};
    for (const auto& c : cases) {
        GpsData d = local(GpsSentenceSet::Rmc);
        DispatchSentence(
            std::string("$GPRMC,120000,A,4916.45,N,12311.12,W,0,0,") + c.date + ",,\r\n", d, clock);
        EXPECT_EQ(d.text[GpsText::Date], c.text) << c.date;
        EXPECT_EQ(d.text[GpsText::Time], "13:00:00");
    }
}

TEST_F(ZoneTest, DaylightSavingFollowsTheZoneRules) {
    zone("CET-1CEST,M3.5.0,M10.5.0/3");
    GpsData d = local(GpsSentenceSet::Rmc);
    DispatchSentence("$GPRMC,120000,A,4916.45,N,12311.12,W,0,0,150708,,\r\n", d, clock);
    EXPECT_EQ(d.text[GpsText::Time], "14:00:00");
    DispatchSentence("$GPRMC,120000,A,4916.45,N,12311.12,W,0,0,150108,,\r\n", d, clock);
    EXPECT_EQ(d.text[GpsText::Time], "13:00:00");
}

TEST_F(ZoneTest, GgaShowsLocalTimeOfDayAndNoDate) {
    zone("BBB5");
    GpsData d = local(GpsSentenceSet::GgaVtg);
    DispatchSentence("$GPGGA,020000,4916.45,N,12311.12,W,1,05,1.2,3.4,M,,,,\r\n", d, clock);
    EXPECT_EQ(d.text[GpsText::Time], "21:00:00");
    EXPECT_EQ(d.text[GpsText::Date], "n/a");
}

TEST_F(ZoneTest, WithoutTheLocalFlagTimesStayUtc) {
    zone("AAA-1");
    GpsData d;
    d.sentenceSet = GpsSentenceSet::Rmc;
    DispatchSentence("$GPRMC,233000,A,4916.45,N,12311.12,W,0,0,050307,,\r\n", d, clock);
    EXPECT_EQ(d.text[GpsText::Time], "23:30:00");
    EXPECT_EQ(d.text[GpsText::Date], "05-MAR-2007");
}

TEST(GpsClockSetting, RequestSetsTheClockOnceToTheGpsUtcDate) {
    FakeGpsClock clock;
    clock.local = {2026, 12, 8};  // local date already the next day
    GpsData d;
    d.sentenceSet = GpsSentenceSet::Rmc;
    d.syncRequest = true;
    DispatchSentence("$GPRMC,233000,A,4916.45,N,12311.12,W,0,0,050307,,\r\n", d, clock);
    DispatchSentence("$GPRMC,233001,A,4916.45,N,12311.12,W,0,0,050307,,\r\n", d, clock);
    ASSERT_EQ(clock.setTo.size(), 1u);
    const SystemTime& t = clock.setTo[0];
    EXPECT_EQ(t.year, 2007);
    EXPECT_EQ(t.month, 3);
    EXPECT_EQ(t.day, 5);
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 30);
    EXPECT_EQ(t.second, 0);
    EXPECT_EQ(t.millisecond, clock.now.millisecond);
    EXPECT_FALSE(d.syncRequest);
}

TEST(GpsClockSetting, WithoutADateOnlyTheTimeOfDayIsTaken) {
    FakeGpsClock clock;
    GpsData d;
    d.sentenceSet = GpsSentenceSet::GllVtg;
    d.syncRequest = true;
    DispatchSentence("$GPGLL,4916.45,N,12311.12,W,225444,A\r\n", d, clock);
    ASSERT_EQ(clock.setTo.size(), 1u);
    EXPECT_EQ(clock.setTo[0].year, clock.now.year);
    EXPECT_EQ(clock.setTo[0].day, clock.now.day);
    EXPECT_EQ(clock.setTo[0].hour, 22);
}

TEST(GpsClockSetting, PlaybackKeepsTheRequestAndAFailureIsSilent) {
    FakeGpsClock clock;
    clock.privileged = false;
    GpsData d;
    d.sentenceSet = GpsSentenceSet::Rmc;
    d.syncRequest = true;
    d.playback = true;
    const char* rmc = "$GPRMC,233000,A,4916.45,N,12311.12,W,0,0,050307,,\r\n";
    DispatchSentence(rmc, d, clock);
    EXPECT_TRUE(clock.setTo.empty());
    EXPECT_TRUE(d.syncRequest);
    d.playback = false;
    DispatchSentence(rmc, d, clock);
    EXPECT_EQ(clock.setTo.size(), 1u);
    EXPECT_FALSE(d.syncRequest);  // cleared even though the clock refused
}

TEST(GpsTimeCalendar, SecondsSinceEpochFollowTheGregorianCalendar) {
    EXPECT_EQ(gps_time::secondsSinceEpoch(1970, 1, 1, 0, 0, 0), 0);
    EXPECT_EQ(gps_time::secondsSinceEpoch(2000, 3, 1, 0, 0, 0), 951868800);
    EXPECT_EQ(gps_time::secondsSinceEpoch(2008, 2, 29, 12, 0, 0), 1204286400);
    // Month 13 rolls into January of the next year, as the platform's normalisation does.
    EXPECT_EQ(gps_time::secondsSinceEpoch(2007, 13, 5, 0, 0, 0),
              gps_time::secondsSinceEpoch(2008, 1, 5, 0, 0, 0));
}

}  // namespace
