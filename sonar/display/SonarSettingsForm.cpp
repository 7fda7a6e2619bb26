#include "display/SonarSettingsForm.h"

#include <cstdio>

namespace sonar_settings {
namespace {
constexpr const char* kModes[] = {"Low", "Medium", "High"};
constexpr int kModeCount = 3;
constexpr int kBalanceCentre = 30;
constexpr double kDecibelsPerStep = 0.1;
constexpr int kFeetPerMetre = 3;

std::string decibels(double value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2.1f", value);
    return buf;
}

int listIndexOf(int value, int first, std::size_t count) {
    const int i = value - first;
    return i >= 0 && i < static_cast<int>(count) ? i : -1;
}
}  // namespace

Choices rangeChoices(SwitchCommand& command, bool imperial) {
    const bool high = command.modeFreq() == kHighMode;
    if (high && command.rangeIndex() > kHighModeLastRangeIndex) {
        command.setRangeIndex(kHighModeLastRangeIndex);
    }
    const int last = high ? kHighModeLastRangeIndex : SwitchCommand::kRangeIndexMax;
    Choices c;
    for (int index = SwitchCommand::kRangeIndexMin; index <= last; ++index) {
        char buf[16];
        const int metres = rangeMetres(index);
        std::snprintf(buf, sizeof buf, imperial ? "%d ft" : "%d m",
                      imperial ? metres * kFeetPerMetre : metres);
        c.entries.emplace_back(buf);
    }
    c.selected = listIndexOf(command.rangeIndex(), SwitchCommand::kRangeIndexMin, c.entries.size());
    return c;
}

Choices modeChoices(const SwitchCommand& command) {
    Choices c{{std::begin(kModes), std::end(kModes)}, -1};
    c.selected = listIndexOf(command.modeFreq(), 0, c.entries.size());
    return c;
}

Choices gainChoices(const SwitchCommand& command) {
    Choices c;
    for (int g = 0; g <= SwitchCommand::kDataGainMax; ++g) {
        c.entries.push_back(std::to_string(g));
    }
    c.selected = listIndexOf(command.dataGain(), 0, c.entries.size());
    return c;
}

// Written as (30 - balance) rather than -(balance - 30), so the centre shows "0.0", not "-0.0".
std::string portDecibels(int balance) {
    return decibels((kBalanceCentre - balance) * kDecibelsPerStep);
}

std::string starboardDecibels(int balance) {
    return decibels((balance - kBalanceCentre) * kDecibelsPerStep);
}

void chooseRange(SwitchCommand& command, int listIndex) {
    const int index = SwitchCommand::kRangeIndexMin + listIndex;
    if (listIndex < 0 || index > SwitchCommand::kRangeIndexMax) {
        return;
    }
    command.setRangeIndex(static_cast<std::uint8_t>(index));
    command.setLinkCommand(SwitchCommand::ApplyRange);
}

void chooseGain(SwitchCommand& command, int listIndex) {
    if (listIndex < 0 || listIndex > SwitchCommand::kDataGainMax) {
        return;
    }
    command.setDataGain(static_cast<std::uint8_t>(listIndex));
}

void chooseMode(SwitchCommand& command, int listIndex) {
    if (listIndex < 0 || listIndex >= kModeCount) {
        return;
    }
    command.setModeFreq(static_cast<std::uint8_t>(listIndex));
    command.setLinkCommand(SwitchCommand::ApplyMode);
}

bool moveBalance(SwitchCommand& command, int position) {
    if (position < kBalanceMin || position > kBalanceMax) {
        return false;
    }
    command.setGainBalance(static_cast<std::uint8_t>(position));
    command.setLinkCommand(SwitchCommand::ApplyBalance);
    return true;
}

}  // namespace sonar_settings
