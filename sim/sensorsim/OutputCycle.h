#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "nmeasim/Nmea.h"
#include "nmeasim/Vessel.h"
#include "sensorcfg/SensorConfig.h"

namespace sensorsim {

struct Transmitted {
    int sentence = 0;  // index in the sentence table (GPGGA 0 ... GPGLL 13)
    std::string text;  // framed with its checksum, ending in CR LF
};

// The sentences the unit sends each output period: every enabled one, standard sentences first
// (GGA, GSA, the GSV messages, RMC, VTG, GLL, then the LC-talker GLL and VTG) and the unit's own
// status sentences after them, all describing one fix of a survey vessel. The receiver tracks
// at most 12 satellites, so there are at most three GSV messages (three whenever nine or more
// satellites are up, as they are throughout with the default seed).
class OutputCycle {
  public:
    explicit OutputCycle(std::uint64_t seed);

    // Moves the vessel on by `seconds` and writes the cycle for UTC `time`. In test mode the
    // fix quality reads "simulation".
    std::vector<Transmitted> next(const SensorConfig& config, nmeasim::UtcMicros time,
                                  double seconds, bool testMode);

  private:
    std::vector<std::string> proprietary(int sentence, const SensorConfig& config,
                                         const nmeasim::Fix& fix, bool testMode) const;

    nmeasim::Vessel vessel_;
    nmeasim::SentenceBuilder gps_{"GP"};
    nmeasim::SentenceBuilder loran_{"LC"};
};

// The names of a cycle's sentences in order, each once ("GPGGA GPGSA GPGSV GPRMC").
std::string cycleNames(const std::vector<Transmitted>& cycle);

}  // namespace sensorsim
