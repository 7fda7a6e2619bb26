#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <deque>
#include <string>
#include <vector>

#include "common/SerialPort.h"
#include "gps/FakeGpsClock.h"
#include "gps/GpsReader.h"
#include "gps/SentenceCutter.h"

namespace {

const std::string kGll = "$GPGLL,4916.45,N,12311.12,W,225444,A\r\n";
const std::string kVtg = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n";
const std::string kRmc = "$GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E*68\r\n";

std::vector<std::string> cutAll(SentenceCutter& c, const std::vector<std::string>& chunks) {
    std::vector<std::string> out;
    for (const std::string& chunk : chunks) {
        c.cut(chunk, [&](std::string_view s) { out.emplace_back(s); });
    }
    return out;
}

TEST(SentenceCutter, SameSentencesWhereverTheStreamIsSplit) {
    const std::string stream = "noise$GN\r\n" + kGll + "$GPxx garbage " + kVtg + kRmc;
    SentenceCutter whole;
    const std::vector<std::string> expected = cutAll(whole, {stream});
    ASSERT_EQ(expected.size(), 3u);
    EXPECT_EQ(expected[0], kGll);
    EXPECT_EQ(expected[1], "$GPxx garbage " + kVtg);  // noise inside a sentence stays in it
    for (std::size_t a = 0; a <= stream.size(); ++a) {
        for (std::size_t b = a; b <= stream.size(); b += 7) {
            SentenceCutter c;
            EXPECT_EQ(cutAll(c, {stream.substr(0, a), stream.substr(a, b - a), stream.substr(b)}),
                      expected)
                << a << " " << b;
        }
    }
}

TEST(SentenceCutter, OtherTalkersOnlyWhenAllAreAccepted) {
    const std::string gn = "$GNRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,191194,,\r\n";
    SentenceCutter c;
    EXPECT_TRUE(cutAll(c, {gn, "$PGRME,15.0,M\r\n"}).empty());
    c.setAcceptAllTalkers(true);
    EXPECT_EQ(cutAll(c, {gn, "$PGRME,15.0,M\r\n", "$GLGSV,1\r\n"}),
              (std::vector<std::string>{gn, "$GLGSV,1\r\n"}));
}

TEST(SentenceCutter, NoiseNeverPilesUp) {
    SentenceCutter c;
    for (int i = 0; i < 1000; ++i) {
        cutAll(c, {std::string(4000, 'x') + "$G"});
        ASSERT_LE(c.leftover().size(), 2u);
    }
    EXPECT_EQ(cutAll(c, {"P" + kGll.substr(3)}), (std::vector<std::string>{kGll}));
    cutAll(c, {"$GPGLL" + std::string(SentenceCutter::kMaxSentence + 10, '1')});
    EXPECT_LE(c.leftover().size(), 2u);
}

// A pseudo-terminal the test writes to, read by the program's own serial code.
struct Pty {
    Pty() {
        char name[256] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0) {
            path = name;
        }
    }
    ~Pty() {
        ::close(master);
        ::close(slave);
    }
    void write(const std::string& s) const {
        ASSERT_EQ(::write(master, s.data(), s.size()), static_cast<ssize_t>(s.size()));
    }
    int master = -1, slave = -1;
    std::string path;
};

struct TickFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_FALSE(pty.path.empty());
        auto port = std::make_unique<SerialPort>(pty.path);
        ASSERT_EQ(port->open({}), SerialPort::OpenResult::Ok);
        reader.setSource(std::move(port));
        shared.with([](GpsData& d) { d.sentenceSet = GpsSentenceSet::GllVtg; });
    }
    // The terminal passes written bytes on asynchronously: wait until they can be read.
    void tick(std::uint32_t now = 0, bool expectBytes = true) {
        pollfd p{pty.slave, POLLIN, 0};
        if (expectBytes) {
            ASSERT_EQ(::poll(&p, 1, 5000), 1);
        }
        reader.tick(now);
    }
    GpsData data() {
        return shared.with([](const GpsData& d) { return d; });
    }

    Pty pty;
    SharedGps shared;
    FakeGpsClock clock;
    GpsReader reader{shared, clock};
};

