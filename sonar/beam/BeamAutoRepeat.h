#pragma once

#include <optional>

#include "beam/BeamCoverageState.h"

namespace beam {

// One-shot timers by id; expiry comes back as BeamAutoRepeat::onTimer.
class RepeatTimer {
  public:
    virtual ~RepeatTimer() = default;
    virtual void start(int id, unsigned milliseconds) = 0;
    virtual void stop(int id) = 0;
};

// The height and gain buttons repeat while held: a press steps once and arms a 500 ms timer;
// each expiry while the button is still down steps again and re-arms at 5 ms; the release ends
// it. The other buttons step once per click.
class BeamAutoRepeat {
  public:
    static constexpr unsigned kFirstDelayMs = 500;
    static constexpr unsigned kRepeatMs = 5;

    BeamAutoRepeat(BeamCoverageState& state, RepeatTimer& timer) : state_(state), timer_(timer) {}

    // Timer 1..4 of height up, height down, gain up, gain down; nothing for other buttons.
    static std::optional<int> timerOf(BeamButton button);
    static bool repeats(BeamButton button) { return timerOf(button).has_value(); }

    // True when the values changed (the caller redraws).
    bool press(BeamButton button);
    void release(BeamButton button);
    bool onTimer(int id);

    std::optional<BeamButton> held() const { return held_; }

  private:
    BeamCoverageState& state_;
    RepeatTimer& timer_;
    std::optional<BeamButton> held_;
};

}  // namespace beam
