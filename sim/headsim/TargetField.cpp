#include "headsim/TargetField.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "headsim/Noise.h"

namespace headsim {
namespace {

enum class Shape { Box, Wreck, Boulder };

// One object of the repeating layout. y is the along-track centre within the cycle, x the signed
// cross-track centre (port negative), sizes in metres.
struct Placed {
    Shape shape;
    double y;
    double x;
    double length;
    double width;
    double height;
    double strength;
};

constexpr double kCycleMetres = 150.0;
constexpr std::array<Placed, 9> kLayout = {{
    {Shape::Box, 14.0, 21.0, 2.4, 2.0, 1.2, 1.0},
    {Shape::Boulder, 26.0, -13.0, 1.6, 1.6, 0.9, 0.8},
    {Shape::Wreck, 50.0, -31.0, 26.0, 5.0, 3.2, 1.1},
    {Shape::Box, 68.0, -9.0, 1.5, 1.5, 0.8, 0.9},
    {Shape::Boulder, 80.0, 36.0, 2.2, 2.0, 1.1, 0.8},
    {Shape::Boulder, 82.0, 39.0, 1.4, 1.2, 0.7, 0.8},
    {Shape::Box, 98.0, 12.0, 3.0, 1.2, 1.0, 1.0},
    {Shape::Boulder, 112.0, -44.0, 1.8, 1.8, 1.0, 0.8},
    {Shape::Wreck, 128.0, 27.0, 14.0, 4.0, 2.2, 1.0},
}};

constexpr double kScatterCell = 8.0;
constexpr int kScatterPerCell = 2;
constexpr double kScatterChance = 0.3;
// An object never reaches the transducer's height: shadows stay finite.
constexpr double kMaxHeightOfAltitude = 0.8;

struct Profile {
    double width;
    double height;
};

// Across-track width and height of an object where the ping line crosses it, at along-track
// offset t = dy / (length / 2) in -1..1.
Profile profileAt(Shape shape, double t) {
    const double round = std::sqrt(std::max(0.0, 1.0 - t * t));
    switch (shape) {
        case Shape::Box:
            return {1.0, 1.0};
        case Shape::Wreck:
            // Superstructure amidships: the shadow is longest there.
            return {std::sqrt(round), std::pow(round, 0.3) * (0.6 + 0.4 * std::exp(-t * t / 0.09))};
        case Shape::Boulder:
            return {round, round};
    }
    return {0, 0};
}

Footprint footprintOf(double centreX, double width, double height, double altitude) {
    Footprint f;
    f.nearX = std::max(0.0, centreX - width / 2);
    f.farX = centreX + width / 2;
    const double h = std::min(height, kMaxHeightOfAltitude * altitude);
    f.shadowEndX = f.farX * altitude / (altitude - h);
    return f;
}

}  // namespace

std::vector<Footprint> TargetField::footprintsAt(double y, bool starboard, double altitude) const {
    std::vector<Footprint> out;
    if (!(altitude > 0)) {
        return out;
    }
    const double cycle = std::floor(y / kCycleMetres);
    const double inCycle = y - cycle * kCycleMetres;
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        const Placed& p = kLayout[i];
        const double t = (inCycle - p.y) / (p.length / 2);
        if ((p.x > 0) != starboard || t < -1.0 || t > 1.0) {
            continue;
        }
        const Profile shape = profileAt(p.shape, t);
        Footprint f =
            footprintOf(std::abs(p.x), p.width * shape.width, p.height * shape.height, altitude);
        f.strength = p.strength;
        f.id = noise::hash(seed_, static_cast<std::uint64_t>(cycle), i);
        out.push_back(f);
    }
    addScattered(y, starboard, altitude, out);
    return out;
}

void TargetField::addScattered(double y, bool starboard, double altitude,
                               std::vector<Footprint>& out) const {
    const auto cell = static_cast<std::int64_t>(std::floor(y / kScatterCell));
    for (std::int64_t c = cell - 1; c <= cell + 1; ++c) {
        for (int k = 0; k < kScatterPerCell; ++k) {
            const std::uint64_t key = noise::hash(seed_ ^ 0x5CA7, static_cast<std::uint64_t>(c),
                                                  static_cast<std::uint64_t>(k));
            if (noise::unit(key) >= kScatterChance) {
                continue;
            }
            const bool onStarboard = noise::unit(noise::mix(key + 1)) < 0.5;
            const double centreY =
                (static_cast<double>(c) + noise::unit(noise::mix(key + 2))) * kScatterCell;
            const double size = 0.6 + noise::unit(noise::mix(key + 3));
            const double t = (y - centreY) / (size / 2);
            if (onStarboard != starboard || t < -1.0 || t > 1.0) {
                continue;
            }
            const Profile shape = profileAt(Shape::Boulder, t);
            const double x = 6.0 + 70.0 * noise::unit(noise::mix(key + 4));
            const double height = 0.3 + 0.6 * noise::unit(noise::mix(key + 5));
            Footprint f = footprintOf(x, size * shape.width, height * shape.height, altitude);
            f.strength = 0.7;
            f.id = key;
            out.push_back(f);
        }
    }
}

}  // namespace headsim
