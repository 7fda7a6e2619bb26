#pragma once

#include <optional>
#include <string>

#include "sensorcfg/SensorConfig.h"

namespace sensorsim {

// The unit's configuration at start: the defaults of `model`, then the settings of `file` when
// one is named (its base model ignored), then `baudCode` when given. Nothing, with `error` set,
// when the file cannot be read or is cut short.
std::optional<SensorConfig> startingConfig(int model, const std::string& file,
                                           std::optional<int> baudCode, std::string& error);

// Writes `config` as a version-402 configuration file, replacing `file` only once the whole
// file is written.
bool saveConfig(const SensorConfig& config, const std::string& file, std::string& error);

}  // namespace sensorsim