TEST_F(TickFixture, SentenceSplitAcrossTicksIsParsedOnTheSecond) {
    shared.with([](GpsData& d) { d.sentenceSet = GpsSentenceSet::Rmc; });
    pty.write(kRmc.substr(0, 30));
    tick();
    EXPECT_EQ(data().text[GpsText::Latitude], "n/a");
    EXPECT_EQ(data().fix.tickSentences[0], "");
    pty.write(kRmc.substr(30));
    tick();
    const GpsData d = data();
    EXPECT_EQ(d.text[GpsText::Latitude], "49.16.45 N");
    EXPECT_EQ(d.fix.tickSentences[0], kRmc);
    EXPECT_EQ(d.recent.count(), 1u);
    EXPECT_EQ(d.recent.entries()[0], kRmc.substr(0, kRmc.size() - 2));
}

TEST_F(TickFixture, MoreThanTenSentencesInOneTick) {
    std::string burst;
    for (int i = 0; i < 12; ++i) {
        burst += "$GPGLL,49" + std::to_string(10 + i) + ".00,N,12311.12,W,2254" +
                 std::to_string(10 + i) + ",A\r\n";
    }
    pty.write(burst);
    tick();
    const GpsData d = data();
    // Ten stored with the next ping, all twelve parsed, the last ten listed.
    EXPECT_EQ(d.fix.tickSentences[9].substr(0, 14), "$GPGLL,4919.00");
    EXPECT_EQ(d.text[GpsText::Time], "22:54:21");
    EXPECT_EQ(d.recent.count(), 10u);
    EXPECT_EQ(d.recent.entries()[0].substr(0, 14), "$GPGLL,4912.00");
    EXPECT_EQ(d.recent.entries()[9].substr(0, 14), "$GPGLL,4921.00");
    // The next tick starts with an empty list of tick sentences.
    tick(0, false);
    EXPECT_EQ(data().fix.tickSentences[0], "");
    EXPECT_EQ(data().fix.sentenceSeen, 0);
}

TEST_F(TickFixture, OtherTalkerIsPointedOutAfterAFewSeconds) {
    const std::string gn = "$GNGLL,4916.45,N,12311.12,W,225444,A\r\n";
    pty.write(gn);
    tick(1000);
    EXPECT_EQ(reader.talkerHint(), "");
    pty.write(gn);
    tick(1000 + GpsReader::kTalkerHintAfterMs);
    EXPECT_EQ(reader.talkerHint(), "Receiving NMEA with talker GN: enable Accept all GNSS talkers");
    reader.setAcceptAllTalkers(true);
    pty.write(gn);
    tick(9000);
    EXPECT_EQ(reader.talkerHint(), "");
    EXPECT_EQ(data().text[GpsText::Latitude], "49.16.45 N");
}

TEST(SerialPortOpen, AMissingDeviceOrOneAlreadyHeldIsUnavailable) {
    SerialPort missing("/dev/does-not-exist-gps");
    EXPECT_EQ(missing.open({}), SerialPort::OpenResult::Unavailable);
    Pty pty;
    SerialPort first(pty.path);
    ASSERT_EQ(first.open({}), SerialPort::OpenResult::Ok);
    SerialPort second(pty.path);
    EXPECT_EQ(second.open({}), SerialPort::OpenResult::Unavailable);
    EXPECT_FALSE(SerialPort::probe(pty.path));
    first.close();
    EXPECT_TRUE(SerialPort::probe(pty.path));
    SerialLineSettings odd;
    odd.baudRate = 12345;
    EXPECT_EQ(second.open(odd), SerialPort::OpenResult::SettingsFailed);
    EXPECT_TRUE(second.isOpen());  // kept open with the driver's settings
}

}  // namespace
