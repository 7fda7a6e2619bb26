#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "acquisition/qt/CSonarSocket.h"
#include "app/qt/QtPlatform.h"
#include "document/CKeelbrookDoc.h"
#include "qt/HeadsimProcess.h"
#include "support/FakePorts.h"

namespace {

int nonZeroSamples(const PingBuffer& p) {
    int n = 0;
    for (int i = 0; i < p.samplesTotal(); ++i) {
        n += p.samples()[i] != 0;
    }
    return n;
}

// The document with the real socket and timers; only the windows are fakes.
class LiveLink {
  public:
    explicit LiveLink(const std::string& address) {
        prompts.answers.push_back(address);
        doc = std::make_unique<CKeelbrookDoc>(DocPorts{socket, clock, timers, prompts, frame},
                                              dir.path().toStdString() + "/", 1920, 1080);
        socket.setDocument(doc.get());
        timers.setDocument(doc.get());
        doc->resizeImage(400, 300);
        doc->initialise();
    }
    ~LiveLink() {
        socket.setDocument(nullptr);
        timers.setDocument(nullptr);
        socket.close();
    }
    int pings() const { return frame.diagnosticsRefreshes; }  // one per processed ping
    // One row per drawn ping while the vessel speed is unknown.
    int drawn() const { return static_cast<int>(doc->pipeline().image().totalLines()); }

    QTemporaryDir dir;
    CSonarSocket socket;
    QtClock clock;
    QtTimers timers;
    FakePrompts prompts;
    FakeFrame frame;
    std::unique_ptr<CKeelbrookDoc> doc;
};

}  // namespace

TEST(SonarLink, ConnectsWalksTheHandshakeAndKeepsExchanging) {
    HeadsimProcess sim("127.0.0.21", {});
    ASSERT_TRUE(sim.listening());
    LiveLink live("127.0.0.21");
    ASSERT_TRUE(live.doc->Connect());
    ASSERT_TRUE(waitUntil([&] { return live.pings() >= 60; }));
    EXPECT_EQ(live.doc->connectionState(), ConnectionState::Connected);
    EXPECT_FALSE(live.doc->head().handshakeArmed());
    EXPECT_EQ(live.doc->head().command().linkCommand(), 0);
    EXPECT_EQ(live.doc->discardedReturns(), 0u);
    EXPECT_EQ(live.drawn(), live.pings());
    EXPECT_GT(nonZeroSamples(live.doc->pingBuffer()), 1000);

    // A range change reaches the simulator and comes back acknowledged.
    live.doc->execute(CommandId::IncreaseRange);
    ASSERT_TRUE(waitUntil([&] {
        return live.doc->decoded().runType == 0 && live.doc->decoded().echoValue == 10 &&
               live.doc->head().command().linkCommand() == 0;
    }));
}

struct Split {
    const char* args;
    const char* address;  // one per case: ctest runs them in parallel
};

class SegmentedReturns : public ::testing::TestWithParam<Split> {};

TEST_P(SegmentedReturns, EveryReturnArrivesWholeAndInOrder) {
    const QString address = QString::fromLatin1(GetParam().address);
    HeadsimProcess sim(address, QString::fromLatin1(GetParam().args).split(' '));
    ASSERT_TRUE(sim.listening());
    LiveLink live(address.toStdString());
    live.doc->Connect();
    // One-byte segments are paced by the simulator, so fewer pings prove the point.
    const int wanted = QString::fromLatin1(GetParam().args) == "--split 1" ? 6 : 25;
    ASSERT_TRUE(waitUntil([&] { return live.pings() >= wanted; }, 30000));
    EXPECT_EQ(live.doc->discardedReturns(), 0u);
    EXPECT_EQ(live.drawn(), live.pings());
    EXPECT_EQ(head::sideOf(live.doc->pingBuffer().header()[head::kSerialStatus]),
              head::Side::Starboard);
    EXPECT_FALSE(live.doc->head().handshakeArmed());
}

INSTANTIATE_TEST_SUITE_P(Splits, SegmentedReturns,
                         ::testing::Values(Split{"--split 1", "127.0.0.31"},
                                           Split{"--split-random", "127.0.0.32"},
                                           Split{"--split 500", "127.0.0.33"}));

