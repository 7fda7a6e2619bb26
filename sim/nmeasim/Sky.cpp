#include "nmeasim/Sky.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "nmeasim/Nmea.h"

namespace nmeasim {
namespace {

constexpr int kSatellites = 24;
constexpr int kPrnCount = 32;
constexpr double kPassSeconds = 6.0 * 3600.0;  // horizon to horizon; as long again below it
constexpr double kAzimuthDriftPerSecond = 0.25 / 60.0;
constexpr int kMaskElevation = 10;

}  // namespace

Sky::Sky(std::uint64_t seed) {
    std::mt19937_64 rng(seed ^ 0x5eedu);
    std::vector<int> prns(kPrnCount);
    for (int i = 0; i < kPrnCount; ++i) {
        prns[static_cast<std::size_t>(i)] = i + 1;
    }
    std::shuffle(prns.begin(), prns.end(), rng);
    std::uniform_real_distribution<double> peak(35.0, 88.0);
    std::uniform_real_distribution<double> angle(0.0, 360.0);
    std::uniform_real_distribution<double> phase(0.0, 2.0);
    for (int i = 0; i < kSatellites; ++i) {
        orbits_.push_back({prns[static_cast<std::size_t>(i)], peak(rng), angle(rng), phase(rng)});
    }
    std::sort(orbits_.begin(), orbits_.end(),
              [](const Orbit& a, const Orbit& b) { return a.prn < b.prn; });
}

void Sky::fill(double seconds, Fix& fix) const {
    fix.satellites.clear();
    for (const Orbit& o : orbits_) {
        const double progress = o.phase + seconds / kPassSeconds;
        const double part = std::fmod(progress, 2.0);
        const double elevation = o.peakElevation * std::sin(std::numbers::pi * part);
        if (part >= 1.0 || elevation < 1.0) {
            continue;
        }
        Satellite s;
        s.prn = o.prn;
        s.elevation = static_cast<int>(std::lround(elevation));
        s.azimuth = static_cast<int>(std::lround(
                        std::fmod(o.azimuth + seconds * kAzimuthDriftPerSecond, 360.0))) %
                    360;
        s.snr = 25 + s.elevation / 4 + (o.prn * 7 + static_cast<int>(seconds / 5)) % 4;
        s.used = s.elevation >= kMaskElevation;
        fix.satellites.push_back(s);
    }
    const int used = std::max(fix.satellitesUsed(), 4);
    fix.hdop = std::round((0.55 + 4.0 / used) * 10.0) / 10.0;
    fix.vdop = std::round(fix.hdop * 13.0) / 10.0;
    fix.pdop = std::round(std::hypot(fix.hdop, fix.vdop) * 10.0) / 10.0;
}

}  // namespace nmeasim
