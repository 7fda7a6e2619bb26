#pragma once

#include <optional>
#include <vector>

struct LatLon {
    double latitude = 0.0;
    double longitude = 0.0;
    bool operator==(const LatLon&) const = default;
};

// Gives the pings between two GPS fixes positions of their own. Recordings hold a position only
// on the pings that brought a new fix (our own files), or repeat the last fix on every ping until
// the receiver's next one (many other systems); drawn as recorded, all the pings of one fix
// would fall on one line. A fix is a ping whose position differs from the last position before
// it; the pings between two fixes at most maxGap pings apart are placed on the straight line
// between them by ping count. Across a longer gap (a GPS outage) nothing is guessed: those
// pings keep what they had. Pings before the first fix and after the last keep theirs too.
void interpolateFixes(std::vector<std::optional<LatLon>>& positions, int maxGap);
