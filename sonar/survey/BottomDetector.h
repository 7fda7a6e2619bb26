#pragma once

#include <cstdint>
#include <optional>
#include <span>

// Finds the first bottom return on one side of a ping: samples in slant order, index 0 at the
// towfish. The rule, in order:
//   1. smooth with a centred running mean of 2 * smoothingRadius + 1 samples, so single speckle
//      spikes in the water column do not count;
//   2. take the noise floor F as the 10th percentile of the smoothed nearest eighth of the side
//      (the water column is near the fish; a low percentile ignores any seabed in that eighth,
//      so the bottom is found from about 1/80 of the range outward);
//   3. the threshold is T = F + max(minRise, riseFactor * F);
//   4. the bottom starts at the first run of at least `persistence` smoothed samples all at or
//      above T (a return that fades at once is a fish or a bubble, not the seabed), refined to
//      the first raw sample near the start of that run from which radius + 1 raw samples all
//      stay at or above T.
// No such run is "no bottom": the detector never guesses.
struct BottomDetectorSettings {
    int smoothingRadius = 3;
    int minRise = 20;
    double riseFactor = 1.0;
    int minPersistence = 16;
    // The run must also span this fraction of the side, so long pings need a longer echo.
    double persistenceFraction = 0.02;
};

std::optional<int> detectBottom(std::span<const std::uint8_t> side,
                                const BottomDetectorSettings& settings = {});
