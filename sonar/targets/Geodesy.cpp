#include "targets/Geodesy.h"

#include <cmath>
#include <numbers>

namespace geodesy {
namespace {
constexpr double kA = 6378137.0;            // WGS 84 semi-major axis
constexpr double kF = 1.0 / 298.257223563;  // flattening
constexpr double kB = kA * (1.0 - kF);      // semi-minor axis
constexpr double kE2 = kF * (2.0 - kF);     // first eccentricity squared
constexpr double kRad = std::numbers::pi / 180.0;
constexpr int kMaxIterations = 100;
constexpr double kConverged = 1e-13;  // radians of arc, about a micrometre

double wrapLongitude(double degrees) {
    double d = std::fmod(degrees + 180.0, 360.0);
    if (d < 0.0) {
        d += 360.0;
    }
    return d - 180.0;
}
}  // namespace

LatLon destination(LatLon from, double azimuthDegrees, double metres) {
    const double alpha1 = azimuthDegrees * kRad;
    const double sinAlpha1 = std::sin(alpha1);
    const double cosAlpha1 = std::cos(alpha1);
    const double tanU1 = (1.0 - kF) * std::tan(from.latitude * kRad);
    const double cosU1 = 1.0 / std::sqrt(1.0 + tanU1 * tanU1);
    const double sinU1 = tanU1 * cosU1;
    const double sigma1 = std::atan2(tanU1, cosAlpha1);
    const double sinAlpha = cosU1 * sinAlpha1;
    const double cos2Alpha = 1.0 - sinAlpha * sinAlpha;
    const double u2 = cos2Alpha * (kA * kA - kB * kB) / (kB * kB);
    const double a = 1.0 + u2 / 16384.0 * (4096.0 + u2 * (-768.0 + u2 * (320.0 - 175.0 * u2)));
    const double b = u2 / 1024.0 * (256.0 + u2 * (-128.0 + u2 * (74.0 - 47.0 * u2)));

    double sigma = metres / (kB * a);
    double sinSigma = 0.0, cosSigma = 1.0, cos2SigmaM = 0.0;
    for (int i = 0; i < kMaxIterations; ++i) {
        cos2SigmaM = std::cos(2.0 * sigma1 + sigma);
        sinSigma = std::sin(sigma);
        cosSigma = std::cos(sigma);
        const double c2 = cos2SigmaM * cos2SigmaM;
        const double deltaSigma =
            b * sinSigma *
            (cos2SigmaM +
             b / 4.0 *
                 (cosSigma * (-1.0 + 2.0 * c2) -
                  b / 6.0 * cos2SigmaM * (-3.0 + 4.0 * sinSigma * sinSigma) * (-3.0 + 4.0 * c2)));
        const double next = metres / (kB * a) + deltaSigma;
        const bool done = std::fabs(next - sigma) < kConverged;
        sigma = next;
        if (done) {
            break;
        }
    }
    cos2SigmaM = std::cos(2.0 * sigma1 + sigma);
    sinSigma = std::sin(sigma);
    cosSigma = std::cos(sigma);

    const double x = sinU1 * sinSigma - cosU1 * cosSigma * cosAlpha1;
    const double lat2 = std::atan2(sinU1 * cosSigma + cosU1 * sinSigma * cosAlpha1,
                                   (1.0 - kF) * std::sqrt(sinAlpha * sinAlpha + x * x));
    const double lambda =
        std::atan2(sinSigma * sinAlpha1, cosU1 * cosSigma - sinU1 * sinSigma * cosAlpha1);
    const double c = kF / 16.0 * cos2Alpha * (4.0 + kF * (4.0 - 3.0 * cos2Alpha));
    const double l =
        lambda -
        (1.0 - c) * kF * sinAlpha *
            (sigma +
             c * sinSigma * (cos2SigmaM + c * cosSigma * (-1.0 + 2.0 * cos2SigmaM * cos2SigmaM)));
    return {lat2 / kRad, wrapLongitude(from.longitude + l / kRad)};
}

Leg localLeg(LatLon a, LatLon b) {
    const double meanLat = (a.latitude + b.latitude) / 2.0 * kRad;
    const double s = std::sin(meanLat);
    const double w = std::sqrt(1.0 - kE2 * s * s);
    const double meridian = kA * (1.0 - kE2) / (w * w * w);
    const double primeVertical = kA / w;
    const double north = (b.latitude - a.latitude) * kRad * meridian;
    const double east =
        wrapLongitude(b.longitude - a.longitude) * kRad * primeVertical * std::cos(meanLat);
    double bearing = std::atan2(east, north) / kRad;
    if (bearing < 0.0) {
        bearing += 360.0;
    }
    return {bearing, std::hypot(north, east)};
}

}  // namespace geodesy
