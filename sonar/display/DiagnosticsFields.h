#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "acquisition/HeadProtocol.h"
#include "acquisition/SwitchCommand.h"

// The fields of the diagnostics dialog, by control id, with their labels and texts.
struct DiagnosticsField {
    int control = 0;
    std::string label;  // empty for the bit groups after the first of a row
    std::string text;
};

struct DiagnosticsSource {
    const DecodedHeader& header;   // of the last ping
    const SwitchCommand& command;  // the settings in force
    std::uint32_t pingIntervalMs = 0;
    bool imperial = false;
    bool playback = false;
};

// Controls of the status word's bit groups, in the dialog's order.
constexpr int kStatusBitControls[] = {1038, 1036, 1054, 1055, 1056, 1057, 1059};

std::vector<DiagnosticsField> diagnosticsFields(const DiagnosticsSource& source);

// Bits highBit down to highBit - count + 1 of a word as a string of 0 and 1 digits, most
// significant first ("%4.4d" of the digits read as a decimal number).
std::string bitDigits(std::uint32_t word, int highBit, int count);
