#pragma once

// A UTM zone on WGS 84 and projection into it, whatever zone a point would fall in by itself:
// a mosaic lives in one grid, the zone of its first fix, even where the track crosses a boundary.
struct UtmZone {
    int number = 0;  // 1..60
    bool southern = false;

    // The EPSG code of "WGS 84 / UTM zone <n>N|S".
    int epsgCode() const { return (southern ? 32700 : 32600) + number; }
    bool operator==(const UtmZone&) const = default;
};

struct GridPoint {
    double easting = 0.0;
    double northing = 0.0;
};

// The zone a position falls in, with the Norway and Svalbard exceptions.
UtmZone utmZoneAt(double latitude, double longitude);

// Transverse Mercator into the given zone (Snyder's series, good to centimetres within a few
// degrees of the central meridian). The southern false northing follows the zone, not the point.
GridPoint projectIntoZone(double latitude, double longitude, const UtmZone& zone);
