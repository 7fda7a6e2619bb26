#include "survey/SlantRange.h"

#include <cmath>

double nadirGapWidth(const SlantGeometry& g) {
    const double outer = g.altitude + g.metresPerSample;
    return std::sqrt(outer * outer - g.altitude * g.altitude);
}

void relayOnSeabed(std::span<const std::uint8_t> slant, const SlantGeometry& geometry,
                   double metresPerPixel, std::span<std::uint8_t> ground, std::uint8_t noData) {
    const double gap = nadirGapWidth(geometry);
    const double h2 = geometry.altitude * geometry.altitude;
    const double samplesPerMetre =
        geometry.metresPerSample > 0.0 ? 1.0 / geometry.metresPerSample : 0.0;
    const auto count = static_cast<double>(slant.size());
    for (std::size_t k = 0; k < ground.size(); ++k) {
        const double d = (static_cast<double>(k) + 0.5) * metresPerPixel;
        const double index = std::sqrt(d * d + h2) * samplesPerMetre;
        if (d < gap || samplesPerMetre == 0.0 || index >= count) {
            ground[k] = noData;
            continue;
        }
        const std::uint8_t v = slant[static_cast<std::size_t>(index)];
        ground[k] = v == noData ? static_cast<std::uint8_t>(noData + 1) : v;
    }
}
