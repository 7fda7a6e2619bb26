// The answers to the three queries, per base model, and the unit reading its own answers back.
#include <gtest/gtest.h>

#include "nmeasim/UtcTime.h"
#include "sensorsim/Command.h"
#include "sensorsim/Replies.h"

namespace sensorsim {
namespace {

// A configuration with a distinct value in every field the answers carry.
SensorConfig sample(int model, int datum) {
    SensorConfig c;
    resetToDefaults(c, model);
    c.lat_deg = 7, c.lat_min = 5.25F, c.lat_south = 1;
    c.lon_deg = 123, c.lon_min = 45.5F, c.lon_west = 0;
    c.fixmode = 2, c.alt = -12.5F, c.datum = static_cast<std::int16_t>(datum);
    c.datum_a = 6378206.4, c.datum_df = 294.9786982, c.dx = -8.0F, c.dy = 160.0F, c.dz = 176.0F;
    c.diffmode = 1, c.baudrate = 4, c.filter = 17, c.ppsmode = 1, c.ppslen = 9, c.vldtime = 20;
    c.outtime = 3, c.cpo = 1, c.avg = 0, c.bcn_freq = 304.5F, c.bcn_br = 50, c.bcn_auto = 1;
    c.nmea230 = 0, c.dgpsmode = 2, c.psm = 1, c.adaptive_tx = 1, c.auto_off = 0;
    c.ext_pwr_on = 1, c.pps_auto_off = 1;
    return c;
}

TEST(RepliesTest, AnswersFollowTheLayoutOfTheBaseModel) {
    const nmeasim::UtcMicros time =
        nmeasim::fromCivil({2024, 3, 9, 17, 4, 58, 0}) + 250000;  // 2024-03-09 17:04:58.25
    EXPECT_EQ(positionReply(sample(0, 100), time),
              "$PTVRI,0705.250,S,12345.500,E,090324,170458\r\n");
    EXPECT_EQ(configReply(sample(2, 96)),
              "$PTVRC,3,-12.5,96,6378206.400,294.978698200,-8.0,160.0,176.0,D,4,17,2,9,20\r\n");
    EXPECT_EQ(configReply(sample(2, 27)), "$PTVRC,3,-12.5,27,,,,,,D,4,17,2,9,20\r\n");
    EXPECT_EQ(extraReply(sample(0, 100)), "$PTVRC1,3,2,1,304.5,50,2,1,R,P,2,1,2\r\n");
    for (int model : {2, 3, 4, 5, 6, 7}) {
        EXPECT_EQ(extraReply(sample(model, 100)), "$PTVRC1,3,2,1,304.5,50,2,1,R,P,,,,2\r\n")
            << "model " << model;
    }
    EXPECT_EQ(extraReply(sample(1, 100)), "") << "base model 1 has no extra settings";

    SensorConfig plain;
    resetToDefaults(plain, 0);
    EXPECT_EQ(configReply(plain), "$PTVRC,A,300.0,100,,,,,,A,3,1,1,4,30\r\n");
    EXPECT_EQ(extraReply(plain), "$PTVRC1,1,1,1,0.0,0,1,1,W,N,1,1,1\r\n");
}

TEST(RepliesTest, AChecksumGoesBeforeTheLineEnd) {
    EXPECT_EQ(withChecksum("$PTVRO,,\r\n"), "$PTVRO,,*4F\r\n");
}

// Every answer is also a sentence the unit accepts, and applying it changes nothing: each value
// sits in the field where the unit itself reads it.
TEST(RepliesTest, EveryModelAcceptsItsOwnAnswersUnchanged) {
    for (int model = 0; model < kModelCount; ++model) {
        for (int datum : {96, 100}) {
            SCOPED_TRACE("model " + std::to_string(model) + " datum " + std::to_string(datum));
            SensorConfig c = sample(model, datum);
            if (datum != 96) {
                c.datum_a = 6378137.0, c.datum_df = 298.257223563, c.dx = c.dy = c.dz = 0.0F;
            }
            if (model == 1) {
                c.diffmode = 0, c.ppsmode = 0;
            }
            if (model <= 1) {
                c.baudrate = 3;
            }
            std::vector<std::string> answers = {
                positionReply(c, nmeasim::fromCivil({2024, 3, 9, 17, 4, 58, 0})), configReply(c)};
            if (model != 1) {
                answers.push_back(extraReply(c));
            }
            for (const std::string& answer : answers) {
                const Verdict v = interpret(answer.substr(0, answer.size() - 2), c);
                ASSERT_TRUE(v.accepted) << answer << v.reason;
                EXPECT_EQ(v.accepted->config, c) << answer;
            }
        }
    }
}

}  // namespace
}  // namespace sensorsim
