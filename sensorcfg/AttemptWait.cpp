#include "sensorcfg/AttemptWait.h"

void AttemptWait::start(unsigned limitMs, bool watchEcho, Done done) {
    limitMs_ = limitMs;
    watchEcho_ = watchEcho;
    done_ = std::move(done);
    phase_ = Phase::Pause;
    timer_.start(kPauseMs);
}

void AttemptWait::lineHandled() {
    if (phase_ == Phase::Wait && echoed_) {
        finish(Outcome::Echoed);
    }
}

void AttemptWait::timerFired() {
    if (phase_ == Phase::Wait) {
        finish(Outcome::TimedOut);
        return;
    }
    if (phase_ != Phase::Pause) {
        return;
    }
    if (!watchEcho_) {
        finish(Outcome::TimedOut);
    } else if (echoed_) {
        finish(Outcome::Echoed);
    } else if (limitMs_ <= kPauseMs) {
        finish(Outcome::TimedOut);
    } else {
        phase_ = Phase::Wait;
        timer_.start(limitMs_ - kPauseMs);
    }
}

void AttemptWait::cancel() {
    if (phase_ != Phase::Idle) {
        finish(Outcome::Cancelled);
    }
}

void AttemptWait::finish(Outcome outcome) {
    timer_.stop();
    phase_ = Phase::Idle;
    // The continuation may start the next attempt on this object.
    Done done = std::move(done_);
    done_ = nullptr;
    done(outcome);
}
