#pragma once

#include <cstdint>
#include <vector>

namespace nmeasim {

struct Fix;

// Two dozen GPS satellites drifting slowly across the sky, for the satellite counts, DOPs and
// satellites-in-view a receiver reports.
class Sky {
  public:
    explicit Sky(std::uint64_t seed);

    // Satellites above the horizon and the DOPs at `seconds` after the start.
    void fill(double seconds, Fix& fix) const;

  private:
    struct Orbit {
        int prn;
        double peakElevation;
        double azimuth;
        double phase;
    };
    std::vector<Orbit> orbits_;
};

}  // namespace nmeasim
