#pragma once

#include <cmath>
#include <cstdint>

// Stateless noise: every value is a hash of its coordinates, so the scene is the same whatever
// order pings are asked in and the same for a given seed on every run.
namespace headsim::noise {

constexpr std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

constexpr std::uint64_t hash(std::uint64_t a, std::uint64_t b, std::uint64_t c = 0,
                             std::uint64_t d = 0) {
    return mix(a ^ mix(b ^ mix(c ^ mix(d))));
}

// Uniform in [0, 1).
constexpr double unit(std::uint64_t h) {
    return static_cast<double>(h >> 11) * 0x1.0p-53;
}

inline std::uint64_t cell(double v) {
    return static_cast<std::uint64_t>(std::floor(v));
}

// Smooth lattice noise in [0, 1] with unit cell size.
inline double value2(std::uint64_t seed, double x, double y) {
    const double fx = x - std::floor(x);
    const double fy = y - std::floor(y);
    const std::uint64_t ix = cell(x);
    const std::uint64_t iy = cell(y);
    const double sx = fx * fx * (3.0 - 2.0 * fx);
    const double sy = fy * fy * (3.0 - 2.0 * fy);
    const double v00 = unit(hash(seed, ix, iy));
    const double v10 = unit(hash(seed, ix + 1, iy));
    const double v01 = unit(hash(seed, ix, iy + 1));
    const double v11 = unit(hash(seed, ix + 1, iy + 1));
    const double top = v00 + (v10 - v00) * sx;
    const double bottom = v01 + (v11 - v01) * sx;
    return top + (bottom - top) * sy;
}

// Three octaves of value noise, in [0, 1].
inline double fbm(std::uint64_t seed, double x, double y) {
    return (4.0 * value2(seed, x, y) + 2.0 * value2(seed + 1, 2.03 * x, 2.03 * y) +
            value2(seed + 2, 4.01 * x, 4.01 * y)) /
           7.0;
}

}  // namespace headsim::noise
