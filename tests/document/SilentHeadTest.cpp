#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "document/DocumentFixture.h"

using namespace doctest;

namespace {

class SilentHeadTest : public DocumentTest {
  protected:
    void expire() { doc->OnTimer(TimerId::ExchangeWatchdog); }
    bool watching() const { return timers.isRunning(TimerId::ExchangeWatchdog); }
};

}  // namespace

TEST_F(SilentHeadTest, CommandGoesOnceMoreThenTheHeadIsGivenUpLikeAClosedConnection) {
    doc->initialise();
    connectYes();
    ping();
    ASSERT_EQ(timers.running.at(TimerId::ExchangeWatchdog), ExchangeWatchdog::kAnswerTimeoutMs);
    const std::vector<std::uint8_t> asked = link.sent.back();
    const std::size_t sent = link.sent.size();

    expire();
    ASSERT_EQ(link.sent.size(), sent + 1);
    EXPECT_EQ(link.sent.back(), asked);
    EXPECT_TRUE(watching());
    EXPECT_FALSE(timers.isRunning(TimerId::ReconnectPause));

    const int closes = link.closes;
    expire();
    EXPECT_EQ(link.sent.size(), sent + 1);
    EXPECT_GT(link.closes, closes);
    EXPECT_FALSE(watching());
    EXPECT_EQ(timers.running.at(TimerId::ReconnectPause), 5000u);
    EXPECT_TRUE(fs::exists(dir / "Keelbrook.cfg"));
    EXPECT_TRUE(prompts.messages.empty()) << "no message box in front of the question";
    expire();  // a late expiry without a connection changes nothing
    EXPECT_EQ(link.sent.size(), sent + 1);

    prompts.answers.push_back("127.0.0.5");
    doc->OnTimer(TimerId::ReconnectPause);
    EXPECT_EQ(prompts.askedWith.size(), 2u);
    doc->OnConnectResult(true);
    ping();
    EXPECT_EQ(drawn(), 2u);
}

TEST_F(SilentHeadTest, ShortReturnIsDroppedAndTheAnswerToTheResentCommandTaken) {
    doc->initialise();
    connectYes();
    receive(headReturn(0));
    const auto starboard = headReturn(2);
    doc->OnReceive(starboard.data(), 500);
    expire();
    EXPECT_EQ(doc->discardedReturns(), 1u);
    EXPECT_EQ(lastSent(18), 2);
    receive(headReturn(2));
    EXPECT_EQ(drawn(), 1u);
    // An answer between two expiries starts the count again: no give-up.
    expire();
    EXPECT_FALSE(timers.isRunning(TimerId::ReconnectPause));
    ping();
    EXPECT_EQ(drawn(), 2u);
}

TEST_F(SilentHeadTest, SlowHeadAnsweringBothCopiesDoesNotDoubleTheExchange) {
    doc->initialise();
    connectYes();
    expire();  // the first port request goes again
    receive(headReturn(0));
    receive(headReturn(0));  // the answer to the copy
    EXPECT_EQ(doc->discardedReturns(), 1u);
    EXPECT_EQ(link.sent.size(), 3u);  // connect, copy, starboard
    EXPECT_TRUE(watching());
    receive(headReturn(2));
    ping();
    ping();
    EXPECT_EQ(drawn(), 3u);
    EXPECT_EQ(link.sent.size(), 8u) << "one command per return from here on";
}

namespace {
struct FullDisk : DiskSpace {
    std::optional<std::uint64_t> freeBytes(const std::string&) override { return 500; }
};
// Delivers bytes from the head while a message box is open, as the event loop of a modal
// prompt does.
struct PromptsThatWait : FakePrompts {
    std::function<void()> whileOpen;
    void message(const std::string& text, MessageIcon icon) override {
        FakePrompts::message(text, icon);
        if (auto f = std::exchange(whileOpen, nullptr)) {
            f();
        }
    }
};
}  // namespace

TEST_F(SilentHeadTest, ReturnHeldUpByAMessageBoxIsNoSilence) {
    FullDisk full;
    PromptsThatWait waiting;
    doc = std::make_unique<CKeelbrookDoc>(
        DocPorts{link, clock, timers, waiting, frame, nullptr, &full}, dir.string() + "/", 1920,
        1080);
    doc->resizeImage(203, 60);
    doc->initialise();
    waiting.answers.push_back("127.0.0.5");
    doc->Connect();
    doc->OnConnectResult(true);
    waiting.saveChoices.push_back(FileChoice{(dir / "full.dsx").string(), 0});
    doc->execute(CommandId::RecordData);
    receive(headReturn(0));
    bool watchedWhileOpen = true;
    waiting.whileOpen = [&] {
        receive(headReturn(0));  // the answer to the port request sent before the ping
        watchedWhileOpen = watching();
    };
    receive(headReturn(2));  // the disk-full message opens inside the ping
    ASSERT_EQ(waiting.messages.size(), 1u);
    EXPECT_FALSE(watchedWhileOpen);
    EXPECT_TRUE(watching()) << "the next command is watched again";
    EXPECT_EQ(lastSent(18), 2) << "the held-up port return was taken";
}
