#pragma once

#include <cstdint>
#include <vector>

namespace headsim {

// Where one object lies across a ping line, in ground metres from the track (always positive):
// the object's own echo from nearX to farX, then its acoustic shadow up to shadowEndX.
struct Footprint {
    double nearX = 0;
    double farX = 0;
    double shadowEndX = 0;
    double strength = 1;   // echo of the object relative to the nominal target level
    std::uint64_t id = 0;  // texture key, so a wreck keeps its own pattern from ping to ping
};

// The objects on the seabed: a fixed layout of boxes, a wreck and boulders repeating along track,
// plus scattered boulders that depend on the seed.
class TargetField {
  public:
    explicit TargetField(std::uint64_t seed) : seed_(seed) {}

    // Objects crossed by the ping line at along-track position y on one side (starboard: x > 0).
    std::vector<Footprint> footprintsAt(double y, bool starboard, double altitude) const;

  private:
    void addScattered(double y, bool starboard, double altitude, std::vector<Footprint>& out) const;

    std::uint64_t seed_;
};

}  // namespace headsim
