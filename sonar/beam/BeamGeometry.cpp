#include "beam/BeamDrawing.h"

#include <algorithm>
#include <cmath>

namespace beam {
namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kStartAngle = -1.5707963;
constexpr double kAngleStep = 0.005235987666666666;      // 0.3 degrees
constexpr double kBeamDepression = 0.34906584444444444;  // 20 degrees below the horizontal
constexpr double kDepressionDeg = 20.0;
constexpr double kPatternScale = 5.74534454688;
constexpr double kWidthScale = 0.035990784;
constexpr double kIntensityScale = 25.5;

constexpr Colour kScreenGrey{0x78, 0x78, 0x78};
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kRed{255, 0, 0};
constexpr Colour kYellow{255, 255, 0};
// Yellow vanishes on white paper; printed, the same lines are drawn in a dark amber.
constexpr Colour kPrintAmber{0xC8, 0x8C, 0x00};
constexpr Colour kHatchGrey{0x96, 0x96, 0x96};

constexpr int kAxisDashOffset = 20;
constexpr int kTowfishDiameter = 20;
constexpr int kRayStartBelowTowfish = 3;
constexpr int kBottomLineWidth = 5;
constexpr int kHatchStrokes = 40;
constexpr double kHatchSpacing = 0.025;  // of the diagram width
constexpr int kHatchDepth = 20;
constexpr int kMarkLength = 60;
constexpr int kLabelGap = 8;
constexpr int kDiagramTextScreen = 20;
constexpr int kDiagramTextPrint = 14;

double radians(double degrees) {
    return degrees * kPi / 180.0;
}

int trunc(double v) {
    // Saturates instead of overflowing on absurd inputs.
    constexpr double kLimit = 1e9;
    return static_cast<int>(std::clamp(v, -kLimit, kLimit));
}

void addFan(BeamDrawing& d, const BeamCoverageState& s) {
    const int h = d.halfWidth;
    const Point from{d.towfish.x, d.towfish.y + kRayStartBelowTowfish};
    d.rays.reserve(2 * kRayCount);
    double theta = kStartAngle;
    for (int step = 0; step < kRayCount; ++step) {
        theta += kAngleStep;
        const int i = rayIntensity(theta, s.beamWidth(), s.gain(), s.gainFactor());
        const double phi = theta + kBeamDepression;
        const int dx = trunc(std::cos(phi) * h);
        const int dy = trunc(h * std::sin(phi));
        if (dx < 0) {
            continue;  // past the vertical: the other side's ray covers it
        }
        const Colour c = rayColour(i, d.printing);
        d.rays.push_back({{from, {d.towfish.x + dx, d.towfish.y + dy}}, c});
        d.rays.push_back({{from, {d.towfish.x - dx, d.towfish.y + dy}}, c});
    }
}

Colour lineColour(const BeamDrawing& d) {
    return d.printing ? kPrintAmber : kYellow;
}

void addOutlineAndAxes(BeamDrawing& d, int beamWidth) {
    const int h = d.halfWidth;
    const Rect circle{d.towfish.x - h, d.towfish.y - h, 2 * h, 2 * h};
    const double half = beamWidth / 2.0;
    d.outlineColour = kRed;
    d.outline[0] = {circle, kDepressionDeg - half, static_cast<double>(beamWidth)};
    d.outline[1] = {circle, 180.0 - kDepressionDeg + half, -static_cast<double>(beamWidth)};
    const int ax = trunc(h * std::cos(radians(kDepressionDeg)));
    const int ay = trunc(h * std::sin(radians(kDepressionDeg)) + d.towfish.y);
    for (int side = 0; side < 2; ++side) {
        Stroke& a = d.axes[static_cast<std::size_t>(side)];
        a.line = {d.towfish, {side == 0 ? d.towfish.x + ax : d.towfish.x - ax, ay}};
        a.colour = lineColour(d);
        a.dashed = true;
        a.dashOffset = kAxisDashOffset;
        a.arrowAtEnd = true;
    }
}

void addLinesAndBottom(BeamDrawing& d, int textSize) {
    const Rect& r = d.diagram;
    d.towfishColour = kRed;
    d.towfishCircle = {d.towfish.x - kTowfishDiameter / 2, d.towfish.y - kTowfishDiameter / 2,
                       kTowfishDiameter, kTowfishDiameter};
    d.depthLine = {{{r.x, d.towfish.y}, {r.right(), d.towfish.y}}, lineColour(d), 1, true};
    d.heightLine = {{d.towfish, {d.towfish.x, d.bottomY}}, kRed, 1, true};
    d.heightLine.arrowAtStart = d.heightLine.arrowAtEnd = true;
    d.bottomLine = {
        {{r.x, d.bottomY}, {r.right(), d.bottomY}}, lineColour(d), kBottomLineWidth, true};
    d.hatchColour = kHatchGrey;
    const double s = r.width * kHatchSpacing;
    for (int k = 0; k < kHatchStrokes; ++k) {
        d.hatch.push_back(
            {{r.x + trunc((k + 1) * s), d.bottomY}, {r.x + trunc(k * s), d.bottomY + kHatchDepth}});
    }
    d.bottomText = {
        "Bottom", {d.towfish.x, d.bottomY + kHatchDepth + 2}, textSize, Anchor::Centre, true};
}

void addMarksAndScale(BeamDrawing& d, const BeamCoverageState& s, int range) {
    const int cx = d.towfish.x;
    const int markEnd = d.bottomY + kMarkLength;
    d.markColour = d.scaleColour = d.printing ? kBlack : kWhite;
    if (const auto m = coverageMarks(s.beamWidth(), d.halfWidth, d.towfish.y, d.bottomY)) {
        for (const int x : {cx - m->inner, cx + m->inner, cx - m->outer, cx + m->outer, cx}) {
            d.marks.push_back({{x, d.bottomY}, {x, markEnd}});
        }
    }
    const double pixelsPerMetre = static_cast<double>(d.diagram.right() - cx) / range;
    d.scaleBase = {{d.diagram.x, markEnd}, {d.diagram.right(), markEnd}};
    DistanceScale scale = distanceScale(range, s.units(), pixelsPerMetre, cx, markEnd,
                                        d.printing ? kScaleTextPrint : kScaleTextScreen,
                                        d.diagram.x, d.diagram.right());
    d.scaleTicks = std::move(scale.ticks);
    d.scaleLabels = std::move(scale.labels);
}

void addValueLabels(BeamDrawing& d, const BeamCoverageState& s, int textSize) {
    // The range just inside the circle's starboard end, above the depth line.
    d.rangeLabel = {s.rangeLabel(),
                    {d.towfish.x + d.halfWidth - kLabelGap, d.towfish.y - kLabelGap - textSize},
                    textSize,
                    Anchor::Right};
    // The height beside the middle of the height line, kept inside the diagram when the bottom
    // lies below it.
    const int middle = (d.towfish.y + d.bottomY) / 2 - textSize / 2;
    const int lowest = std::max(d.towfish.y + kLabelGap, d.diagram.bottom() - 3 * textSize);
    int y = std::min(middle, lowest);
    if (d.bottomY - d.towfish.y < 2 * textSize) {
        y = d.towfish.y - kLabelGap - textSize;  // no room below the towfish: above its depth
    }
    d.heightLabel = {s.heightLabel(), {d.towfish.x + kLabelGap, y}, textSize, Anchor::Left};
    // Black on the saturated blue of a print is hard to read: printed, they sit on white.
    d.rangeLabel.opaque = d.heightLabel.opaque = d.printing;
}
}  // namespace

