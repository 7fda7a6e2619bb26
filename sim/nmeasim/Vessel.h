#pragma once

#include <cstdint>
#include <random>

#include "nmeasim/Nmea.h"
#include "nmeasim/Sky.h"
#include "nmeasim/SurveyPath.h"

namespace nmeasim {

constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600.0;

struct VesselConfig {
    double startLatitude = 50.7750;
    double startLongitude = -1.2300;
    double speedKnots = 4.0;
    double lineLength = 500.0;
    double lineSpacing = 50.0;
    double lineBearing = 0.0;  // degrees true of the first line
    std::uint64_t seed = 1;
};

// A survey vessel running lines. Speed wanders slowly around the set speed and the track
// wanders a metre or so either side of the plan, as a helmsman in a seaway would steer; the
// reported course and speed are those of the positions themselves, so successive fixes are
// consistent with them.
class Vessel {
  public:
    explicit Vessel(const VesselConfig& config);

    void advance(double seconds);

    // The fix at the current position, stamped with `time`.
    Fix fix(UtcMicros time) const;

    double distanceRun() const { return distance_; }
    const SurveyPath& path() const { return path_; }

  private:
    struct Local {
        double east;
        double north;
    };
    Local positionAt(double distance) const;
    double wander(double distance) const;

    VesselConfig config_;
    SurveyPath path_;
    std::mt19937_64 rng_;
    double phase1_;
    double phase2_;
    double distance_ = 0.0;
    double elapsed_ = 0.0;
    double speedJitterKnots_ = 0.0;
    double metresPerDegreeLat_;
    double metresPerDegreeLon_;
    Sky sky_;
};

}  // namespace nmeasim
