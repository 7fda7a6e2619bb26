#pragma once

struct UtmPoint {
    double easting = 0.0;
    double northing = 0.0;
    int zone = 0;
};

// Universal Transverse Mercator on WGS 84 by Snyder's series, with the Norway and Svalbard zone
// exceptions. Southern latitudes get the 10 000 km false northing. The track ignores the zone:
// a track that crosses a zone boundary is not corrected.
UtmPoint LatLonToUtm(double latitude, double longitude);
