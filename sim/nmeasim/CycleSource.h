#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "nmeasim/Nmea.h"
#include "nmeasim/Vessel.h"

namespace nmeasim {

// The sentences a receiver sends for one fix, and when: microseconds after the first fix.
struct Cycle {
    std::int64_t offsetMicros = 0;
    std::vector<std::string> sentences;  // each framed, ending in CR LF
};

// Where cycles come from: the simulated vessel or a recorded log.
class CycleSource {
  public:
    virtual ~CycleSource() = default;
    // The next cycle; nullopt when there are no more.
    virtual std::optional<Cycle> next() = 0;
};

class VesselSource : public CycleSource {
  public:
    VesselSource(const VesselConfig& vessel, UtcMicros start, double rate,
                 std::vector<SentenceType> sentences, std::string talker);

    std::optional<Cycle> next() override;

    const Vessel& vessel() const { return vessel_; }

  private:
    Vessel vessel_;
    UtcMicros start_;
    double rate_;
    std::vector<SentenceType> sentences_;
    SentenceBuilder builder_;
    std::uint64_t index_ = 0;
    std::int64_t lastOffset_ = 0;
};

}  // namespace nmeasim
