#include "display/PingGeometry.h"

#include <cmath>

namespace ping_geometry {
namespace {
constexpr double kLowBeam = 2.0;
constexpr double kMediumBeam = 1.6;
constexpr double kHighBeam = 0.7;
}  // namespace

double beamWidthDegrees(int mode) {
    switch (mode) {
        case 0:
            return kLowBeam;
        case 1:
            return kMediumBeam;
        case 2:
            return kHighBeam;
        default:
            return 0.0;
    }
}

double pixelsPerMetre(int imageWidth, int sideLayout, int rangeMetres) {
    if (rangeMetres <= 0) {
        return 0.0;
    }
    switch (static_cast<SideLayout>(sideLayout)) {
        case SideLayout::PortOnly:
        case SideLayout::StarboardOnly:
            return static_cast<double>(imageWidth) / rangeMetres;
        case SideLayout::BothSides:
            return imageWidth * 0.5 / rangeMetres;
    }
    return 0.0;
}

double distancePerPing(double intervalMs, double speedKnots) {
    return intervalMs * speedKnots * kKnotsToMetresPerMs;
}

int pingsPerSeabedPoint(int rangeMetres, double beamDegrees, double d, int maxLines) {
    if (!(d > 0.0)) {
        return 0;
    }
    const double footprint = 2.0 * rangeMetres * std::sin(beamDegrees * kPi / 360.0);
    const double u = footprint / d;
    if (!(u < maxLines)) {  // also catches an infinite or NaN ratio
        return maxLines;
    }
    return u > 0.0 ? static_cast<int>(u) : 0;
}
}  // namespace ping_geometry
