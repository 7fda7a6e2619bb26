#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sensorsim/Sensor.h"
#include "sim/common/OptionReader.h"

namespace sensorsim {

struct Options {
    std::string link;
    int model = 0;
    std::optional<int> baudCode;  // nullopt: 4800, or the configuration file's
    std::string configFile;
    std::string dumpFile;
    SensorSettings sensor;
};

using ParsedOptions = sim::Parsed<Options>;

// Parses the arguments after the program name.
ParsedOptions parseOptions(const std::vector<std::string>& args);

// The --help text.
const char* usageText();

}  // namespace sensorsim
