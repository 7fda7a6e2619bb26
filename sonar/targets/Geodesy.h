#pragma once

// Short distances on the WGS 84 ellipsoid, as plain numbers, for placing targets beside the
// track. Independent of the UTM projection of the track plot.
namespace geodesy {

struct LatLon {
    double latitude = 0.0;   // degrees, south negative
    double longitude = 0.0;  // degrees, west negative
};

// The point `metres` away from `from` along the geodesic that starts at `azimuthDegrees`
// (clockwise from true north). Vincenty's direct solution: well under a millimetre at the
// ranges of a sidescan. The longitude comes back in [-180, 180).
LatLon destination(LatLon from, double azimuthDegrees, double metres);

// Bearing (degrees in [0, 360)) and distance (metres) from a to b on the local tangent plane,
// with the ellipsoid's radii of curvature at their mean latitude: exact enough for points a few
// hundred metres apart, which is all a course needs.
struct Leg {
    double bearingDegrees = 0.0;
    double metres = 0.0;
};
Leg localLeg(LatLon a, LatLon b);

}  // namespace geodesy
