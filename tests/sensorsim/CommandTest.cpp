// The unit's reading of each sentence: what it accepts, how it answers, what it stores, and
// what it refuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "sensorsim/Command.h"
#include "support/NmeaChecksum.h"

namespace sensorsim {
namespace {

SensorConfig defaults(int model) {
    SensorConfig c;
    resetToDefaults(c, model);
    return c;
}

struct AcceptCase {
    const char* what;
    int model;
    std::string sentence;
    Answer answer;
    Action action;
    std::function<void(SensorConfig&)> change;  // from the model's defaults
};

TEST(CommandTest, AcceptedSentencesAreAnsweredAndAppliedAsTheUnitOfTheirModel) {
    const AcceptCase cases[] = {
        {"probe", 0, "$PTVRO,,", Answer::Echo, Action::None, [](SensorConfig&) {}},
        {"sentence on", 0, "$PTVRO,GPVTG,1", Answer::Echo, Action::None,
         [](SensorConfig& c) { c.sentences[GPVTG] = 1; }},
        {"sentence off", 4, "$PTVRO,PTVRM,0", Answer::Echo, Action::None,
         [](SensorConfig& c) { c.sentences[PTVRM] = 0; }},
        {"checksummed", 0, withChecksum("PTVRO,GPGLL,1"), Answer::Echo, Action::None,
         [](SensorConfig& c) { c.sentences[GPGLL] = 1; }},
        {"position", 2, "$PTVRI,4807.038,S,01131.500,W,150324,123519", Answer::Echo, Action::None,
         [](SensorConfig& c) {
             c.lat_deg = 48, c.lat_min = 7.038F, c.lat_south = 1;
             c.lon_deg = 11, c.lon_min = 31.5F, c.lon_west = 1;
         }},
        {"reset", 0, "$PTVRI,,,,,,,R", Answer::Echo, Action::ResetUnit, [](SensorConfig&) {}},
        {"autolocate", 5, "$PTVRI,,,,,,,A", Answer::Echo, Action::Autolocate, [](SensorConfig&) {}},
        {"user datum, new rate", 2,
         "$PTVRC,3,12.5,96,6378206.400,294.978698200,-8.0,160.0,176.0,D,5,20,2,9,15", Answer::Echo,
         Action::None,
         [](SensorConfig& c) {
             c.fixmode = 2, c.alt = 12.5F, c.datum = 96;
             c.datum_a = 6378206.4, c.datum_df = 294.9786982;
             c.dx = -8.0F, c.dy = 160.0F, c.dz = 176.0F;
             c.diffmode = 1, c.baudrate = 5, c.filter = 20, c.ppsmode = 1, c.ppslen = 9;
             c.vldtime = 15;
         }},
        {"base model 0 keeps its rate", 0, "$PTVRC,2,-20.0,27,,,,,,D,5,0,2,9,10", Answer::Echo,
         Action::None,
         [](SensorConfig& c) {
             c.fixmode = 1, c.alt = -20.0F, c.datum = 27, c.diffmode = 1, c.filter = 0;
             c.ppsmode = 1, c.ppslen = 9, c.vldtime = 10;
         }},
        {"base model 1: no exclusive differential, no pulse, own rate", 1,
         "$PTVRC,2,0.0,100,,,,,,D,5,1,2,9,30", Answer::Echo, Action::None,
         [](SensorConfig& c) { c.fixmode = 1, c.alt = 0.0F; }},
        {"extra settings, base model 0 layout", 0, "$PTVRC1,2,2,1,300.5,100,2,1,R,P,2,1,2",
         Answer::Echo, Action::None,
         [](SensorConfig& c) {
             c.outtime = 2, c.cpo = 1, c.avg = 0, c.bcn_freq = 300.5F, c.bcn_br = 100;
             c.bcn_auto = 1, c.nmea230 = 0, c.dgpsmode = 2, c.psm = 1;
             c.adaptive_tx = 1, c.auto_off = 0, c.ext_pwr_on = 1;
         }},
        {"extra settings, base models 2 to 7 layout", 5, "$PTVRC1,1,1,2,0.0,25,1,2,N,N,,,,2",
         Answer::Echo, Action::None,
         [](SensorConfig& c) {
             c.avg = 1, c.bcn_br = 25, c.nmea230 = 1, c.dgpsmode = 3, c.pps_auto_off = 1;
         }},
        {"base model 1 closing", 1, "$PTVRO,,B", Answer::Echo, Action::None, [](SensorConfig&) {}},
        {"test mode", 4, "$PTVRO,,T", Answer::Silent, Action::TestMode, [](SensorConfig&) {}},
        {"binary mode", 0, "$PTVRO,,G", Answer::Silent, Action::BinaryMode, [](SensorConfig&) {}},
        {"binary mode, base model 6", 6, "$PTVRO,,S", Answer::Silent, Action::BinaryMode,
         [](SensorConfig&) {}},
        {"position query", 3, "$PTVRIX", Answer::ReplyPosition, Action::None, [](SensorConfig&) {}},
        {"configuration query", 1, "$PTVRCX", Answer::ReplyConfig, Action::None,
         [](SensorConfig&) {}},
        {"extra query", 7, "$PTVRC1X", Answer::ReplyExtra, Action::None, [](SensorConfig&) {}},
    };
    for (const AcceptCase& k : cases) {
        SCOPED_TRACE(k.what);
        const SensorConfig start = defaults(k.model);
        SensorConfig expected = start;
        k.change(expected);
        const Verdict v = interpret(k.sentence, start);
        ASSERT_TRUE(v.accepted) << k.sentence << ": " << v.reason;
        EXPECT_EQ(v.accepted->answer, k.answer);
        EXPECT_EQ(v.accepted->action, k.action);
        EXPECT_EQ(v.accepted->config, expected);
    }
}

TEST(CommandTest, ShortConfigurationLeavesNoUserDatumBehind) {
    SensorConfig c = defaults(2);
    c.datum = 96, c.datum_a = 6370000.0, c.datum_df = 300.0, c.dx = 12.0F;
    const Verdict v = interpret("$PTVRC,A,300.0,100,,,,,,A,3,1,2,4,30", c);
    ASSERT_TRUE(v.accepted) << v.reason;
    EXPECT_EQ(v.accepted->config, defaults(2));
}

TEST(CommandTest, EraseGoesBackToTheModelDefaultsRateIncluded) {
    SensorConfig c = defaults(3);
    c.baudrate = 3, c.alt = 55.0F, c.sentences[GPGGA] = 0, c.port = 7;
    const Verdict v = interpret("$PTVRO,,E", c);
    ASSERT_TRUE(v.accepted);
    EXPECT_EQ(v.accepted->answer, Answer::Silent);
    EXPECT_EQ(v.accepted->action, Action::EraseMemory);
    SensorConfig expected = defaults(3);
    expected.port = 7;
    EXPECT_EQ(v.accepted->config, expected);
    EXPECT_EQ(v.accepted->config.baudrate, 5) << "base model 3 comes back at 19200";
}

TEST(CommandTest, MalformedOrForeignSentencesAreRefused) {
    const struct {
        int model;
        const char* sentence;
    } cases[] = {
        {0, "PTVRO,,"},
        {0, "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"},
        {0, "$PTVRO,,*00"},
        {0, "$PTVRO,"},
        {0, "$PTVRO,GPXXX,1"},
        {0, "$PTVRO,GPGGA,2"},
        {0, "$PTVRO,,S"},
        {6, "$PTVRO,,G"},
        {2, "$PTVRO,,B"},
        {0, "$PTVRO,,X"},
        {1, "$PTVRC1X"},
        {0, "$PTVRIX,"},
        {0, "$PTVRI,4861.000,N,01131.000,E,150324,123519"},
        {0, "$PTVRI,4807.038,X,01131.000,E,150324,123519"},
        {0, "$PTVRI,4807.038,N,18131.000,E,150324,123519"},
        {0, "$PTVRI,4807.038,N,01131.000,E,151324,123519"},
        {0, "$PTVRI,4807.038,N,01131.000,E,150324,126019"},
        {0, "$PTVRI,,,,,,,X"},
        {0, "$PTVRI,,,,,,1,R"},
        {2, "$PTVRC,A,300.0,96,,,,,,A,3,1,1,4,30"},
        {2, "$PTVRC,A,300.0,96,6378137.000,298.257223563,6000.0,0.0,0.0,A,3,1,1,4,30"},
        {2, "$PTVRC,A,300.0,100,6378137.000,,0.0,0.0,0.0,A,3,1,1,4,30"},
        {2, "$PTVRC,A,20000.0,100,,,,,,A,3,1,1,4,30"},
        {2, "$PTVRC,4,300.0,100,,,,,,A,3,1,1,4,30"},
        {2, "$PTVRC,A,300.0,100,,,,,,A,9,1,1,4,30"},
        {2, "$PTVRC,A,300.0,100,,,,,,X,3,1,1,4,30"},
        {2, "$PTVRC,A,300.0,100,,,,,,A,3,1,3,4,30"},
        {2, "$PTVRC,A,3OO.0,100,,,,,,A,3,1,1,4,30"},
        {2, "$PTVRC,A,300.0,100,,,,,,A,3,1,1,4"},
        {1, "$PTVRC,A,300.0,110,,,,,,A,3,1,1,4,30"},
        {2, "$PTVRC1,1,1,1,0.0,0,1,1,W,N,1,1,1"},
        {0, "$PTVRC1,1,1,1,0.0,0,1,1,W,N,,,,1"},
        {1, "$PTVRC1,1,1,1,0.0,0,1,1,W,N,,,,1"},
        {2, "$PTVRC1,1,1,1,0.0,75,1,1,W,N,,,,1"},
        {2, "$PTVRC1,1,1,1,100.0,0,1,1,W,N,,,,1"},
        {2, "$PTVRC1,1,1,1,0.0,0,1,1,X,N,,,,1"},
        {2, "$PTVRC1,1,1,1,0.0,0,1,1,W,N,1,,,1"},
    };
    for (const auto& k : cases) {
        const Verdict v = interpret(k.sentence, defaults(k.model));
        EXPECT_FALSE(v.accepted) << "model " << k.model << ": " << k.sentence;
        EXPECT_FALSE(v.reason.empty()) << k.sentence;
    }
}

}  // namespace
}  // namespace sensorsim
