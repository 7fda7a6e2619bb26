#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "beam/BeamAutoRepeat.h"

using beam::BeamAutoRepeat;
using beam::BeamButton;

namespace {

struct FakeRepeatTimer : beam::RepeatTimer {
    std::map<int, unsigned> running;
    std::vector<unsigned> armed;
    void start(int id, unsigned ms) override {
        running[id] = ms;
        armed.push_back(ms);
    }
    void stop(int id) override { running.erase(id); }
};

class AutoRepeatTest : public ::testing::Test {
  protected:
    beam::BeamCoverageState state;
    FakeRepeatTimer timer;
    BeamAutoRepeat repeat{state, timer};

    // Fires whatever timer is running, as the event loop would.
    bool fire() {
        if (timer.running.empty()) {
            return false;
        }
        const int id = timer.running.begin()->first;
        timer.running.erase(id);
        return repeat.onTimer(id);
    }
};

}  // namespace

TEST_F(AutoRepeatTest, HeldHeightButtonStepsAfterHalfASecondThenEveryFiveMilliseconds) {
    state.press(BeamButton::Feet);
    EXPECT_TRUE(repeat.press(BeamButton::HeightUp));
    EXPECT_EQ(state.height(), 91);  // the press itself steps once
    ASSERT_EQ(timer.running.count(1), 1u);
    EXPECT_EQ(timer.running[1], 500u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(fire());
        EXPECT_EQ(timer.running[1], 5u);
    }
    EXPECT_EQ(state.height(), 101);
    repeat.release(BeamButton::HeightUp);
    EXPECT_TRUE(timer.running.empty());
    EXPECT_FALSE(repeat.onTimer(1));  // a late expiry after the release
    EXPECT_EQ(state.height(), 101);
}

TEST_F(AutoRepeatTest, HeightAndGainHaveTimersOneToFourOtherButtonsNone) {
    const std::pair<BeamButton, int> timers[] = {{BeamButton::HeightUp, 1},
                                                 {BeamButton::HeightDown, 2},
                                                 {BeamButton::GainUp, 3},
                                                 {BeamButton::GainDown, 4}};
    for (const auto& [button, id] : timers) {
        repeat.press(button);
        EXPECT_EQ(timer.running.count(id), 1u) << id;
    }
    // Each press ended the repeat of the one before.
    EXPECT_EQ(timer.running.size(), 1u);
    EXPECT_FALSE(repeat.onTimer(1));
    repeat.release(BeamButton::GainDown);
    EXPECT_TRUE(timer.running.empty());
    // Range, frequency and units act on the click: the press neither steps nor arms a timer.
    EXPECT_FALSE(repeat.press(BeamButton::RangeUp));
    EXPECT_TRUE(timer.running.empty());
    EXPECT_EQ(state.range(), 50);
}

TEST_F(AutoRepeatTest, GainRepeatsUpToItsLimitAndStops) {
    state.setGain(95);
    repeat.press(BeamButton::GainUp);
    int changes = 0;
    for (int i = 0; i < 20; ++i) {
        changes += fire() ? 1 : 0;
    }
    EXPECT_EQ(state.gain(), 100);
    EXPECT_EQ(changes, 4);  // 96 came with the press; the timer adds 97..100, then nothing
}
