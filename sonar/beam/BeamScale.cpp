// The distance scale of the beam coverage diagram, in metres or feet, symmetric about the
// towfish.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "beam/BeamDrawing.h"

namespace beam {
namespace {
constexpr int kMajorTick = 12;
constexpr int kLongMinorTick = 8;
constexpr int kMinorTick = 4;
constexpr int kLabelGap = 2;
constexpr double kFeetStep = 0.3333333333333333;  // metres of one foot at the tool's factor 3
constexpr double kTenFeetStep = 3.333333333333333;

// One unit of the scale: majors every ten units, minors every unit.
struct ScaleRule {
    double metresPerUnit = 1.0;
    int units = 0;  // how far the scale reaches, in its own units
    bool (*labelled)(int k, int range) = nullptr;
    bool evenMinorsOnly = false;
};

bool feetLabelled(int k, int range) {
    if (range < 40) {
        return true;
    }
    if (range < 80) {
        return k % 2 == 0;
    }
    return k % 6 == 0;
}

bool metresLabelled(int k, int range) {
    return range <= 99 || k % 2 == 0;
}

int offset(double pixels) {
    return static_cast<int>(pixels);
}

void addTickPair(DistanceScale& s, int centreX, int off, int baseY, int length) {
    s.ticks.push_back({{centreX + off, baseY}, {centreX + off, baseY + length}});
    if (off != 0) {
        s.ticks.push_back({{centreX - off, baseY}, {centreX - off, baseY + length}});
    }
}

struct Span {
    int left = 0, right = 0;
};

void addLabelPair(DistanceScale& s, int centreX, int off, int baseY, int textSize, int value,
                  Span span) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    const int chars = static_cast<int>(std::strlen(text));
    // Starting this far left of the tick roughly centres the number on it.
    const int lead = textSize * chars * 5 / 16;
    const int top = baseY + kMajorTick + kLabelGap;
    const auto start = [&](int tickX) {
        return std::clamp(tickX - lead, span.left + kLabelGap, span.right - kLabelGap - 2 * lead);
    };
    s.labels.push_back({text, {start(centreX + off), top}, textSize, Anchor::Left});
    if (off != 0) {
        s.labels.push_back({text, {start(centreX - off), top}, textSize, Anchor::Left});
    }
}
}  // namespace

DistanceScale distanceScale(int range, Units units, double pixelsPerMetre, int centreX, int baseY,
                            int textSize, int left, int right) {
    DistanceScale s;
    if (range <= 0 || !(pixelsPerMetre > 0)) {
        return s;
    }
    const bool feet = units == Units::Feet;
    const ScaleRule rule =
        feet ? ScaleRule{kFeetStep, range * kFeetPerMetre, feetLabelled, range >= 80}
             : ScaleRule{1.0, range, metresLabelled, false};
    const double majorStep = pixelsPerMetre * (feet ? kTenFeetStep : 10.0);
    const double minorStep = pixelsPerMetre * rule.metresPerUnit;
    for (int k = 0; k <= rule.units / 10; ++k) {
        const int off = offset(k * majorStep);
        addTickPair(s, centreX, off, baseY, kMajorTick);
        if (rule.labelled(k, range)) {
            addLabelPair(s, centreX, off, baseY, textSize, k * 10, {left, right});
        }
    }
    for (int j = 1; j <= rule.units; ++j) {
        if (j % 10 == 0 || (rule.evenMinorsOnly && j % 2 != 0)) {
            continue;  // a major tick stands there, or the scale is too dense for odd feet
        }
        addTickPair(s, centreX, offset(j * minorStep), baseY,
                    j % 5 == 0 ? kLongMinorTick : kMinorTick);
    }
    return s;
}

}  // namespace beam
