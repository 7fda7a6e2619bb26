#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "headsim/TargetField.h"

namespace headsim {

// The settings a ping is formed with, as the head has applied them.
struct SceneSettings {
    int rangeIndex = 9;
    int modeFreq = 0;
    int dataGain = 70;
    int gainBalance = 30;
};

// A sidescan scene: a vessel running along a straight track over a textured seabed with a few
// objects. Every ping moves the vessel by a fixed step; the echoes of a ping are a pure function
// of seed, ping number, side and settings.
class Scene {
  public:
    static constexpr double kMetresPerPing = 0.15;

    explicit Scene(std::uint64_t seed);

    // One side's echoes, near to far: sample i lies (i + 0.5) * range / count slant metres from the
    // head.
    void render(std::uint64_t ping, bool starboard, const SceneSettings& settings,
                std::uint8_t* out, std::size_t count) const;

    // Height of the transducer above the seabed under one side, 6..12 m.
    double altitude(std::uint64_t ping, bool starboard) const;

  private:
    struct Line;  // per-ping values shared by the samples of one side

    double sampleLevel(const Line& line, std::size_t index, double slant) const;
    double seabedReflectivity(double x, double y) const;
    double targetLevel(const Line& line, double x, bool& inShadow) const;

    std::uint64_t seed_;
    TargetField targets_;
};

}  // namespace headsim
