// The unit on its line: the rate rule, answers, modes and the baud change, driven through the
// bytes a program writes and the bytes the unit sends.
#include <gtest/gtest.h>

#include "nmeasim/NmeaCheck.h"
#include "sensorsim/BinaryListener.h"
#include "sensorsim/Command.h"
#include "sensorsim/SensorHarness.h"

namespace sensorsim {
namespace {

const std::string kProbe = "$PTVRO,,\r\n";

TEST(SensorTest, HearsAndAnswersOnlyWhileTheLineIsAtItsOwnRate) {
    const struct {
        int baudCode;
        int lineRate;
        bool answers;
    } cases[] = {
        {3, 4800, true},  {3, 9600, false},  {3, 38400, false}, {3, 2400, false},
        {8, 38400, true}, {8, 19200, false}, {6, 300, true},    {6, 600, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::to_string(k.baudCode) + " at " + std::to_string(k.lineRate));
        SensorHarness h(unit(2, k.baudCode));
        std::string out = h.say(kProbe, k.lineRate);
        out += h.wait(100);
        if (k.answers) {
            EXPECT_EQ(out, kProbe);
            EXPECT_TRUE(h.logged("heard " + std::to_string(k.lineRate) + " $PTVRO,,"));
            EXPECT_TRUE(h.logged("echo $PTVRO,,"));
        } else {
            EXPECT_EQ(out, "");
            EXPECT_TRUE(h.logged("ignored " + std::to_string(k.lineRate) + " 10 bytes"));
            EXPECT_FALSE(h.logged("echo $PTVRO,,"));
        }
    }
}

TEST(SensorTest, WhatItSendsAtAnotherRateArrivesAsGarbage) {
    SensorHarness h(unit(0, 3, true));
    h.say("", 9600);
    const std::string out = h.wait(1500);
    ASSERT_FALSE(out.empty()) << "the unit keeps sending";
    EXPECT_EQ(out.find("$GPGGA"), std::string::npos);
    EXPECT_TRUE(h.logged("line 9600"));
    h.say("", 4800);
    EXPECT_NE(h.wait(1000).find("$GPGGA"), std::string::npos);
}

TEST(SensorTest, AnUploadIsEchoedSentenceBySentenceAndReportedBack) {
    SensorHarness h(unit(6));
    const std::vector<std::string> upload = {
        "$PTVRO,GPGGA,1\r\n",
        "$PTVRO,GPRMC,1\r\n",
        "$PTVRO,PTVRE,0\r\n",
        "$PTVRI,5030.125,N,00107.250,W,090324,170458\r\n",
        "$PTVRC,3,15.5,96,6378206.400,294.978698200,-8.0,160.0,176.0,D,3,12,2,9,20\r\n",
        "$PTVRC1,2,2,1,304.5,50,2,1,R,P,,,,2\r\n",
        "$PTVRI,,,,,,,R\r\n"};
    for (const std::string& sentence : upload) {
        EXPECT_EQ(h.say(sentence, 4800), sentence);
    }
    EXPECT_TRUE(h.logged("reset"));
    EXPECT_EQ(h.say("$PTVRIX\r\n", 4800).substr(0, 36), "$PTVRI,5030.125,N,00107.250,W,090324");
    EXPECT_EQ(h.say("$PTVRCX\r\n", 4800),
              "$PTVRC,3,15.5,96,6378206.400,294.978698200,-8.0,160.0,176.0,D,3,12,2,9,20\r\n");
    EXPECT_EQ(h.say("$PTVRC1X\r\n", 4800), "$PTVRC1,2,2,1,304.5,50,2,1,R,P,,,,2\r\n");
    EXPECT_TRUE(h.logged("reply $PTVRC1,2,2,1,304.5,50,2,1,R,P,,,,2"));
}

TEST(SensorTest, RefusedAndOverlongLinesGetNoAnswer) {
    SensorHarness h(unit(1));
    EXPECT_EQ(h.say("$PTVRC1X\r\n", 4800), "");
    EXPECT_TRUE(h.logged("reject $PTVRC1X # base model 1 has no additional configuration"));
    const std::string overlong = "$PTVRO," + std::string(200, 'A') + "\r\n";
    EXPECT_EQ(h.say(overlong, 4800), "");
    EXPECT_EQ(h.say(kProbe, 4800), kProbe) << "the probe after the discarded line is still heard";
    EXPECT_EQ(h.say("\x81\x07$PTVRO,,\r\n", 4800), kProbe) << "noise before the $ is dropped";
}

TEST(SensorTest, EraseAndTestModeTakeEffectWithoutAnAnswer) {
    SensorConfig c = unit(0, 3, true);
    c.alt = 77.0F;
    SensorHarness h(c);
    EXPECT_EQ(h.say("$PTVRO,,T\r\n", 4800), "");
    EXPECT_TRUE(h.logged("silent $PTVRO,,T"));
    EXPECT_TRUE(h.sensor.testMode());
    const auto gga = [](const std::string& out) {
        const auto lines = nmeacheck::lines(out);
        const auto it = std::find_if(lines.begin(), lines.end(),
                                     [](const std::string& l) { return l.starts_with("$GPGGA"); });
        return it == lines.end() ? std::vector<std::string>{} : nmeacheck::fields(*it);
    };
    auto fields = gga(h.wait(1000));
    ASSERT_GT(fields.size(), 6U);
    EXPECT_EQ(fields[6], "8") << "a simulated fix in test mode";

    EXPECT_EQ(h.say("$PTVRO,,E\r\n", 4800), "");
    EXPECT_TRUE(h.logged("erase"));
    EXPECT_FALSE(h.sensor.testMode());
    EXPECT_EQ(h.sensor.config().alt, 300.0F);
    EXPECT_EQ(h.wait(1000), "") << "the unit restarts after an erase";
    fields = gga(h.wait(2000));
    ASSERT_GT(fields.size(), 6U);
    EXPECT_EQ(fields[6], "1");
}

TEST(SensorTest, ANewRateTakesEffectAfterTheEcho) {
    SensorHarness h(unit(2));
    const std::string sentence = "$PTVRC,A,300.0,100,,,,,,A,4,1,2,4,30\r\n";
    const std::size_t first = h.events.size();
    EXPECT_EQ(h.say(sentence, 4800), sentence);
    const auto events = h.eventsSince(first);
    ASSERT_EQ(events.size(), 3U);
    EXPECT_EQ(events[1], "echo $PTVRC,A,300.0,100,,,,,,A,4,1,2,4,30");
    EXPECT_EQ(events[2], "baud 9600");
    EXPECT_EQ(h.say(kProbe, 4800), "");
    EXPECT_EQ(h.say(kProbe, 9600), kProbe);

    // Late, the unit goes on hearing at the old rate until its echo is out.
    SensorSettings late;
    late.faults.lateMs = 300;
    SensorHarness slow(unit(3, 5), late);
    EXPECT_EQ(slow.say("$PTVRC,A,300.0,100,,,,,,A,8,1,1,4,30\r\n", 19200), "");
    slow.wait(200);
    EXPECT_EQ(slow.say(kProbe, 19200), "");
    EXPECT_EQ(slow.wait(100), "$PTVRC,A,300.0,100,,,,,,A,8,1,1,4,30\r\n");
    EXPECT_EQ(slow.sensor.rate(), 38400);
    slow.say("", 38400);
    EXPECT_EQ(slow.wait(300), kProbe) << "the probe heard at 19200 is answered, late, at 38400";
}

TEST(SensorTest, BinaryModeWaitsForItsReturnPacketAlone) {
    const std::string packet0("\x10\x0A\x02\x26\x00\xCE\x10\x03", 8);
    const std::string hadleyPacket("\x10\x0D\x04\x02\x0D\x00\x00\xE0\x10\x03", 10);
    EXPECT_EQ(returnToNmeaPacket(0), packet0);
    EXPECT_EQ(returnToNmeaPacket(6), hadleyPacket);

    SensorHarness h(unit(0, 3, true));
    EXPECT_EQ(h.say("$PTVRO,,G\r\n", 4800), "");
    EXPECT_TRUE(h.logged("mode binary"));
    EXPECT_TRUE(h.logged("baud 9600"));
    EXPECT_EQ(h.wait(3000), "") << "nothing in NMEA while in binary mode";
    EXPECT_EQ(h.say(kProbe, 9600), "");
    EXPECT_EQ(h.wait(200), "");
    EXPECT_TRUE(h.logged("binary bad 24505456524F2C2C0D0A"));
    std::string wrongSum = packet0;
    wrongSum[5] = '\xCF';
    h.say(wrongSum, 9600);
    EXPECT_TRUE(h.logged("binary bad 100A022600CF1003"));
    h.say(packet0, 4800);
    EXPECT_TRUE(h.logged("ignored 4800 8 bytes"));
    EXPECT_EQ(h.sensor.mode(), Mode::Binary);

    h.say(hadleyPacket, 9600);
    EXPECT_EQ(h.sensor.mode(), Mode::Binary) << "another model's packet does not count";
    const std::size_t first = h.events.size();
    h.say(packet0.substr(0, 3), 9600);
    h.wait(20);
    h.say(packet0.substr(3), 9600);
    EXPECT_EQ(h.eventsSince(first), (std::vector<std::string>{"binary ok", "mode nmea"}));
    EXPECT_EQ(h.sensor.mode(), Mode::Nmea);
    EXPECT_EQ(h.sensor.config().baudrate, 4);
    EXPECT_NE(h.wait(1100).find("$GPGGA"), std::string::npos) << "NMEA again, at 9600";
    EXPECT_EQ(h.say(kProbe, 9600), kProbe);

    SensorHarness hadley(unit(6));
    EXPECT_EQ(hadley.say("$PTVRO,,S\r\n", 4800), "");
    hadley.say(packet0, 9600);
    EXPECT_TRUE(hadley.logged("binary bad " + hex(packet0)));
    hadley.say(hadleyPacket, 9600);
    EXPECT_TRUE(hadley.logged("binary ok"));
}

}  // namespace
}  // namespace sensorsim
