#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "headsim/HeadResponder.h"
#include "headsim/SplitPlan.h"
#include "sim/common/OptionReader.h"

namespace headsim {

struct Options {
    std::string bindAddress;
    std::uint16_t port = 4040;
    double rate = 15.0;  // pings per second; 0 = as fast as asked
    SplitPlan::Mode split = SplitPlan::Mode::Whole;
    std::size_t splitSize = 0;
    FaultPlan faults;
    std::uint64_t seed = 1;
    bool once = false;
};

using ParsedOptions = sim::Parsed<Options>;

// Parses the arguments after the program name.
ParsedOptions parseOptions(const std::vector<std::string>& args);

// The --help text.
const char* usageText();

}  // namespace headsim
