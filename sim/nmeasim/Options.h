#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "nmeasim/Faults.h"
#include "nmeasim/Nmea.h"
#include "nmeasim/UtcTime.h"
#include "nmeasim/Vessel.h"
#include "sim/common/OptionReader.h"

namespace nmeasim {

struct Options {
    std::string link;
    double rate = 1.0;  // fixes per second
    unsigned baud = 4800;
    std::vector<SentenceType> sentences = {SentenceType::GGA, SentenceType::GLL, SentenceType::RMC,
                                           SentenceType::VTG};
    std::string talker = "GP";
    VesselConfig vessel;
    std::optional<UtcMicros> startTime;  // nullopt: now
    std::uint64_t seed = 1;
    std::uint64_t count = 0;  // 0 = until stopped
    bool fast = false;
    std::string replay;
    bool loop = false;
    FaultOptions faults;
};

using ParsedOptions = sim::Parsed<Options>;

// Parses the arguments after the program name.
ParsedOptions parseOptions(const std::vector<std::string>& args);

// The --help text.
const char* usageText();

}  // namespace nmeasim
