#include "nmeasim/Vessel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nmeasim {
namespace {

constexpr double kPi = std::numbers::pi;
// WGS 84
constexpr double kSemiMajor = 6378137.0;
constexpr double kEccentricity2 = 0.00669437999014;

// Slow speed wander: an Ornstein-Uhlenbeck process around the set speed.
constexpr double kSpeedJitterSigmaKnots = 0.08;
constexpr double kSpeedJitterLimitKnots = 0.3;
constexpr double kSpeedJitterSeconds = 30.0;

// Track wander either side of the plan: two long swells of steering error.
constexpr double kWander1Metres = 0.8;
constexpr double kWander1Wavelength = 180.0;
constexpr double kWander2Metres = 0.3;
constexpr double kWander2Wavelength = 55.0;
// Step for the numerical direction of travel.
constexpr double kSlopeStep = 0.05;

constexpr double kAntennaHeight = 2.2;
constexpr double kHeaveMetres = 0.25;
constexpr double kHeavePeriod = 7.0;
constexpr double kGeoidSeparation = 47.0;

double radians(double degrees) {
    return degrees * kPi / 180.0;
}

}  // namespace

Vessel::Vessel(const VesselConfig& config)
    : config_(config),
      path_(config.lineLength, config.lineSpacing, config.lineBearing,
            config.speedKnots * kMetresPerSecondPerKnot),
      rng_(config.seed),
      sky_(config.seed) {
    std::uniform_real_distribution<double> phase(0.0, 2.0 * kPi);
    phase1_ = phase(rng_);
    phase2_ = phase(rng_);
    const double s = std::sin(radians(config.startLatitude));
    const double w = 1.0 - kEccentricity2 * s * s;
    const double meridian = kSemiMajor * (1.0 - kEccentricity2) / (w * std::sqrt(w));
    const double primeVertical = kSemiMajor / std::sqrt(w);
    metresPerDegreeLat_ = radians(1.0) * meridian;
    metresPerDegreeLon_ = radians(1.0) * primeVertical * std::cos(radians(config.startLatitude));
}

double Vessel::wander(double distance) const {
    return path_.lineWeight(distance) *
           (kWander1Metres * std::sin(2.0 * kPi * distance / kWander1Wavelength + phase1_) +
            kWander2Metres * std::sin(2.0 * kPi * distance / kWander2Wavelength + phase2_));
}

Vessel::Local Vessel::positionAt(double distance) const {
    const PathPoint p = path_.at(distance);
    const double h = radians(p.heading);
    const double offset = wander(distance);
    return {p.east + offset * std::cos(h), p.north - offset * std::sin(h)};
}

void Vessel::advance(double seconds) {
    if (seconds <= 0) {
        return;
    }
    const double decay = std::exp(-seconds / kSpeedJitterSeconds);
    std::normal_distribution<double> normal(0.0, 1.0);
    const double kick = kSpeedJitterSigmaKnots * std::sqrt(1.0 - decay * decay) * normal(rng_);
    speedJitterKnots_ = std::clamp(speedJitterKnots_ * decay + kick, -kSpeedJitterLimitKnots,
                                   kSpeedJitterLimitKnots);
    const double knots = std::max(0.0, config_.speedKnots + speedJitterKnots_);
    distance_ += knots * kMetresPerSecondPerKnot * seconds;
    elapsed_ += seconds;
}

Fix Vessel::fix(UtcMicros time) const {
    const Local here = positionAt(distance_);
    const Local behind = positionAt(distance_ - kSlopeStep);
    const Local ahead = positionAt(distance_ + kSlopeStep);
    const double de = ahead.east - behind.east;
    const double dn = ahead.north - behind.north;
    const double stretch = std::hypot(de, dn) / (2.0 * kSlopeStep);

    Fix f;
    f.time = time;
    f.latitude = config_.startLatitude + here.north / metresPerDegreeLat_;
    double lon = config_.startLongitude + here.east / metresPerDegreeLon_;
    f.longitude = std::fmod(lon + 540.0, 360.0) - 180.0;
    const double knots = std::max(0.0, config_.speedKnots + speedJitterKnots_);
    f.speedKnots = knots * stretch;
    f.courseDegrees = std::fmod(std::atan2(de, dn) * 180.0 / kPi + 360.0, 360.0);
    f.altitude = kAntennaHeight + kHeaveMetres * std::sin(2.0 * kPi * elapsed_ / kHeavePeriod);
    f.geoidSeparation = kGeoidSeparation;
    sky_.fill(elapsed_, f);
    return f;
}

}  // namespace nmeasim
