#include "nmeasim/Replay.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "nmeasim/NmeaCheck.h"

namespace {

using nmeasim::ReplayLog;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The NMEA lines of a capture as the simulator should send them: no comments, CR LF ends.
std::vector<std::string> expectedLines(const std::string& text) {
    std::vector<std::string> out;
    for (std::string line : nmeacheck::lines(text)) {
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.pop_back();
        }
        if (!line.empty() && line[0] == '$') {
            out.push_back(line + "\r\n");
        }
    }
    return out;
}

std::vector<std::int64_t> offsets(const ReplayLog& log) {
    std::vector<std::int64_t> out;
    for (const auto& c : log.cycles) {
        out.push_back(c.offsetMicros);
    }
    return out;
}

TEST(ReplayTest, RealCapturesPlayEveryLineAtTheirOwnPace) {
    struct Case {
        const char* file;
        std::size_t cycles;
        std::int64_t interval;
    };
    // GPSmap 76S: CR LF, a fix every two seconds; Garmin 17N: LF, every second.
    for (const Case c : {Case{"GPSmap-76S.log", 12, 2000000}, Case{"garmin17n.log", 2, 1000000}}) {
        SCOPED_TRACE(c.file);
        const std::string path = std::string(NMEASIM_DATA_DIR) + "/" + c.file;
        std::string error;
        const auto log = nmeasim::loadReplayLog(path, error);
        ASSERT_TRUE(log) << error;
        ASSERT_EQ(log->cycles.size(), c.cycles);
        std::vector<std::string> played;
        for (std::size_t i = 0; i < log->cycles.size(); ++i) {
            EXPECT_EQ(log->cycles[i].offsetMicros, static_cast<std::int64_t>(i) * c.interval);
            // Each cycle opens with the sentence that carries its time.
            EXPECT_TRUE(nmeasim::sentenceTimeOfDay(log->cycles[i].sentences.front()));
            played.insert(played.end(), log->cycles[i].sentences.begin(),
                          log->cycles[i].sentences.end());
        }
        EXPECT_EQ(played, expectedLines(readFile(path)));
        EXPECT_GT(log->skippedLines, 4u) << "the # header";
    }
}

TEST(ReplayTest, PausesFollowTheTimeFieldsWithinLimits) {
    struct Case {
        const char* name;
        std::string log;
        std::vector<std::int64_t> offsets;
    };
    const std::vector<Case> cases = {
        {"10 Hz",
         "$GPRMC,120000.00,A\n$GPVTG,1\n$GPRMC,120000.10,A\n$GPRMC,120000.20,A\n",
         {0, 100000, 200000}},
        {"midnight",
         "$GPGGA,235959,x\n$GPGGA,000000,x\n$GPGLL,1,N,2,E,000002,A\n",
         {0, 1000000, 3000000}},
        {"long jump and going back play as one second",
         "$GPGGA,120000,x\n$GPGGA,130000,x\n$GPGGA,125959,x\n$GPGGA,130030,x\n",
         {0, 1000000, 2000000, 33000000}},
        {"no time at all: a sentence a second", "$GPVTG,1\n$GPGSA,2\n", {0, 1000000}},
        {"junk and untimed lines ride along",
         "# header\r\nnot nmea\r\n$GPVTG,0\r\n\r\n$GPZDA,010203.5,x\r\n$GPGSV,1\r\n"
         "$GPZDA,010204.5,x\r\n\x01\x02$GPGGA,bad\r\n",
         {0, 1000000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(offsets(nmeasim::parseReplayLog(c.log)), c.offsets);
    }
    const ReplayLog junk = nmeasim::parseReplayLog(cases.back().log);
    EXPECT_EQ(junk.skippedLines, 3u);
    EXPECT_EQ(junk.cycles[0].sentences,
              (std::vector<std::string>{"$GPVTG,0\r\n", "$GPZDA,010203.5,x\r\n", "$GPGSV,1\r\n"}));
}

TEST(ReplayTest, LoopStartsTheLogAgainAfterItsLastCycle) {
    const std::string text = "$GPGGA,100000,a\n$GPGGA,100002,b\n";
    nmeasim::ReplaySource once(nmeasim::parseReplayLog(text), false);
    nmeasim::ReplaySource looped(nmeasim::parseReplayLog(text), true);
    EXPECT_TRUE(once.next());
    EXPECT_TRUE(once.next());
    EXPECT_FALSE(once.next());
    std::vector<std::int64_t> times;
    std::vector<std::string> first;
    for (int i = 0; i < 5; ++i) {
        const auto c = looped.next();
        ASSERT_TRUE(c);
        times.push_back(c->offsetMicros);
        first.push_back(c->sentences.front());
    }
    EXPECT_EQ(times, (std::vector<std::int64_t>{0, 2000000, 4000000, 6000000, 8000000}));
    EXPECT_EQ(first[2], first[0]);
    EXPECT_EQ(first[3], first[1]);
}

TEST(ReplayTest, AMissingOrEmptyLogIsRefusedWithItsName) {
    std::string error;
    EXPECT_FALSE(nmeasim::loadReplayLog("/nonexistent/x.log", error));
    EXPECT_EQ(error, "cannot open '/nonexistent/x.log'");
    const std::string path = testing::TempDir() + "nmeasim-empty.log";
    std::ofstream(path) << "# only a comment\n";
    EXPECT_FALSE(nmeasim::loadReplayLog(path, error));
    EXPECT_EQ(error, "no NMEA sentences in '" + path + "'");
}

}  // namespace
