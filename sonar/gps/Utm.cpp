#include "gps/Utm.h"

#include <cmath>

namespace {
constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kEccentricitySquared = 0.00669438;
constexpr double kDegreesToRadians = 0.017453292519943295;
constexpr double kScale = 0.9996;
constexpr double kFalseEasting = 500000.0;
constexpr double kFalseNorthingSouth = 10000000.0;
constexpr double kOneOver360 = 0.002777777777777778;

int zoneOf(double latitude, double lon) {
    int zone = 1 + static_cast<int>(std::trunc((lon + 180.0) / 6.0));
    if (latitude >= 56.0 && latitude < 64.0 && lon >= 3.0 && lon < 12.0) {
        zone = 32;
    }
    if (latitude >= 72.0 && latitude < 84.0) {
        if (lon >= 0.0 && lon < 9.0) {
            zone = 31;
        } else if (lon >= 9.0 && lon < 21.0) {
            zone = 33;
        } else if (lon >= 21.0 && lon < 33.0) {
            zone = 35;
        } else if (lon >= 33.0 && lon < 42.0) {
            zone = 37;
        }
    }
    return zone;
}
}  // namespace

UtmPoint LatLonToUtm(double latitude, double longitude) {
    double t = longitude + 180.0;
    t = t - std::trunc(t * kOneOver360) * 360.0;
    const double lon = t - 180.0;

    const int zone = zoneOf(latitude, lon);
    const double centralMeridian = zone * 6.0 - 183.0;

    const double a = kSemiMajorAxis;
    const double e2 = kEccentricitySquared;
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double ep2 = e2 / (1.0 - e2);
    const double phi = latitude * kDegreesToRadians;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double tanPhi = std::tan(phi);

    const double n = a / std::sqrt(1.0 - e2 * sinPhi * sinPhi);
    const double tt = tanPhi * tanPhi;
    const double c = ep2 * cosPhi * cosPhi;
    const double aa = cosPhi * (lon - centralMeridian) * kDegreesToRadians;
    const double m =
        a * ((1.0 - e2 / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0) * phi -
             (3.0 * e2 / 8.0 + 3.0 * e4 / 32.0 + 45.0 * e6 / 1024.0) * std::sin(2.0 * phi) +
             (15.0 * e4 / 256.0 + 45.0 * e6 / 1024.0) * std::sin(4.0 * phi) -
             (35.0 * e6 / 3072.0) * std::sin(6.0 * phi));

    const double a2 = aa * aa;
    const double a3 = a2 * aa;
    const double a4 = a3 * aa;
    const double a5 = a4 * aa;
    const double a6 = a5 * aa;

    UtmPoint p;
    p.zone = zone;
    p.easting = kScale * n *
                    (aa + (1.0 - tt + c) * a3 / 6.0 +
                     (5.0 - 18.0 * tt + tt * tt + 72.0 * c - 58.0 * ep2) * a5 / 120.0) +
                kFalseEasting;
    p.northing =
        kScale * (m + n * tanPhi *
                          (a2 / 2.0 + (5.0 - tt + 9.0 * c + 4.0 * c * c) * a4 / 24.0 +
                           (61.0 - 58.0 * tt + tt * tt + 600.0 * c - 330.0 * ep2) * a6 / 720.0));
    if (latitude < 0.0) {
        p.northing += kFalseNorthingSouth;
    }
    return p;
}
