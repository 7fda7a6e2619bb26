#pragma once

#include <string>
#include <vector>

#include "acquisition/SwitchCommand.h"

// What the sonar settings dialog offers and what each of its controls writes into the document's
// switch command. A change goes to the head with the next command: linkCommand names the
// setting to apply (the gain travels in every command and needs none).
namespace sonar_settings {

constexpr int kBalanceMin = 0;
constexpr int kBalanceMax = 60;
constexpr int kBalancePage = 10;
constexpr int kHighMode = 2;
// High mode reaches 50 m at most.
constexpr int kHighModeLastRangeIndex = 9;

struct Choices {
    std::vector<std::string> entries;
    int selected = -1;  // none when the setting is not in the list
};

// The ranges in the chosen unit ("10 m" ... or "30 ft" ...). In High mode the list stops at
// 50 m (150 ft), and a larger range is first lowered to 50 m.
Choices rangeChoices(SwitchCommand& command, bool imperial);
// "Low", "Medium", "High".
Choices modeChoices(const SwitchCommand& command);
// "0" ... "100".
Choices gainChoices(const SwitchCommand& command);

// Gain balance in decibels, "%2.1f": starboard (balance - 30) x 0.1, port the opposite.
std::string portDecibels(int balance);
std::string starboardDecibels(int balance);

// The controls. An index outside the list changes nothing.
void chooseRange(SwitchCommand& command, int listIndex);
void chooseGain(SwitchCommand& command, int listIndex);
void chooseMode(SwitchCommand& command, int listIndex);
// The balance trackbar; false for a position outside 0..60.
bool moveBalance(SwitchCommand& command, int position);

}  // namespace sonar_settings
