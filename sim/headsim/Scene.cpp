#include "headsim/Scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "acquisition/SwitchCommand.h"
#include "headsim/Noise.h"

namespace headsim {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Echo levels at nominal gain, before speckle and attenuation.
constexpr double kWaterNoise = 5.0;
constexpr double kSeabedLevel = 125.0;
constexpr double kBottomLevel = 170.0;
constexpr double kBottomWidthMetres = 0.8;
constexpr double kTargetLevel = 260.0;
constexpr double kFarthestSpreading = 300.0;

// Absorption grows with frequency: Low, Medium, High.
constexpr std::array<double, 3> kAttenuationPerMetre = {0.0035, 0.005, 0.011};

constexpr int kNominalGain = 70;
constexpr double kGainStepsPerDecade = 40.0;
constexpr int kEqualBalance = 30;
constexpr double kBalanceStepsPerDecade = 100.0;

constexpr double kMeanAltitude = 9.0;
constexpr double kMinAltitude = 6.0;
constexpr double kMaxAltitude = 12.0;

constexpr double kRippleWavelength = 1.4;
constexpr double kSedimentScale = 22.0;
constexpr double kRippleFieldScale = 35.0;

double smoothstep(double lo, double hi, double v) {
    const double t = std::clamp((v - lo) / (hi - lo), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Amplitude speckle of two looks: multiplicative, mean near one.
double speckle(std::uint64_t h) {
    const double e1 = -std::log(1.0 - noise::unit(h));
    const double e2 = -std::log(1.0 - noise::unit(noise::mix(h)));
    return std::sqrt((e1 + e2) / 2.0);
}

}  // namespace

struct Scene::Line {
    std::uint64_t ping;
    bool starboard;
    double y;
    double altitude;
    double attenuation;
    std::vector<Footprint> footprints;
};

Scene::Scene(std::uint64_t seed) : seed_(seed), targets_(seed) {}

double Scene::altitude(std::uint64_t ping, bool starboard) const {
    const double y = static_cast<double>(ping) * kMetresPerPing;
    const double phase = kTwoPi * noise::unit(noise::hash(seed_, 7));
    const double swell =
        2.2 * std::sin(kTwoPi * y / 90.0 + phase) + 0.8 * std::sin(kTwoPi * y / 23.0 + 1.3 + phase);
    const double roll = 0.25 * std::sin(kTwoPi * y / 11.0 + phase);
    const double a = kMeanAltitude + swell + (starboard ? roll : -roll);
    return std::clamp(a, kMinAltitude, kMaxAltitude);
}

double Scene::seabedReflectivity(double x, double y) const {
    const double sediment = noise::fbm(seed_ + 10, x / kSedimentScale, y / kSedimentScale);
    double refl = 0.35 + 0.9 * smoothstep(0.3, 0.7, sediment);
    // Ripples form in patches of sand, not in mud or gravel; their crests wander in direction.
    const double sand =
        std::clamp(1.0 - std::abs(sediment - 0.5) / 0.12, 0.0, 1.0) *
        smoothstep(0.45, 0.7,
                   noise::value2(seed_ + 23, x / kRippleFieldScale, y / kRippleFieldScale));
    const double heading = 0.6 + 0.8 * noise::value2(seed_ + 20, x / 60.0, y / 60.0);
    const double warp = 2.5 * noise::value2(seed_ + 21, x / 6.0, y / 6.0);
    const double along = x * std::cos(heading) + y * std::sin(heading);
    refl *= 1.0 + 0.4 * sand * std::sin(kTwoPi * (along / kRippleWavelength + warp));
    refl *= 0.8 + 0.4 * noise::value2(seed_ + 22, x / 1.2, y / 1.2);
    return refl;
}

double Scene::targetLevel(const Line& line, double x, bool& inShadow) const {
    inShadow = false;
    for (const Footprint& f : line.footprints) {
        if (x >= f.nearX && x <= f.farX) {
            // The face turned to the head returns most; the rest is structure.
            const double depth = (x - f.nearX) / std::max(f.farX - f.nearX, 0.05);
            const double face = 0.6 + 0.8 * std::exp(-depth / 0.15);
            const double texture = smoothstep(0.3, 0.7, noise::value2(f.id, x * 0.9, line.y * 0.6));
            return kTargetLevel * f.strength * face * (0.55 + 0.6 * texture);
        }
        if (x > f.farX && x <= f.shadowEndX) {
            inShadow = true;
        }
    }
    return 0.0;
}

double Scene::sampleLevel(const Line& line, std::size_t index, double slant) const {
    const std::uint64_t h = noise::hash(seed_, line.ping, line.starboard ? 2 : 0, index);
    const double waterNoise = kWaterNoise * (0.4 + 1.2 * noise::unit(h));
    if (slant < line.altitude) {
        return waterNoise;
    }
    const double x = std::sqrt(slant * slant - line.altitude * line.altitude);
    const double loss = std::exp(-line.attenuation * slant) / (1.0 + slant / kFarthestSpreading);
    const double bottom = kBottomLevel * std::exp(-(slant - line.altitude) / kBottomWidthMetres);
    bool inShadow = false;
    const double target = targetLevel(line, x, inShadow);
    if (inShadow && target == 0.0) {
        return waterNoise + bottom * loss;
    }
    const double grazing = 0.5 + 0.5 * std::pow(line.altitude / slant, 3.0);
    const double seabed =
        kSeabedLevel * seabedReflectivity(line.starboard ? x : -x, line.y) * grazing;
    return waterNoise + (std::max(seabed, target) * speckle(noise::mix(h)) + bottom) * loss;
}

void Scene::render(std::uint64_t ping, bool starboard, const SceneSettings& settings,
                   std::uint8_t* out, std::size_t count) const {
    if (out == nullptr || count == 0) {
        return;
    }
    Line line;
    line.ping = ping;
    line.starboard = starboard;
    line.y = static_cast<double>(ping) * kMetresPerPing;
    line.altitude = altitude(ping, starboard);
    line.attenuation = kAttenuationPerMetre[static_cast<std::size_t>(
        std::clamp(settings.modeFreq, 0, static_cast<int>(kAttenuationPerMetre.size()) - 1))];
    line.footprints = targets_.footprintsAt(line.y, starboard, line.altitude);

    const int gain =
        std::clamp(settings.dataGain, 0, static_cast<int>(SwitchCommand::kDataGainMax));
    const int balance = std::clamp(settings.gainBalance, 0, 2 * kEqualBalance) - kEqualBalance;
    const double gainFactor = std::pow(10.0, (gain - kNominalGain) / kGainStepsPerDecade);
    const double sideFactor =
        std::pow(10.0, (starboard ? balance : -balance) / kBalanceStepsPerDecade);
    const double range = rangeMetres(settings.rangeIndex);
    for (std::size_t i = 0; i < count; ++i) {
        const double slant = (static_cast<double>(i) + 0.5) * range / static_cast<double>(count);
        const double v = sampleLevel(line, i, slant) * gainFactor * sideFactor;
        out[i] = static_cast<std::uint8_t>(std::clamp(std::lround(v), 0l, 255l));
    }
}

}  // namespace headsim
