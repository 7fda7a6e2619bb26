#pragma once

#include <cstdint>
#include <optional>

#include "display/RowRecord.h"

enum class TargetKind : std::uint8_t { Mark, Range, Height };
enum class TrackSide : std::uint8_t { Port, Starboard };

// A '+' mark or a finished range or height measurement, as the operator placed it on the
// waterfall: what was measured and the record of the row it sits on.
struct PlacedTarget {
    TargetKind kind = TargetKind::Mark;
    TrackSide side = TrackSide::Port;
    double rangeMetres = 0.0;  // across track, from the sonar's track to the target
    std::optional<double> heightMetres;
    RowRecord row;
};
