#include "acquisition/SwitchCommand.h"

namespace {
constexpr std::uint8_t kStart = 0xFE;
constexpr std::uint8_t kEnd = 0xFD;
constexpr std::array<int, 10> kRangeTable = {10, 20, 30, 40, 50, 60, 80, 100, 125, 150};
constexpr int kFarthestRange = 200;
}  // namespace

SwitchCommand::SwitchCommand() : bytes_{} {
    bytes_[0] = kStart;
    bytes_[1] = 0x44;
    bytes_[6] = 0x43;
    bytes_[11] = 30;
    bytes_[kSize - 1] = kEnd;
    setRangeIndex(9);
    setModeFreq(0);
    setDataGain(70);
    setGainBalance(30);
    setLinkCommand(ApplyMode);
    setSideRequest(kPort);
}

bool SwitchCommand::parse(const std::uint8_t* data, std::size_t len, SwitchCommand& out) {
    if (len != kSize || data[0] != kStart || data[kSize - 1] != kEnd) {
        return false;
    }
    for (std::size_t i = 0; i < kSize; ++i) {
        out.bytes_[i] = data[i];
    }
    return true;
}

int rangeMetres(int rangeIndex) {
    if (rangeIndex >= 5 && rangeIndex <= 14) {
        return kRangeTable[rangeIndex - 5];
    }
    return kFarthestRange;
}

int rangeIndexFromMetres(int metres) {
    for (std::size_t i = 0; i < kRangeTable.size(); ++i) {
        if (kRangeTable[i] == metres) {
            return static_cast<int>(i) + 5;
        }
    }
    return 15;
}
