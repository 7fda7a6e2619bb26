#include "survey/ZoneProjection.h"

#include <cmath>

namespace {
constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kFlattening = 1.0 / 298.257223563;
constexpr double kDegreesToRadians = 0.017453292519943295;
constexpr double kScale = 0.9996;
constexpr double kFalseEasting = 500000.0;
constexpr double kFalseNorthingSouth = 10000000.0;

double wrapLongitude(double lon) {
    double t = std::fmod(lon + 180.0, 360.0);
    if (t < 0.0) {
        t += 360.0;
    }
    return t - 180.0;
}
}  // namespace

UtmZone utmZoneAt(double latitude, double longitude) {
    const double lon = wrapLongitude(longitude);
    int zone = 1 + static_cast<int>(std::floor((lon + 180.0) / 6.0));
    zone = zone > 60 ? 60 : zone;
    if (latitude >= 56.0 && latitude < 64.0 && lon >= 3.0 && lon < 12.0) {
        zone = 32;
    }
    if (latitude >= 72.0 && latitude < 84.0 && lon >= 0.0 && lon < 42.0) {
        zone = lon < 9.0 ? 31 : lon < 21.0 ? 33 : lon < 33.0 ? 35 : 37;
    }
    return {zone, latitude < 0.0};
}

GridPoint projectIntoZone(double latitude, double longitude, const UtmZone& zone) {
    const double centralMeridian = zone.number * 6.0 - 183.0;
    const double e2 = kFlattening * (2.0 - kFlattening);
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double ep2 = e2 / (1.0 - e2);
    const double phi = latitude * kDegreesToRadians;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double tanPhi = std::tan(phi);
    const double n = kSemiMajorAxis / std::sqrt(1.0 - e2 * sinPhi * sinPhi);
    const double t = tanPhi * tanPhi;
    const double c = ep2 * cosPhi * cosPhi;
    const double a = cosPhi * wrapLongitude(longitude - centralMeridian) * kDegreesToRadians;
    const double m =
        kSemiMajorAxis *
        ((1.0 - e2 / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0) * phi -
         (3.0 * e2 / 8.0 + 3.0 * e4 / 32.0 + 45.0 * e6 / 1024.0) * std::sin(2.0 * phi) +
         (15.0 * e4 / 256.0 + 45.0 * e6 / 1024.0) * std::sin(4.0 * phi) -
         (35.0 * e6 / 3072.0) * std::sin(6.0 * phi));
    const double a2 = a * a;
    const double a3 = a2 * a;
    const double a4 = a3 * a;
    const double a5 = a4 * a;
    const double a6 = a5 * a;

    GridPoint p;
    p.easting = kScale * n *
                    (a + (1.0 - t + c) * a3 / 6.0 +
                     (5.0 - 18.0 * t + t * t + 72.0 * c - 58.0 * ep2) * a5 / 120.0) +
                kFalseEasting;
    p.northing =
        kScale * (m + n * tanPhi *
                          (a2 / 2.0 + (5.0 - t + 9.0 * c + 4.0 * c * c) * a4 / 24.0 +
                           (61.0 - 58.0 * t + t * t + 600.0 * c - 330.0 * ep2) * a6 / 720.0));
    if (zone.southern) {
        p.northing += kFalseNorthingSouth;
    }
    return p;
}
