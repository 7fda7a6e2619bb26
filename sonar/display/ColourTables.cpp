#include "display/ColourTables.h"

#include <algorithm>
#include <cmath>

namespace {
// pi / 512 as the tables have always used it (pi to seven decimals).
constexpr double kQuarterWaveStep = 3.1415926 / 512.0;
constexpr double kHighBoost = 1.5;
constexpr double kWaveGain = 1.2;

std::uint8_t u8(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

// Rounds half up, as the scale's half-step entries need.
int halfUp(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

ColourTables::Rgb rgb(int r, int g, int b) {
    return {u8(r), u8(g), u8(b)};
}

ColourTables::Rgb boosted(ColourTables::Rgb c) {
    auto boost = [](std::uint8_t v) { return std::min(255, static_cast<int>(v * kHighBoost)); };
    return rgb(boost(c.r), boost(c.g), boost(c.b));
}
}  // namespace

ColourTables::Rgb ColourTables::normalScale(int i) {
    if (i <= 40) {
        return rgb(0, 0, 2 * i);
    }
    if (i <= 81) {
        return rgb(0, 20 + 2 * (i - 41), 80 - 2 * (i - 41));
    }
    if (i <= 91) {
        return rgb(0, 100 + 2 * (i - 81), 0);
    }
    if (i <= 101) {
        return rgb(2 * (i - 91), 120 + 2 * (i - 91), 0);
    }
    if (i <= 112) {
        return rgb(20, 140 + 2 * (i - 101), 0);
    }
    if (i <= 123) {
        return rgb(20 + 5 * (i - 112), 162 + 2 * (i - 112), 0);
    }
    if (i <= 136) {
        return rgb(80 + 5 * (i - 124), 185 - 5 * (i - 124), 0);
    }
    if (i == 137) {
        return rgb(145, 118, 0);
    }
    if (i == 138) {
        return rgb(150, 110, 0);
    }
    if (i <= 142) {
        return rgb(halfUp(150 + 2.5 * (i - 138)), halfUp(110 - 2.5 * (i - 138)), 0);
    }
    if (i <= 158) {
        return rgb(halfUp(160 + 2.5 * (i - 142)), 100, 0);
    }
    if (i <= 164) {
        return rgb(halfUp(200 + 2.5 * (i - 158)), halfUp(100 + 2.5 * (i - 158)), 0);
    }
    if (i == 165) {
        return rgb(213, 118, 0);
    }
    if (i <= 178) {
        return rgb(210 - 5 * (i - 166), halfUp(115 + 2.5 * (i - 164)), 0);
    }
    if (i <= 197) {
        const int v = halfUp(150 + 2.5 * (i - 178));
        return rgb(v, v, 0);
    }
    if (i <= 216) {
        const int v = halfUp(200 + 2.5 * (i - 198));
        return rgb(v, v, 50 + 5 * (i - 198));
    }
    if (i <= 235) {
        const int v = 180 + 2 * (i - 217);
        return rgb(v, v, v);
    }
    return rgb(160, 0, 0);
}

ColourTables::ColourTables() {
    for (int i = 0; i <= kMaxSampleIndex; ++i) {
        const double s = std::sin(i * kQuarterWaveStep);
        const double c = std::cos(i * kQuarterWaveStep);
        const int sv = std::min(255, static_cast<int>(s * 255 * kWaveGain));
        const int cv = std::min(255, static_cast<int>((255 - c * 255) * kWaveGain));
        const Rgb normal = normalScale(i);
        tables_[NormalHigh][i] = boosted(normal);
        tables_[NormalLow][i] = normal;
        tables_[Green][i] = rgb(0, i, 0);
        tables_[Grey][i] = rgb(i, i, i);
        tables_[ReverseGrey][i] = rgb(255 - i, 255 - i, 255 - i);
        tables_[BrownYellow][i] = rgb(sv, cv, 0);
        tables_[GreenBlue][i] = rgb(0, sv, cv);
        tables_[GreenYellow][i] = rgb(cv, sv, 0);
        tables_[Blue][i] = rgb(0, cv, sv);
    }
    for (Table& t : tables_) {
        t[kHighlightIndex] = kHighlight;
    }
}

const ColourTables::Table& ColourTables::table(int index) const {
    if (index < 0 || index >= kTableCount) {
        return tables_[Grey];
    }
    return tables_[static_cast<std::size_t>(index)];
}
