#include "display/LineResampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace line_resampler {
namespace {
void peakHold(const std::uint8_t* samples, std::size_t n, double r, std::uint8_t* line,
              std::size_t width) {
    // The window of a pixel runs from the first sample not yet taken up to floor(b), b growing
    // by r per pixel; r >= 1 keeps every window at least one sample wide.
    std::size_t p = 0;
    double b = r;
    for (std::size_t x = 0; x < width; ++x) {
        const std::size_t last = std::max(static_cast<std::size_t>(b), p);
        if (last >= n) {
            std::memset(line + x, 0, width - x);
            return;
        }
        const std::uint8_t peak = *std::max_element(samples + p, samples + last + 1);
        line[x] = std::min(peak, kMaxSample);
        p = last + 1;
        b += r;
    }
}

void nearest(const std::uint8_t* samples, std::size_t n, double r, std::uint8_t* line,
             std::size_t width) {
    for (std::size_t x = 0; x < width; ++x) {
        const auto i = static_cast<std::size_t>(std::floor(static_cast<double>(x) * r));
        line[x] = i < n ? samples[i] : 0;
    }
}
}  // namespace

SampleSpan selectSide(std::size_t n, SideLayout layout) {
    const std::size_t half = n / 2;
    switch (layout) {
        case SideLayout::PortOnly:
            return {0, half};
        case SideLayout::StarboardOnly:
            return {n - half, half};
        case SideLayout::BothSides:
            return {0, n};
    }
    return {0, n};
}

std::uint8_t clipSample(std::uint8_t raw, int sourceKind) {
    const int v = sourceKind == kKindCompact ? raw * 2 : raw;
    return static_cast<std::uint8_t>(std::min<int>(v, kMaxSample));
}

void clipSamples(const std::uint8_t* raw, std::size_t n, int sourceKind, std::uint8_t* out) {
    // Two plain loops so each vectorises.
    if (sourceKind == kKindCompact) {
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = static_cast<std::uint8_t>(std::min(raw[i] * 2, int{kMaxSample}));
        }
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = std::min(raw[i], kMaxSample);
    }
}

float resample(const std::uint8_t* samples, std::size_t n, std::uint8_t* line, std::size_t width) {
    if (width == 0) {
        return 0.0f;
    }
    if (samples == nullptr) {
        n = 0;
    }
    const float ratio = static_cast<float>(n) / static_cast<float>(width);
    if (ratio >= 1.0f) {
        peakHold(samples, n, ratio, line, width);
    } else {
        nearest(samples, n, ratio, line, width);
    }
    return ratio;
}
}  // namespace line_resampler
