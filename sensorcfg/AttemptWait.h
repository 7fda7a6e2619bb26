#pragma once

#include <functional>

#include "sensorcfg/SensorPorts.h"

// The wait after one write to the sensor. First a quiet pause of 500 ms in which nothing is
// looked at (the sensor gets time to answer; lines that arrive are handled but do not end the
// wait), then, until the attempt's limit, the first echo ends it. The limit is counted from the
// write; a limit below the pause ends the attempt with the pause. Cancel ends it at once.
class AttemptWait {
  public:
    static constexpr unsigned kPauseMs = 500;
    enum class Outcome { Echoed, TimedOut, Cancelled };
    using Done = std::function<void(Outcome)>;

    // `echoed` is the session's flag, set by its line handler.
    AttemptWait(OperationTimer& timer, const bool& echoed) : timer_(timer), echoed_(echoed) {}

    // `watchEcho` false: the attempt is only the pause and never counts as echoed.
    void start(unsigned limitMs, bool watchEcho, Done done);
    bool active() const { return phase_ != Phase::Idle; }

    // The three events. Each does nothing while no attempt runs.
    void lineHandled();
    void timerFired();
    void cancel();

  private:
    enum class Phase { Idle, Pause, Wait };
    void finish(Outcome outcome);

    OperationTimer& timer_;
    const bool& echoed_;
    Phase phase_ = Phase::Idle;
    unsigned limitMs_ = 0;
    bool watchEcho_ = true;
    Done done_;
};