int rayIntensity(double offAxis, int beamWidth, int gain, double gainFactor) {
    if (beamWidth <= 0) {
        return 0;
    }
    const double x = kPatternScale * std::sin(offAxis) / (beamWidth * kWidthScale);
    // sin(x)/x tends to 1 on the axis itself.
    const double sinc = std::abs(x) < 1e-12 ? 1.0 : std::sin(x) / x;
    const double p = sinc * sinc;
    const double strength = std::pow(10.0, gain * gainFactor * 0.01 * 0.1) * p * kIntensityScale;
    return static_cast<int>(std::clamp(strength, 0.0, 255.0));
}

Colour rayColour(int intensity, bool printing) {
    const auto i = static_cast<std::uint8_t>(std::clamp(intensity, 0, 255));
    if (printing) {
        const auto pale = static_cast<std::uint8_t>(255 - i);
        return {pale, pale, 255};
    }
    return {0, 0, i};
}

std::optional<CoverageMarks> coverageMarks(int beamWidth, int halfWidth, int towfishY,
                                           int bottomY) {
    const double half = beamWidth / 2.0;
    const double h = halfWidth;
    const int depth = bottomY - towfishY;
    if (depth < 0 || bottomY >= trunc(std::cos(radians(70.0 - half)) * h + towfishY)) {
        return std::nullopt;
    }
    CoverageMarks m;
    m.inner = trunc(std::tan(radians(70.0 - half)) * depth);
    if (half < 20.0 && bottomY < trunc(towfishY + h * std::cos(radians(half + 70.0)))) {
        m.outer = trunc(depth / std::tan(radians(20.0 - half)));
        m.outerOnBeamEdge = true;
    } else {
        m.outer = trunc(std::sqrt(std::max(0.0, h * h - static_cast<double>(depth) * depth)));
    }
    return m;
}

