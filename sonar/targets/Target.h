#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "display/PlacedTarget.h"
#include "targets/Geodesy.h"

// One entry of a target report: what the operator marked, on which ping, and where it lies.
struct Target {
    TargetKind kind = TargetKind::Mark;
    TrackSide side = TrackSide::Port;
    double rangeMetres = 0.0;
    std::optional<double> heightMetres;
    std::optional<std::uint32_t> ping;
    std::string date;                      // "dd-MMM-yyyy", as the ping was stamped
    std::string time;                      // "hh:mm:ss.mmm"
    std::optional<geodesy::LatLon> track;  // where the ping was taken
    CourseFrom courseFrom = CourseFrom::None;
    std::optional<double> courseDegrees;
    // The track position moved across track by the range, perpendicular to the course; the track
    // position itself when no course is known (offsetApplied false); none without a position.
    std::optional<geodesy::LatLon> position;
    bool offsetApplied = false;
};

// The target the operator placed on a row, with its position worked out.
Target targetOf(const PlacedTarget& placed);

// Sets position and offsetApplied from track, course, side and range.
void locate(Target& target);

// "mark", "range", "height"; "port", "starboard"; "positions", "heading", "none".
const char* kindText(TargetKind kind);
const char* sideText(TrackSide side);
const char* courseFromText(CourseFrom from);
std::optional<TargetKind> kindNamed(std::string_view text);
std::optional<TrackSide> sideNamed(std::string_view text);
std::optional<CourseFrom> courseFromNamed(std::string_view text);
