#include "headsim/HeadResponder.h"

#include <algorithm>

namespace headsim {
namespace {
constexpr char kHeaderTag[3] = {'K', 'B', 'H'};
constexpr std::size_t kPingCounterByte = 8;
constexpr std::uint8_t kTerminator = 0xFD;

bool wantsStarboard(const SwitchCommand& command) {
    return command.sideRequest() == SwitchCommand::kStarboard;
}
}  // namespace

HeadResponder::HeadResponder(std::uint64_t seed, FaultPlan faults)
    : scene_(seed), faults_(faults) {}

void HeadResponder::startConnection() {
    sessionPings_ = 0;
    sessionReturns_ = 0;
    starboardReturns_ = 0;
    portAnswered_ = false;
    pingNoRx_ = false;
}

bool HeadResponder::opensPing(const SwitchCommand& command) const {
    return !(wantsStarboard(command) && portAnswered_);
}

void HeadResponder::beginPing() {
    ++scenePing_;
    ++sessionPings_;
    pingNoRx_ = faults_.noRxEvery != 0 && sessionPings_ % faults_.noRxEvery == 0;
}

void HeadResponder::acknowledge(const SwitchCommand& command, int& runType, int& echoValue) {
    applied_.dataGain = command.dataGain();
    runType = command.linkCommand();
    switch (command.linkCommand()) {
        case SwitchCommand::ApplyMode:
            applied_.modeFreq = command.modeFreq();
            echoValue = applied_.modeFreq;
            break;
        case SwitchCommand::ApplyRange:
            applied_.rangeIndex = command.rangeIndex();
            echoValue = applied_.rangeIndex;
            break;
        case SwitchCommand::ApplyBalance:
            applied_.gainBalance = command.gainBalance();
            echoValue = applied_.gainBalance;
            break;
        default:
            // A plain data request (or an unknown code): report the range in use.
            runType = SwitchCommand::None;
            echoValue = applied_.rangeIndex;
            break;
    }
}

void HeadResponder::writeHeader(std::uint8_t side, int runType, int echoValue,
                                std::uint8_t* out) const {
    std::copy(std::begin(kHeaderTag), std::end(kHeaderTag), out);
    out[head::kSerialStatus] = side;
    head::unpackStatusWord(head::makeStatusWord(runType, echoValue), out);
    out[kPingCounterByte] = static_cast<std::uint8_t>(sessionPings_);
    out[head::kNoRxByte] = pingNoRx_ ? head::kNoRxMask : 0;
}

HeadReply HeadResponder::respond(const SwitchCommand& command) {
    if (faults_.silentAfter != 0 && sessionReturns_ >= faults_.silentAfter) {
        return {};  // a head that rebooted behind a connection still open
    }
    if (opensPing(command)) {
        beginPing();
    }
    const bool starboard = wantsStarboard(command);
    portAnswered_ = !starboard;

    int runType = 0;
    int echoValue = 0;
    acknowledge(command, runType, echoValue);

    ++sessionReturns_;
    const bool wrongSide =
        faults_.wrongSideEvery != 0 && sessionReturns_ % faults_.wrongSideEvery == 0;
    const std::uint8_t side = wrongSide   ? kWrongSide
                              : starboard ? SwitchCommand::kStarboard
                                          : SwitchCommand::kPort;

    HeadReply reply;
    reply.bytes.assign(kReturnLength, 0);
    writeHeader(side, runType, echoValue, reply.bytes.data());
    if (!pingNoRx_) {
        scene_.render(scenePing_, starboard, applied_, reply.bytes.data() + head::kHeaderBytes,
                      kSamplesTotal / 2);
    }
    reply.bytes.back() = kTerminator;
    if (faults_.longReturnAt != 0 && sessionReturns_ == faults_.longReturnAt) {
        reply.bytes.insert(reply.bytes.end(), kLongReturnExtra, kLongReturnFill);
    }

    if (side == SwitchCommand::kStarboard) {
        ++starboardReturns_;
        reply.closeConnection = faults_.closeAfter != 0 && starboardReturns_ >= faults_.closeAfter;
    }
    return reply;
}

}  // namespace headsim
