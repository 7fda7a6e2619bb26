#include "survey/BottomDetector.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<int> runningMean(std::span<const std::uint8_t> side, int radius) {
    const int n = static_cast<int>(side.size());
    std::vector<int> prefix(n + 1, 0);
    for (int i = 0; i < n; ++i) {
        prefix[i + 1] = prefix[i] + side[i];
    }
    std::vector<int> mean(n);
    for (int i = 0; i < n; ++i) {
        const int lo = std::max(0, i - radius);
        const int hi = std::min(n, i + radius + 1);
        mean[i] = (prefix[hi] - prefix[lo]) / (hi - lo);
    }
    return mean;
}

int lowDecile(const std::vector<int>& values, int count) {
    std::vector<int> part(values.begin(), values.begin() + count);
    const auto q = part.begin() + count / 10;
    std::nth_element(part.begin(), q, part.end());
    return *q;
}
}  // namespace

std::optional<int> detectBottom(std::span<const std::uint8_t> side,
                                const BottomDetectorSettings& settings) {
    const int n = static_cast<int>(side.size());
    const int persistence =
        std::max(settings.minPersistence, static_cast<int>(settings.persistenceFraction * n + 0.5));
    if (n < 2 * persistence) {
        return std::nullopt;
    }
    const std::vector<int> smooth = runningMean(side, settings.smoothingRadius);
    const int floor = lowDecile(smooth, std::max(n / 8, std::min(n, 2 * persistence)));
    const double rise = std::max<double>(settings.minRise, settings.riseFactor * floor);
    const int threshold = static_cast<int>(floor + rise + 0.5);

    int runStart = -1;
    for (int i = 0; i < n; ++i) {
        if (smooth[i] < threshold) {
            runStart = -1;
            continue;
        }
        if (runStart < 0) {
            runStart = i;
        }
        if (i - runStart + 1 >= persistence) {
            // Smoothing moves a sharp edge earlier by up to its radius: take the raw edge.
            const int lo = std::max(0, runStart - settings.smoothingRadius);
            const int hi = std::min(n, runStart + settings.smoothingRadius + 1);
            // A lone noisy sample is not the edge: the raw echo must hold for radius + 1 samples.
            for (int j = lo; j < hi; ++j) {
                const int end = std::min(n, j + settings.smoothingRadius + 1);
                if (std::all_of(side.begin() + j, side.begin() + end,
                                [&](std::uint8_t v) { return v >= threshold; })) {
                    return j;
                }
            }
            return runStart;
        }
    }
    return std::nullopt;
}
