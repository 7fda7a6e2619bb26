#include "survey/MosaicAccumulator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "survey/SlantRange.h"

namespace {
constexpr double kDegreesToRadians = 0.017453292519943295;
// Along-track steps are a little under a cell so a diagonal track leaves no holes.
constexpr double kAlongStepCells = 0.7;
}  // namespace

MosaicAccumulator::MosaicAccumulator(const MosaicGrid& grid)
    : grid_(grid),
      values_(static_cast<std::size_t>(grid.width) * grid.height, kNoData),
      nadirDistance_(values_.size(), std::numeric_limits<float>::infinity()) {}

void MosaicAccumulator::addPing(const PlacedPing& ping, const PingSide& port,
                                const PingSide& starboard) {
    addSide(ping, port, -1.0);
    addSide(ping, starboard, 1.0);
    ++pingsDrawn_;
}

void MosaicAccumulator::addSide(const PlacedPing& ping, const PingSide& side, double sideSign) {
    const int n = static_cast<int>(side.samples.size());
    if (!side.altitude || n == 0 || !(side.metresPerSample > 0.0) || !(*side.altitude >= 0.0)) {
        return;
    }
    prefix_.resize(n + 1);
    prefix_[0] = 0;
    for (int i = 0; i < n; ++i) {
        prefix_[i + 1] = prefix_[i] + side.samples[i];
    }
    const double res = grid_.resolution;
    const double h = *side.altitude;
    const double h2 = h * h;
    const double range = n * side.metresPerSample;
    if (range <= h) {
        return;
    }
    const double samplesPerMetre = 1.0 / side.metresPerSample;
    const double gap = nadirGapWidth({side.metresPerSample, h});
    const double groundReach = std::sqrt(range * range - h2);

    const double theta = ping.headingDegrees * kDegreesToRadians;
    const double fe = std::sin(theta), fn = std::cos(theta);  // forward
    const double ae = sideSign * fn, an = -sideSign * fe;     // outward across track
    const double span = std::min(ping.alongTrackSpan, kMaxSpanCells * res);
    const int alongSteps = std::max(1, static_cast<int>(std::ceil(span / (kAlongStepCells * res))));
    const double alongStep = alongSteps > 1 ? span / (alongSteps - 1) : 0.0;
    const double alongStart = alongSteps > 1 ? -0.5 * span : 0.0;

    const double invRes = 1.0 / res;
    const std::size_t w = static_cast<std::size_t>(grid_.width);
    const int pixels = static_cast<int>(groundReach / res);
    for (int k = 0; k < pixels; ++k) {
        const double d = (k + 0.5) * res;
        if (d < gap) {
            continue;
        }
        const double d0 = d - 0.5 * res, d1 = d + 0.5 * res;
        int i0 = static_cast<int>(std::sqrt(d0 * d0 + h2) * samplesPerMetre);
        int i1 = static_cast<int>(std::sqrt(d1 * d1 + h2) * samplesPerMetre);
        i0 = std::min(i0, n - 1);
        i1 = std::clamp(i1, i0 + 1, n);
        const std::uint32_t sum = prefix_[i1] - prefix_[i0];
        const auto mean = static_cast<std::uint8_t>(sum / static_cast<std::uint32_t>(i1 - i0));
        const std::uint8_t value = mean == kNoData ? kNoData + 1 : mean;
        const auto dist = static_cast<float>(d);

        const double ce = ping.position.easting + d * ae;
        const double cn = ping.position.northing + d * an;
        for (int a = 0; a < alongSteps; ++a) {
            const double off = alongStart + a * alongStep;
            const double col = (ce + off * fe - grid_.west) * invRes;
            const double row = (grid_.north - (cn + off * fn)) * invRes;
            if (col < 0.0 || row < 0.0 || col >= grid_.width || row >= grid_.height) {
                continue;
            }
            const std::size_t cell =
                static_cast<std::size_t>(row) * w + static_cast<std::size_t>(col);
            if (dist < nadirDistance_[cell]) {
                nadirDistance_[cell] = dist;
                values_[cell] = value;
            }
        }
    }
}

std::vector<std::uint8_t> MosaicAccumulator::alpha() const {
    std::vector<std::uint8_t> mask(values_.size());
    std::transform(values_.begin(), values_.end(), mask.begin(),
                   [](std::uint8_t v) { return v == kNoData ? 0 : 255; });
    return mask;
}
