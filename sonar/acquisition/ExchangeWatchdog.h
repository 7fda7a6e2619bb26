#pragma once

#include <cstdint>
#include <optional>

#include "acquisition/HeadProtocol.h"
#include "acquisition/Ports.h"

// Watches the exchange with the head. A head that reboots or loses its tow cable leaves a
// connection that stays open and says nothing; without a watch the waterfall would stop with
// the program still Connected and Reconnect disabled. When no complete return has come within
// the time-out of a command, the command is sent once more; when the second wait also runs out,
// the head is given up like a closed connection.
class ExchangeWatchdog {
  public:
    // Far beyond the slowest head: at 200 m range a ping takes well under half a second.
    static constexpr unsigned kAnswerTimeoutMs = 3000;

    enum class Expiry {
        Resend,
        GiveUp,
        Stale,  // the watch had ended (answered, stopped): nothing to do
    };

    explicit ExchangeWatchdog(Timers& timers) : timers_(timers) {}

    // A new command went out: its answer is awaited afresh.
    void commandSent();
    // A complete return is in (handled now, or after a prompt that holds up the handling).
    void answered();
    void stop();
    // The time-out ran out: the first time the command asking for requestedSide is to go out
    // again, the second time the head is given up.
    Expiry expired(std::uint8_t requestedSide);

    // A head that was only slow answers both copies of a re-sent command. The second answer
    // follows the first at once, carries the side asked for back then and no longer the side
    // asked for now: true for that return, which answers nothing and is dropped.
    bool isLateDuplicate(head::Side side, std::uint8_t requestedSide);

  private:
    Timers& timers_;
    bool armed_ = false;
    bool resent_ = false;
    std::optional<std::uint8_t> resentSide_;
    int answersSinceResend_ = 0;
};
