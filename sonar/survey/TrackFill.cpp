#include "survey/TrackFill.h"

#include <cstddef>

void interpolateFixes(std::vector<std::optional<LatLon>>& positions, int maxGap) {
    std::optional<std::size_t> previousFix;
    std::optional<LatLon> lastSeen;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (!positions[i] || positions[i] == lastSeen) {
            continue;
        }
        lastSeen = positions[i];
        if (previousFix && i - *previousFix <= static_cast<std::size_t>(maxGap)) {
            const LatLon a = *positions[*previousFix];
            const LatLon b = *positions[i];
            double dLon = b.longitude - a.longitude;
            // The short way round across the antimeridian.
            dLon += dLon > 180.0 ? -360.0 : dLon < -180.0 ? 360.0 : 0.0;
            const double steps = static_cast<double>(i - *previousFix);
            for (std::size_t j = *previousFix + 1; j < i; ++j) {
                const double t = static_cast<double>(j - *previousFix) / steps;
                double lon = a.longitude + t * dLon;
                lon += lon > 180.0 ? -360.0 : lon < -180.0 ? 360.0 : 0.0;
                positions[j] = LatLon{a.latitude + t * (b.latitude - a.latitude), lon};
            }
        }
        previousFix = i;
    }
}
