#pragma once

#include <cstdint>
#include <span>

// Re-lays one side of a ping on the seabed, assuming a flat bottom at altitude h below the
// towfish: the ground pixel at horizontal distance d (pixel centre) takes the sample at slant
// range sqrt(d^2 + h^2). Two kinds of pixel stay at noData:
//  - beyond range: the slant range falls past the last sample;
//  - the nadir gap: ground closer than sqrt((h + s)^2 - h^2), s one sample's length, where the
//    first sample past the bottom would be smeared over every pixel (it is one echo from the
//    whole disc under the fish, not a picture of it).
struct SlantGeometry {
    double metresPerSample = 0.0;  // slant length of one sample
    double altitude = 0.0;         // h, metres
};

// The first ground distance that is not in the nadir gap.
double nadirGapWidth(const SlantGeometry& geometry);

// Fills `ground` (pixel k centred at (k + 0.5) * metresPerPixel) from `slant`. Values equal to
// noData in the samples are moved to noData + 1 so that noData means "no data" only.
void relayOnSeabed(std::span<const std::uint8_t> slant, const SlantGeometry& geometry,
                   double metresPerPixel, std::span<std::uint8_t> ground, std::uint8_t noData = 0);
