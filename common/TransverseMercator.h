#pragma once

#include <cmath>

// Snyder's transverse Mercator series on an ellipsoid with the WGS 84 semi-major axis, at the UTM
// scale and false easting: the grid position of a latitude `deltaLongitude` degrees east of the
// central meridian. The caller adds the southern false northing where its zone asks for it.
struct TransverseMercatorPoint {
    double easting = 0.0;
    double northing = 0.0;
};

inline TransverseMercatorPoint transverseMercator(double latitude, double deltaLongitude,
                                                  double eccentricitySquared) {
    constexpr double kSemiMajorAxis = 6378137.0;
    constexpr double kDegreesToRadians = 0.017453292519943295;
    constexpr double kScale = 0.9996;
    constexpr double kFalseEasting = 500000.0;

    const double a = kSemiMajorAxis;
    const double e2 = eccentricitySquared;
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double ep2 = e2 / (1.0 - e2);
    const double phi = latitude * kDegreesToRadians;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double tanPhi = std::tan(phi);

    const double n = a / std::sqrt(1.0 - e2 * sinPhi * sinPhi);
    const double tt = tanPhi * tanPhi;
    const double c = ep2 * cosPhi * cosPhi;
    const double aa = cosPhi * deltaLongitude * kDegreesToRadians;
    const double m =
        a * ((1.0 - e2 / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0) * phi -
             (3.0 * e2 / 8.0 + 3.0 * e4 / 32.0 + 45.0 * e6 / 1024.0) * std::sin(2.0 * phi) +
             (15.0 * e4 / 256.0 + 45.0 * e6 / 1024.0) * std::sin(4.0 * phi) -
             (35.0 * e6 / 3072.0) * std::sin(6.0 * phi));

    const double a2 = aa * aa;
    const double a3 = a2 * aa;
    const double a4 = a3 * aa;
    const double a5 = a4 * aa;
    const double a6 = a5 * aa;

    TransverseMercatorPoint p;
    p.easting = kScale * n *
                    (aa + (1.0 - tt + c) * a3 / 6.0 +
                     (5.0 - 18.0 * tt + tt * tt + 72.0 * c - 58.0 * ep2) * a5 / 120.0) +
                kFalseEasting;
    p.northing =
        kScale * (m + n * tanPhi *
                          (a2 / 2.0 + (5.0 - tt + 9.0 * c + 4.0 * c * c) * a4 / 24.0 +
                           (61.0 - 58.0 * tt + tt * tt + 600.0 * c - 330.0 * ep2) * a6 / 720.0));
    return p;
}
