#include "display/LineResampler.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace line_resampler {
namespace {
// The window of a pixel runs from the first sample not yet taken up to floor(b), b growing by r
// per pixel; r >= 1 keeps every window at least one sample wide. Calls `window(x, first, last)`
// for each pixel whose window lies inside the samples and returns the first pixel whose window
// does not (width when all do).
template <class Window>
std::size_t walkWindows(std::size_t n, double r, std::size_t width, Window&& window) {
    std::size_t p = 0;
    double b = r;
    for (std::size_t x = 0; x < width; ++x) {
        const std::size_t last = std::max(static_cast<std::size_t>(b), p);
        if (last >= n) {
            return x;
        }
        window(x, p, last);
        p = last + 1;
        b += r;
    }
    return width;
}

// Windows of up to this many samples are read from a table of running peaks.
constexpr std::size_t kTableWindow = 8;
// Loops over blocks of this many bytes vectorise without a separate tail.
constexpr std::size_t kBlock = 32;

// The windows of one sample count and width, worked out once: pings of a file or a live session
// keep both, so each ping only looks its peaks up.
struct PeakPlan {
    std::size_t n = 0;
    std::size_t width = 0;
    double r = 0.0;
    std::size_t drawn = 0;             // pixels before the first black one
    std::size_t longest = 0;           // samples in the widest window; 0: too wide for the table
    std::vector<std::uint32_t> entry;  // per pixel: (window length - 1) * n + first sample
    std::vector<std::uint8_t> peaks;   // level k, sample i: the peak of samples i..i+k
};

PeakPlan& planFor(std::size_t n, double r, std::size_t width) {
    thread_local PeakPlan plan;
    if (plan.n == n && plan.width == width && plan.r == r) {
        return plan;
    }
    plan.n = n;
    plan.width = width;
    plan.r = r;
    plan.longest = 1;
    plan.entry.resize(width);
    plan.drawn = walkWindows(n, r, width, [&](std::size_t x, std::size_t first, std::size_t last) {
        const std::size_t length = last - first + 1;
        plan.longest = length <= kTableWindow ? std::max(plan.longest, length) : kTableWindow + 1;
        plan.entry[x] =
            static_cast<std::uint32_t>((std::min(length, kTableWindow) - 1) * n + first);
    });
    if (plan.longest > kTableWindow || plan.longest * n > UINT32_MAX) {
        plan.longest = 0;
    } else {
        plan.peaks.resize(plan.longest * n);
    }
    return plan;
}

// out[i] = max(a[i], b[i]) for i < count.
void maxOf(const std::uint8_t* __restrict a, const std::uint8_t* __restrict b,
           std::uint8_t* __restrict out, std::size_t count) {
    std::size_t i = 0;
    for (; i + kBlock <= count; i += kBlock) {
        for (std::size_t k = 0; k < kBlock; ++k) {
            out[i + k] = std::max(a[i + k], b[i + k]);
        }
    }
    for (; i < count; ++i) {
        out[i] = std::max(a[i], b[i]);
    }
}

void peakHold(const std::uint8_t* samples, std::size_t n, double r, std::uint8_t* line,
              std::size_t width) {
    PeakPlan& plan = planFor(n, r, width);
    if (plan.longest == 0) {
        const std::size_t drawn =
            walkWindows(n, r, width, [&](std::size_t x, std::size_t first, std::size_t last) {
                const std::uint8_t peak = *std::max_element(samples + first, samples + last + 1);
                line[x] = std::min(peak, kMaxSample);
            });
        std::memset(line + drawn, 0, width - drawn);
        return;
    }
    // Level k holds the peak of k + 1 samples from each index; entries past the end are never
    // looked up.
    std::uint8_t* peaks = plan.peaks.data();
    std::memcpy(peaks, samples, n);
    for (std::size_t k = 1; k < plan.longest; ++k) {
        maxOf(peaks + (k - 1) * n, samples + k, peaks + k * n, n - k);
    }
    const std::uint32_t* entry = plan.entry.data();
    for (std::size_t x = 0; x < plan.drawn; ++x) {
        line[x] = std::min(peaks[entry[x]], kMaxSample);
    }
    std::memset(line + plan.drawn, 0, width - plan.drawn);
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

namespace {
// Blocks of a fixed size, with the buffers known apart, so each loop vectorises.
void clipCompact(const std::uint8_t* __restrict raw, std::size_t n, std::uint8_t* __restrict out) {
    std::size_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        for (std::size_t k = 0; k < kBlock; ++k) {
            out[i + k] = static_cast<std::uint8_t>(std::min(raw[i + k] * 2, int{kMaxSample}));
        }
    }
    for (; i < n; ++i) {
        out[i] = static_cast<std::uint8_t>(std::min(raw[i] * 2, int{kMaxSample}));
    }
}

void clipFull(const std::uint8_t* __restrict raw, std::size_t n, std::uint8_t* __restrict out) {
    std::size_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        for (std::size_t k = 0; k < kBlock; ++k) {
            out[i + k] = std::min(raw[i + k], kMaxSample);
        }
    }
    for (; i < n; ++i) {
        out[i] = std::min(raw[i], kMaxSample);
    }
}
}  // namespace

void clipSamples(const std::uint8_t* raw, std::size_t n, int sourceKind, std::uint8_t* out) {
    if (sourceKind == kKindCompact) {
        clipCompact(raw, n, out);
    } else {
        clipFull(raw, n, out);
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