TEST(SonarLink, NoReceiveDataPingsAreTimedButNotDrawn) {
    HeadsimProcess sim("127.0.0.23", {"--norx-every", "3"});
    ASSERT_TRUE(sim.listening());
    LiveLink live("127.0.0.23");
    live.doc->Connect();
    ASSERT_TRUE(waitUntil([&] { return live.pings() >= 30; }));
    const int processed = live.pings();
    EXPECT_LT(live.drawn(), processed);
    EXPECT_GE(live.drawn(), processed * 2 / 3 - 2);
}

TEST(SonarLink, DroppedConnectionSavesSettingsAndPausesBeforeAsking) {
    HeadsimProcess sim("127.0.0.24", {"--close-after", "5"});
    ASSERT_TRUE(sim.listening());
    LiveLink live("127.0.0.24");
    live.doc->Connect();
    ASSERT_TRUE(waitUntil([&] { return live.timers.isActive(TimerId::ReconnectPause); }));
    EXPECT_EQ(live.pings(), 5);
    EXPECT_EQ(live.doc->connectionState(), ConnectionState::Connected);
    EXPECT_TRUE(QFile::exists(live.dir.filePath("Keelbrook.cfg")));
    EXPECT_EQ(live.prompts.askedWith.size(), 1u);
    EXPECT_TRUE(live.prompts.messages.empty());
    // After the pause the user is asked again and the exchange starts over.
    live.prompts.answers.push_back("127.0.0.24");
    ASSERT_TRUE(waitUntil([&] { return live.prompts.askedWith.size() == 2; }, 8000));
    ASSERT_TRUE(waitUntil([&] { return live.pings() >= 10; }));
}

TEST(SonarLink, WrongSideReturnsDoNotStallTheExchange) {
    HeadsimProcess sim("127.0.0.25", {"--wrong-side-every", "4"});
    ASSERT_TRUE(sim.listening());
    LiveLink live("127.0.0.25");
    live.doc->Connect();
    ASSERT_TRUE(waitUntil([&] { return live.pings() >= 20; }));
    EXPECT_GT(live.doc->discardedReturns(), 0u);
}

TEST(SonarLink, AddressWhereNothingListensEndsNotConnected) {
    LiveLink live("127.0.0.26");
    live.doc->Connect();
    EXPECT_EQ(live.doc->connectionState(), ConnectionState::Connecting);
    ASSERT_TRUE(
        waitUntil([&] { return live.doc->connectionState() == ConnectionState::NotConnected; }));
    EXPECT_FALSE(live.timers.isActive(TimerId::ConnectTimeout));
}

TEST(SonarLink, SilentHeadOnAnOpenConnectionIsGivenUpWithinTenSeconds) {
    HeadsimProcess sim("127.0.0.27", {"--silent-after", "10"});
    ASSERT_TRUE(sim.listening());
    LiveLink live("127.0.0.27");
    live.doc->Connect();
    ASSERT_TRUE(waitUntil([&] { return live.pings() == 5; }));
    // One more request after 3 s of silence, given up 3 s later like a closed connection.
    ASSERT_TRUE(waitUntil([&] { return live.timers.isActive(TimerId::ReconnectPause); }, 10000));
    EXPECT_EQ(live.pings(), 5);
    EXPECT_TRUE(live.prompts.messages.empty());
    EXPECT_TRUE(QFile::exists(live.dir.filePath("Keelbrook.cfg")));
    // The next connection gets answers again: fault counts restart with each client.
    live.prompts.answers.push_back("127.0.0.27");
    ASSERT_TRUE(waitUntil([&] { return live.prompts.askedWith.size() == 2; }, 8000));
    ASSERT_TRUE(waitUntil([&] { return live.pings() >= 10; }));
}

TEST(SonarLink, OverLongReturnIsDroppedAndTheExchangeStaysFramed) {
    HeadsimProcess sim("127.0.0.28", {"--long-return-at", "3"});
    ASSERT_TRUE(sim.listening());
    LiveLink live("127.0.0.28");
    live.doc->Connect();
    ASSERT_TRUE(waitUntil([&] { return live.pings() >= 40; }));
    EXPECT_EQ(live.doc->discardedReturns(), 1u);
    EXPECT_EQ(live.drawn(), live.pings());
    EXPECT_FALSE(live.doc->head().handshakeArmed());
}
