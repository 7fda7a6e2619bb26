#include "display/BlendWeights.h"

namespace {
// Newest-line weight drops by this much for each extra line blended.
constexpr double kNewestStep = 0.07;
// How fast the share of older lines falls off, per age 1..8.
constexpr std::array<double, 8> kAgeFalloff{0.045, 0.03, 0.02, 0.01, 0.005, 0.002, 0.001, 0.0005};
}  // namespace

BlendWeights::BlendWeights() {
    for (int c = 0; c < kMaxLines; ++c) {
        w_[0][c] = 1.0 - kNewestStep * c;
    }
    for (int k = 1; k < kMaxLines - 1; ++k) {
        for (int c = k; c < kMaxLines; ++c) {
            double used = 0.0;
            for (int j = 0; j < k; ++j) {
                used += w_[j][c];
            }
            w_[k][c] = 1.0 - used - (c - k) * kAgeFalloff[static_cast<std::size_t>(k - 1)];
        }
    }
    constexpr int last = kMaxLines - 1;
    double used = 0.0;
    for (int j = 0; j < last; ++j) {
        used += w_[j][last];
    }
    w_[last][last] = 1.0 - used;
}

double BlendWeights::weight(int age, int column) const {
    if (age < 0 || age >= kMaxLines || column < 0 || column >= kMaxLines) {
        return 0.0;
    }
    return w_[static_cast<std::size_t>(age)][static_cast<std::size_t>(column)];
}
