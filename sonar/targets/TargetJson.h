#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "targets/Target.h"

// A target as one GeoJSON Feature (RFC 7946: WGS 84, [longitude, latitude]). Properties:
//   kind "mark" | "range" | "height", ping (number or null), date, time, side "port" |
//   "starboard", range_m, height_m (height targets only), track_lon, track_lat (the ping's own
//   position, or null), course_deg (or null), course_from "positions" | "heading" | "none",
//   offset_applied (false: the point is the track position, the course was not known).
// Geometry is null when the ping had no position. `name` (optional) is added as a property.
nlohmann::ordered_json featureOf(const Target& target, std::string_view name = {});

// The feature as one line of text, without the line feed.
std::string featureJson(const Target& target, std::string_view name = {});

// The target a feature describes; nothing when it is not one of ours or lacks a field.
std::optional<Target> targetOfFeature(const nlohmann::json& feature);
