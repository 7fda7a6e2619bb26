#include "nmeasim/Faults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nmeasim/Nmea.h"
#include "nmeasim/NmeaCheck.h"

namespace {

using nmeasim::FaultInjector;
using nmeasim::FaultOptions;
using nmeasim::Piece;

std::vector<std::string> cleanSentences(int n) {
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) {
        out.push_back(nmeasim::frame("GPGLL,5046.50000,N,00113.80000,W,1200" +
                                     std::to_string(10 + i % 50) + ".00,A,A"));
    }
    return out;
}

std::string joined(const std::vector<Piece>& pieces) {
    std::string s;
    for (const Piece& p : pieces) {
        s += p.bytes;
    }
    return s;
}

// True when `inner` can be had from `outer` by deleting one contiguous run of bytes.
bool isOneBurstAdded(const std::string& outer, const std::string& inner) {
    std::size_t head = 0;
    while (head < inner.size() && outer[head] == inner[head]) {
        ++head;
    }
    return outer.size() > inner.size() &&
           outer.compare(outer.size() - (inner.size() - head), std::string::npos, inner, head) == 0;
}

TEST(FaultsTest, EveryNthSentenceCarriesAWrongChecksumAndNoOtherIsTouched) {
    FaultOptions options;
    options.badChecksumEvery = 3;
    FaultInjector faults(options, 1);
    const auto in = cleanSentences(10);
    // Two cycles: the count runs on across them.
    auto out = faults.shape({in.begin(), in.begin() + 4});
    const auto more = faults.shape({in.begin() + 4, in.end()});
    out.insert(out.end(), more.begin(), more.end());
    ASSERT_EQ(out.size(), in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const bool bad = (i + 1) % 3 == 0;
        EXPECT_EQ(nmeacheck::valid(out[i].bytes), !bad) << out[i].bytes;
        EXPECT_EQ(out[i].bytes.size(), in[i].size());
        EXPECT_EQ(out[i].bytes.substr(0, in[i].size() - 4), in[i].substr(0, in[i].size() - 4));
    }
    // A replayed sentence without a checksum, or with a cut one, gets a wrong one.
    FaultInjector every({0.0, 1}, 1);
    EXPECT_EQ(every.shape({"$GPVTG,1\r\n"})[0].bytes, "$GPVTG,1*50\r\n");
    EXPECT_EQ(every.shape({"$GPVTG,1*7\r\n"})[0].bytes, "$GPVTG,1*50\r\n");
}

TEST(FaultsTest, NoiseHitsSentencesAtTheChosenRateAsOneBurstBeforeOrInside) {
    for (const double p : {0.0, 0.3, 1.0}) {
        SCOPED_TRACE(p);
        FaultOptions options;
        options.noise = p;
        FaultInjector faults(options, 42);
        const auto in = cleanSentences(2000);
        const auto out = faults.shape(in);
        int hit = 0;
        int before = 0;
        for (std::size_t i = 0; i < in.size(); ++i) {
            const std::string& s = out[i].bytes;
            if (s == in[i]) {
                continue;
            }
            ++hit;
            ASSERT_TRUE(isOneBurstAdded(s, in[i])) << i;
            ASSERT_LE(s.size() - in[i].size(), std::size_t{FaultInjector::kNoiseMaxBytes});
            ASSERT_EQ(s.substr(s.size() - 2), "\r\n") << "nothing after the line end";
            before += s.compare(s.size() - in[i].size(), std::string::npos, in[i]) == 0 ? 1 : 0;
        }
        EXPECT_NEAR(hit / 2000.0, p, 0.04);
        if (p == 1.0) {
            EXPECT_GT(before, 800) << "about half the bursts lead the sentence";
            EXPECT_LT(before, 1200);
        }
    }
}

TEST(FaultsTest, SplitSentencesArriveInPiecesWithShortPausesAndNothingLost) {
    FaultOptions options;
    options.split = true;
    FaultInjector faults(options, 9);
    const auto in = cleanSentences(300);
    const auto pieces = faults.shape(in);
    std::string all;
    for (const std::string& s : in) {
        all += s;
    }
    EXPECT_EQ(joined(pieces), all);
    std::size_t sentence = 0;
    std::size_t inSentence = 0;
    int piecesOfThis = 0;
    for (const Piece& p : pieces) {
        ASSERT_FALSE(p.bytes.empty());
        if (inSentence == 0) {
            EXPECT_EQ(p.pauseMicros, 0u) << "a sentence starts at once";
            piecesOfThis = 0;
        } else {
            EXPECT_GE(p.pauseMicros, FaultInjector::kSplitPauseMinMicros);
            EXPECT_LE(p.pauseMicros, FaultInjector::kSplitPauseMaxMicros);
        }
        ++piecesOfThis;
        inSentence += p.bytes.size();
        if (inSentence == in[sentence].size()) {
            EXPECT_GE(piecesOfThis, 2);
            EXPECT_LE(piecesOfThis, FaultInjector::kSplitMaxPieces);
            ++sentence;
            inSentence = 0;
        }
    }
    EXPECT_EQ(sentence, in.size()) << "pieces never straddle two sentences";
}

TEST(FaultsTest, GapsFallSilentForTheirLengthEveryPeriod) {
    FaultInjector none(FaultOptions{}, 1);
    FaultOptions options;
    options.gapEvery = 60.0;
    options.gapSeconds = 10.0;
    FaultInjector faults(options, 1);
    struct Case {
        double at;
        bool silent;
    };
    for (const Case c : {Case{0, false}, Case{59.9, false}, Case{60, true}, Case{69.9, true},
                         Case{70, false}, Case{125, true}, Case{130, false}}) {
        EXPECT_EQ(faults.silent(c.at), c.silent) << c.at;
        EXPECT_FALSE(none.silent(c.at));
    }
}

}  // namespace