BeamDrawing drawBeamCoverage(const BeamCoverageState& s, CanvasSize canvas) {
    BeamDrawing d;
    d.printing = canvas.printing;
    d.canvas = {0, 0, std::max(canvas.width, 0), std::max(canvas.height, 0)};
    d.background = canvas.printing ? kWhite : kScreenGrey;
    d.diagramFill = canvas.printing ? kWhite : kBlack;
    d.frameColour = canvas.printing ? kPrintAmber : kYellow;
    d.textColour = canvas.printing ? kBlack : kWhite;

    const int diagramWidth = canvas.width - (canvas.printing ? 0 : kPanelWidth);
    d.halfWidth = (diagramWidth - kMargin) / 2;
    const int h = d.halfWidth;
    d.towfish = {kMargin + h, kMargin + kTowfishBelowTop};
    const int diagramHeight = canvas.height - 2 * kMargin;
    if (h <= 0 || diagramHeight <= 0) {
        return d;  // a window too small to hold a diagram: the fills only
    }
    d.empty = false;
    d.diagram = {kMargin, kMargin, 2 * h, diagramHeight};
    // A range of 0 (never offered, but a damaged source might) is drawn as 1 m.
    const int range = std::max(s.range(), 1);
    const long long depthPixels = static_cast<long long>(h) * s.height() / kFeetPerMetre / range;
    d.bottomY = d.towfish.y + trunc(static_cast<double>(depthPixels));

    const int textSize = canvas.printing ? kDiagramTextPrint : kDiagramTextScreen;
    d.fanClip = {d.diagram.x, d.diagram.y, d.diagram.width,
                 std::clamp(d.bottomY, d.diagram.y, d.diagram.bottom()) - d.diagram.y};
    addFan(d, s);
    addOutlineAndAxes(d, s.beamWidth());
    addLinesAndBottom(d, textSize);
    addMarksAndScale(d, s, range);
    addValueLabels(d, s, textSize);
    return d;
}

int contentBottom(const BeamDrawing& d) {
    int bottom = std::max(d.bottomY + kMarkLength, d.bottomText.at.y + d.bottomText.size);
    for (const Label& l : d.scaleLabels) {
        bottom = std::max(bottom, l.at.y + l.size);
    }
    return std::max(bottom, d.heightLabel.at.y + d.heightLabel.size);
}

}  // namespace beam
