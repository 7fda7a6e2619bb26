#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "datafile/PingRecord.h"
#include "kbfile/PingScan.h"
#include "survey/PingBottom.h"

namespace kbfile {

struct AltitudeRange {
    double min = 0.0;
    double median = 0.0;
    double max = 0.0;
};

// How high the towfish flew over a file, as kbfile info reports it.
struct AltitudeSummary {
    std::uint64_t pings = 0;
    std::uint64_t portBottoms = 0;  // pings whose port side showed the seabed's first return
    std::uint64_t starboardBottoms = 0;
    std::uint64_t bottoms = 0;           // on either side
    std::optional<AltitudeRange> found;  // the nearer side's bottom, in metres
    std::uint64_t statedPings = 0;       // pings whose record states an altitude of its own
    std::optional<AltitudeRange> stated;
};

// Finds the bottom of every ping as it is read (detectBottoms) and keeps the altitudes.
class AltitudeTrack {
  public:
    void add(const PingRecord& rec, const SurveyPing& survey);
    AltitudeSummary summary() const;

  private:
    PingSides sides_;
    AltitudeSummary counts_;
    std::vector<float> found_;
    std::vector<float> stated_;
};

// The "Bottom:", "Altitude:" and "Altimeter:" lines of kbfile info.
std::string altitudeLines(const AltitudeSummary& s);

}  // namespace kbfile
