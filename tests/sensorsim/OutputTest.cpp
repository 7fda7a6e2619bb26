// What the unit sends on its own: the output cycle, and the line faults a trainer can switch on.
#include <gtest/gtest.h>

#include <set>

#include "nmeasim/NmeaCheck.h"
#include "sensorsim/SensorHarness.h"

namespace sensorsim {
namespace {

const std::string kProbe = "$PTVRO,,\r\n";

std::string name(const std::string& line) {
    return line.substr(1, line.find(',') - 1);
}

// Lines per cycle, split where the GGA time changes.
std::vector<std::vector<std::string>> cycles(const std::string& out) {
    std::vector<std::vector<std::string>> result;
    for (const std::string& line : nmeacheck::lines(out)) {
        if (name(line) == "GPGGA" || result.empty()) {
            result.emplace_back();
        }
        result.back().push_back(line);
    }
    return result;
}

TEST(OutputTest, EnabledSentencesGoOutOnceASecondInAFixedCycle) {
    SensorHarness h(unit(0, 3, true));
    const std::string out = h.wait(3100);
    const auto all = cycles(out);
    ASSERT_EQ(all.size(), 3U) << "at 0.5, 1.5 and 2.5 s";
    const std::vector<std::string> expected = {"GPGGA", "GPGSA", "GPGSV", "GPGSV", "GPGSV",
                                               "GPRMC", "PTVRB", "PTVRE", "PTVRT"};
    std::set<std::string> positions;
    std::set<std::string> times;
    for (const auto& cycle : all) {
        std::vector<std::string> names;
        for (const std::string& line : cycle) {
            EXPECT_TRUE(nmeacheck::valid(line)) << line;
            names.push_back(name(line));
        }
        EXPECT_EQ(names, expected);
        const auto gga = nmeacheck::fields(cycle[0]);
        positions.insert(gga[2] + gga[4]);
        times.insert(gga[1]);
        EXPECT_EQ(nmeacheck::fields(cycle[2])[2], "1");
        EXPECT_EQ(nmeacheck::fields(cycle[4])[2], "3") << "GSV message numbers 1 to 3";
    }
    EXPECT_EQ(positions.size(), 3U) << "the vessel moves";
    EXPECT_EQ(times, (std::set<std::string>{"170459.00", "170500.00", "170501.00"}));
    EXPECT_TRUE(h.logged("transmit GPGGA GPGSA GPGSV GPRMC PTVRB PTVRE PTVRT"));
}

TEST(OutputTest, TheCycleFollowsTheSentenceSelectionAndTheOutputTime) {
    SensorHarness h(unit(0, 3, true));
    h.say("$PTVRO,GPGSV,0\r\n", 4800);
    h.say("$PTVRO,LCVTG,1\r\n", 4800);
    h.say("$PTVRO,PTVRM,1\r\n", 4800);
    h.say("$PTVRC1,2,1,1,0.0,0,1,1,W,N,1,1,1\r\n", 4800);
    const auto all = cycles(h.wait(4100));
    ASSERT_EQ(all.size(), 2U) << "every two seconds";
    std::vector<std::string> names;
    for (const std::string& line : all[0]) {
        names.push_back(name(line));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"GPGGA", "GPGSA", "GPRMC", "LCVTG", "PTVRB", "PTVRE",
                                               "PTVRT", "PTVRM"}));
    EXPECT_TRUE(all[0].back().starts_with("$PTVRM,WGS 84*")) << "the configured datum";
}

TEST(OutputTest, EveryNthEchoIsDroppedButStillApplied) {
    SensorSettings s;
    s.faults.dropEchoEvery = 3;
    SensorHarness h(unit(2), s);
    std::string heard;
    for (int i = 0; i < 6; ++i) {
        heard += h.say("$PTVRO,GPGGA," + std::to_string(i % 2) + "\r\n", 4800);
    }
    EXPECT_EQ(heard, "$PTVRO,GPGGA,0\r\n$PTVRO,GPGGA,1\r\n$PTVRO,GPGGA,1\r\n$PTVRO,GPGGA,0\r\n");
    EXPECT_TRUE(h.logged("dropped $PTVRO,GPGGA,0"));
    EXPECT_EQ(h.sensor.config().sentences[GPGGA], 1) << "the last, dropped, echo took effect";
}

TEST(OutputTest, LateAnswersComeAfterTheWait) {
    SensorSettings s;
    s.faults.lateMs = 700;
    SensorHarness h(unit(2), s);
    EXPECT_EQ(h.say(kProbe, 4800), "");
    EXPECT_EQ(h.wait(690), "");
    EXPECT_EQ(h.wait(10), kProbe);
    h.say("$PTVRCX\r\n", 4800);
    EXPECT_EQ(h.wait(690), "");
    EXPECT_EQ(h.wait(10).substr(0, 7), "$PTVRC,");
}

TEST(OutputTest, NoiseComesBeforeTheDollarAndNeverBreaksALine) {
    SensorSettings s;
    s.faults.noise = true;
    SensorHarness h(unit(0, 3, true), s);
    for (int i = 0; i < 20; ++i) {
        const std::string out = h.say(kProbe, 4800);
        const std::size_t dollar = out.find('$');
        ASSERT_NE(dollar, std::string::npos);
        EXPECT_GT(dollar, 0U) << "every answer carries noise";
        EXPECT_EQ(out.substr(dollar), kProbe);
        EXPECT_EQ(out.substr(0, dollar).find_first_of("\r\n"), std::string::npos);
    }
    int noisy = 0;
    for (const std::string& line : nmeacheck::lines(h.wait(10000))) {
        const std::size_t dollar = line.find('$');
        ASSERT_NE(dollar, std::string::npos) << line;
        noisy += dollar > 0 ? 1 : 0;
        EXPECT_TRUE(nmeacheck::valid(line.substr(dollar))) << line;
    }
    EXPECT_GT(noisy, 5) << "some of the sentences";
    EXPECT_LT(noisy, 60) << "not all of them";
}

TEST(OutputTest, LongLinesAreSentencesRunTogether) {
    SensorSettings s;
    s.faults.longLines = true;
    SensorHarness h(unit(0, 3, true), s);
    int longLines = 0;
    for (const std::string& line : nmeacheck::lines(h.wait(20000))) {
        if (line.size() <= 202) {
            EXPECT_TRUE(nmeacheck::valid(line)) << line;
            continue;
        }
        ++longLines;
        // Each piece from one "$" to the next is a whole sentence that lost its line end.
        for (std::size_t from = 0; from < line.size();) {
            const std::size_t next = line.find('$', from + 1);
            const std::string piece = line.substr(from, next - from);
            EXPECT_TRUE(nmeacheck::valid(next == std::string::npos ? piece : piece + "\r\n"))
                << piece;
            from = next == std::string::npos ? line.size() : next;
        }
    }
    EXPECT_GE(longLines, 2);
    EXPECT_LE(longLines, 12);
}

}  // namespace
}  // namespace sensorsim
