#pragma once

#include <string>

#include "nmeasim/UtcTime.h"
#include "sensorcfg/SensorConfig.h"

namespace sensorsim {

// The answers to the three queries, in the layout the unit is configured with, so that an
// answer sent back unchanged would be accepted again. Each ends in CR LF.

// "$PTVRI": the initial position and the unit's current UTC date and time.
std::string positionReply(const SensorConfig& config, nmeasim::UtcMicros now);
// "$PTVRC": with the user datum fields for datum 96, empty ones for any other.
std::string configReply(const SensorConfig& config);
// "$PTVRC1" in the layout of the base model (0, or 2 to 7); empty for base model 1.
std::string extraReply(const SensorConfig& config);

// "*hh" inserted before the CR LF, for units whose answers carry a checksum.
std::string withChecksum(const std::string& line);

}  // namespace sensorsim
