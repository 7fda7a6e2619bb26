#include "acquisition/HeadProtocol.h"

#include <algorithm>

namespace head {
namespace {
constexpr std::uint8_t kSideMask = 0x07;
constexpr int kRunTypeMask = 0x0F;
constexpr int kEchoValueMask = 0xFF;
}  // namespace

Side sideOf(std::uint8_t serialStatus) {
    switch (serialStatus & kSideMask) {
        case 0:
            return Side::Port;
        case 2:
            return Side::Starboard;
        default:
            return Side::Discarded;
    }
}

std::uint32_t packStatusWord(const std::uint8_t* h) {
    return (h[4] & 0x3Fu) | (h[5] & 0x3Fu) << 6 | (h[6] & 0x3Fu) << 12 | (h[7] & 0x1Fu) << 18;
}

void unpackStatusWord(std::uint32_t word, std::uint8_t* h) {
    h[4] = static_cast<std::uint8_t>(word & 0x3F);
    h[5] = static_cast<std::uint8_t>((word >> 6) & 0x3F);
    h[6] = static_cast<std::uint8_t>((word >> 12) & 0x3F);
    h[7] = static_cast<std::uint8_t>((word >> 18) & 0x1F);
}

std::uint32_t makeStatusWord(int runType, int echoValue) {
    return static_cast<std::uint32_t>((runType & kRunTypeMask) << 1 | (echoValue & kEchoValueMask)
                                                                          << 5);
}
}  // namespace head

void PingBuffer::resize(int samplesTotal) {
    samplesTotal_ = std::max(0, samplesTotal);
    bytes_.assign(head::kHeaderBytes + static_cast<std::size_t>(samplesTotal_), 0);
}

head::Side PingBuffer::acceptReturn(const std::uint8_t* ret, std::size_t len) {
    if (len != head::returnLength(samplesTotal_)) {
        return head::Side::Discarded;
    }
    const head::Side side = head::sideOf(ret[head::kSerialStatus]);
    if (side == head::Side::Discarded) {
        return side;
    }
    std::copy_n(ret, head::kHeaderBytes, bytes_.begin());
    const std::size_t half = static_cast<std::size_t>(samplesTotal_ / 2);
    const std::uint8_t* echoes = ret + head::kHeaderBytes;
    std::uint8_t* out = samples();
    if (side == head::Side::Port) {
        std::reverse_copy(echoes, echoes + half, out);
    } else {
        std::copy_n(echoes, half, out + half);
    }
    return side;
}

DecodedHeader decodeHeader(const std::uint8_t* h) {
    DecodedHeader d;
    d.headerTag.assign(reinterpret_cast<const char*>(h), 3);
    d.serialStatus = h[head::kSerialStatus];
    d.noRxData = (h[head::kNoRxByte] & head::kNoRxMask) != 0;
    d.statusWord = head::packStatusWord(h);
    d.runType = static_cast<int>((d.statusWord >> 1) & 0x0F);
    d.echoValue = static_cast<int>((d.statusWord >> 5) & 0xFF);
    return d;
}

void HeadSettings::armHandshake() {
    handshakeArmed_ = true;
    command_.setLinkCommand(SwitchCommand::ApplyMode);
}

void HeadSettings::applyHandshake(const DecodedHeader& d) {
    SwitchCommand& c = command_;
    switch (d.runType) {
        case 1:  // mode acknowledge
            if (d.echoValue == c.modeFreq()) {
                c.setLinkCommand(handshakeArmed_ ? SwitchCommand::ApplyRange : SwitchCommand::None);
            }
            break;
        case 2:  // range acknowledge
            if (d.echoValue == c.rangeIndex()) {
                c.setLinkCommand(handshakeArmed_ ? SwitchCommand::ApplyBalance
                                                 : SwitchCommand::None);
            }
            break;
        case 3:  // gain balance acknowledge
            if (d.echoValue == c.gainBalance()) {
                handshakeArmed_ = false;
                c.setLinkCommand(SwitchCommand::None);
            }
            break;
        case 0:  // plain data: the head reports its current range
            if (d.echoValue != c.rangeIndex() && c.linkCommand() == SwitchCommand::None) {
                c.setLinkCommand(SwitchCommand::ApplyRange);
            }
            break;
        default:
            break;
    }
}

bool HeadSettings::rangeUp() {
    if (command_.rangeIndex() >= SwitchCommand::kRangeIndexMax) {
        return false;
    }
    command_.setRangeIndex(command_.rangeIndex() + 1);
    command_.setLinkCommand(SwitchCommand::ApplyRange);
    return true;
}

bool HeadSettings::rangeDown() {
    if (command_.rangeIndex() <= SwitchCommand::kRangeIndexMin) {
        return false;
    }
    command_.setRangeIndex(command_.rangeIndex() - 1);
    command_.setLinkCommand(SwitchCommand::ApplyRange);
    return true;
}

bool HeadSettings::gainUp() {
    if (command_.dataGain() >= SwitchCommand::kDataGainMax) {
        return false;
    }
    command_.setDataGain(command_.dataGain() + 1);
    return true;
}

bool HeadSettings::gainDown() {
    if (command_.dataGain() == 0) {
        return false;
    }
    command_.setDataGain(command_.dataGain() - 1);
    return true;
}
