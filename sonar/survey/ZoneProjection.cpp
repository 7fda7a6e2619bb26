#include "survey/ZoneProjection.h"

#include <cmath>

#include "common/TransverseMercator.h"

namespace {
constexpr double kFlattening = 1.0 / 298.257223563;
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
    const TransverseMercatorPoint tm = transverseMercator(
        latitude, wrapLongitude(longitude - centralMeridian), kFlattening * (2.0 - kFlattening));
    GridPoint p{tm.easting, tm.northing};
    if (zone.southern) {
        p.northing += kFalseNorthingSouth;
    }
    return p;
}
