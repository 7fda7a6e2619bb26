#include "beam/BeamAutoRepeat.h"

namespace beam {

std::optional<int> BeamAutoRepeat::timerOf(BeamButton button) {
    switch (button) {
        case BeamButton::HeightUp:
            return 1;
        case BeamButton::HeightDown:
            return 2;
        case BeamButton::GainUp:
            return 3;
        case BeamButton::GainDown:
            return 4;
        default:
            return std::nullopt;
    }
}

bool BeamAutoRepeat::press(BeamButton button) {
    const std::optional<int> id = timerOf(button);
    if (!id) {
        return false;  // acts on the click instead
    }
    if (held_ && *held_ != button) {
        release(*held_);
    }
    held_ = button;
    timer_.start(*id, kFirstDelayMs);
    return state_.press(button);
}

void BeamAutoRepeat::release(BeamButton button) {
    const std::optional<int> id = timerOf(button);
    if (!id || held_ != button) {
        return;
    }
    timer_.stop(*id);
    held_.reset();
}

bool BeamAutoRepeat::onTimer(int id) {
    // A late expiry after the release, or of another button's timer, does nothing.
    if (!held_ || timerOf(*held_) != id) {
        return false;
    }
    timer_.start(id, kRepeatMs);
    return state_.press(*held_);
}

}  // namespace beam
