#include "survey/TrackPlacer.h"

#include <cmath>

namespace {
constexpr double kRadiansToDegrees = 57.29577951308232;
}

std::optional<PlacedPing> TrackPlacer::place(const PingFix& fix) {
    if (!std::isfinite(fix.latitude) || !std::isfinite(fix.longitude) ||
        std::fabs(fix.latitude) > 84.0) {
        return std::nullopt;
    }
    if (!zone_) {
        zone_ = utmZoneAt(fix.latitude, fix.longitude);
    }
    const GridPoint p = projectIntoZone(fix.latitude, fix.longitude, *zone_);
    if (!anchor_) {
        anchor_ = p;
    }
    const double de = p.easting - anchor_->easting;
    const double dn = p.northing - anchor_->northing;
    if (std::hypot(de, dn) >= kMinimumBaseline) {
        double course = std::atan2(de, dn) * kRadiansToDegrees;
        course_ = course < 0.0 ? course + 360.0 : course;
        anchor_ = p;
    }
    const double span =
        previous_ ? std::hypot(p.easting - previous_->easting, p.northing - previous_->northing)
                  : 0.0;
    std::optional<double> heading = fix.headingDegrees ? fix.headingDegrees : course_;
    if (!heading) {
        return std::nullopt;
    }
    previous_ = p;
    return PlacedPing{p, *heading, span};
}
