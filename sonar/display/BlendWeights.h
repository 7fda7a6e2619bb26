#pragma once

#include <array>

// Weights for blending the newest line with the lines of earlier pings that saw the same strip
// of seabed. weight(age, lines - 1): age 0 is the newest line; each used column sums to 1.
class BlendWeights {
  public:
    static constexpr int kMaxLines = 10;

    BlendWeights();

    // 0 outside the table.
    double weight(int age, int column) const;

  private:
    std::array<std::array<double, kMaxLines>, kMaxLines> w_{};
};
