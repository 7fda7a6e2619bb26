#include "gps/Utm.h"

#include <cmath>

#include "common/TransverseMercator.h"

namespace {
constexpr double kEccentricitySquared = 0.00669438;
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

    const TransverseMercatorPoint tm =
        transverseMercator(latitude, lon - centralMeridian, kEccentricitySquared);
    UtmPoint p;
    p.zone = zone;
    p.easting = tm.easting;
    p.northing = tm.northing;
    if (latitude < 0.0) {
        p.northing += kFalseNorthingSouth;
    }
    return p;
}
