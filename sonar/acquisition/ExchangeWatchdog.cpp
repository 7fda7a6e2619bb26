#include "acquisition/ExchangeWatchdog.h"

namespace {
std::optional<std::uint8_t> sideRequestOf(head::Side side) {
    switch (side) {
        case head::Side::Port:
            return SwitchCommand::kPort;
        case head::Side::Starboard:
            return SwitchCommand::kStarboard;
        case head::Side::Discarded:
            break;
    }
    return std::nullopt;
}
}  // namespace

void ExchangeWatchdog::commandSent() {
    armed_ = true;
    resent_ = false;
    timers_.start(TimerId::ExchangeWatchdog, kAnswerTimeoutMs);
}

void ExchangeWatchdog::answered() {
    armed_ = false;
    timers_.stop(TimerId::ExchangeWatchdog);
}

void ExchangeWatchdog::stop() {
    armed_ = false;
    timers_.stop(TimerId::ExchangeWatchdog);
    resent_ = false;
    resentSide_.reset();
}

ExchangeWatchdog::Expiry ExchangeWatchdog::expired(std::uint8_t requestedSide) {
    if (!armed_) {
        return Expiry::Stale;
    }
    if (resent_) {
        stop();
        return Expiry::GiveUp;
    }
    resent_ = true;
    resentSide_ = requestedSide;
    answersSinceResend_ = 0;
    timers_.start(TimerId::ExchangeWatchdog, kAnswerTimeoutMs);
    return Expiry::Resend;
}

bool ExchangeWatchdog::isLateDuplicate(head::Side side, std::uint8_t requestedSide) {
    if (!resentSide_ || ++answersSinceResend_ < 2) {
        return false;  // the first answer after a resend is the one awaited
    }
    const bool duplicate = sideRequestOf(side) == resentSide_ && *resentSide_ != requestedSide;
    resentSide_.reset();
    return duplicate;
}
