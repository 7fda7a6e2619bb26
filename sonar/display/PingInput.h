#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "display/RowRecord.h"

// Everything the image pipeline takes from one ping. The samples run from the outermost port
// sample to the outermost starboard sample and must stay valid for the call.
struct PingInput {
    const std::uint8_t* samples = nullptr;
    std::size_t sampleCount = 0;
    int sourceKind = 0;                      // 0 live or ".dsx", 1 ".ss2", 2 ".xtf"
    int rangeIndex = 9;                      // 5..15
    int mode = 0;                            // 0..2
    std::string_view timeText;               // "hh:mm:ss.mmm"
    std::string_view dateText;               // "dd-MMM-yyyy"
    RowNav nav;                              // where the ping was taken
    const GpsTextViews* gpsTexts = nullptr;  // nullptr: no GPS source, the row keeps its texts
    double speedKnots = 0.0;
    double pingIntervalMs = 0.0;
};
