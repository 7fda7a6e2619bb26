#include "display/ViewGeometry.h"

#include <cstdio>

#include "acquisition/SwitchCommand.h"

namespace waterfall_view {
namespace {
constexpr int kDefaultLabelHalfWidth = 27;
constexpr int kMediumLabelHalfWidth = 24;  // text size 16
constexpr int kSmallLabelHalfWidth = 22;   // text size 14
constexpr int kMediumTextPixels = 16;
constexpr int kSmallTextPixels = 14;
constexpr int kLargeTextPixels = 18;

constexpr int kOneSideDivisions = 5;
constexpr int kBothSidesDivisions = 10;
// Feet are metres x 3, but the screen is scaled in true metres, so the far label in feet sits
// short of the edge by 1 - 3 / 3.2808 of a side.
constexpr double kImperialOneSideOffset = 0.0856;
constexpr double kImperialBothSidesOffset = 0.0428;

constexpr double kMaxScaleWidth = 1e8;
// Positions that are whole in exact arithmetic (the edges, the centre line) must not drop a
// pixel to floating-point rounding before truncation.
constexpr double kWholePixelTolerance = 1e-6;

struct Division {
    double x = 0.0;  // zoomed image pixels, before the pan
    int value = 0;   // label value in the selected unit
    bool centre = false;
};

std::vector<Division> oneSideDivisions(bool port, bool imperial, int range, double e) {
    const double off = imperial ? kImperialOneSideOffset * e : 0.0;
    const double step = (e - off) / kOneSideDivisions;
    // Port draws its far range at the left edge, starboard at the right; the imperial offset
    // sits on the far-range side only for port.
    const double start = port ? off : 0.0;
    const int unitRange = imperial ? range * kFeetPerMetre : range;
    std::vector<Division> out;
    for (int k = 0; k <= kOneSideDivisions; ++k) {
        const int fifths = port ? kOneSideDivisions - k : k;
        out.push_back({start + k * step, unitRange * fifths / kOneSideDivisions, false});
    }
    return out;
}

std::vector<Division> bothSidesDivisions(bool imperial, int range, double e) {
    const double off = imperial ? kImperialBothSidesOffset * e : 0.0;
    const double step = (e - 2.0 * off) / kBothSidesDivisions;
    const int unitRange = imperial ? range * kFeetPerMetre : range;
    const int centre = kBothSidesDivisions / 2;
    std::vector<Division> out;
    for (int i = 0; i <= kBothSidesDivisions; ++i) {
        const int fifths = i < centre ? centre - i : i - centre;
        out.push_back({off + i * step, unitRange * fifths / centre, i == centre});
    }
    return out;
}

std::vector<Division> divisionsFor(const RangeScaleRequest& rq) {
    const int range = rangeMetres(rq.rangeIndex);
    const double e = rq.drawnWidth * rq.zoom;
    // A zoom that is not a sane positive factor would overflow the pixel conversion.
    if (!(e >= 0.0 && e <= kMaxScaleWidth)) {
        return {};
    }
    switch (rq.layout) {
        case SideLayout::PortOnly:
            return oneSideDivisions(true, rq.imperial, range, e);
        case SideLayout::StarboardOnly:
            return oneSideDivisions(false, rq.imperial, range, e);
        case SideLayout::BothSides:
            return bothSidesDivisions(rq.imperial, range, e);
    }
    return {};
}

ScaleLine lineAt(int x, bool centre, const RangeScaleRequest& rq) {
    const int bandTop = rq.imageHeight - kScaleBandHeight;
    if (!rq.showGrid) {
        return {x, bandTop - kTickLength, bandTop, kHighlightColour};
    }
    return {x, 0, bandTop, centre ? kHighlightColour : kGridColour};
}

ScaleLabel labelAt(int x, int value, const RangeScaleRequest& rq) {
    char buf[32];
    std::snprintf(buf, sizeof buf, rq.imperial ? "%dft" : "%dm", value);
    const int f = labelHalfWidth(rq.textPixels);
    const int top = rq.imageHeight - kScaleBandHeight;
    ScaleLabel label;
    label.text = buf;
    label.centreX = x;
    label.box = {x - f, top, 2 * f, kScaleBandHeight};
    label.textTop = top + (kLargeTextPixels - rq.textPixels) / 2;
    label.textPixels = rq.textPixels;
    label.fill = textBackground(rq.colourTable);
    label.border = kLabelBorderColour;
    label.textColour = textColour(kHighlightColour, rq.colourTable);
    return label;
}
}  // namespace

std::optional<ViewLayout> layoutForClient(int clientWidth, int clientHeight, bool indicatorShown) {
    if (clientWidth <= 0 || clientHeight <= 0) {
        return std::nullopt;
    }
    ViewLayout layout;
    layout.imageWidth = clientWidth / kImageWidthMultiple * kImageWidthMultiple;
    if (layout.imageWidth == 0) {
        return std::nullopt;
    }
    layout.imageHeight = clientHeight;
    layout.drawnWidth = drawnWidth(layout.imageWidth, indicatorShown);
    if (indicatorShown) {
        layout.indicator =
            Rect{layout.imageWidth - kIndicatorWidth, 0, kIndicatorWidth, layout.imageHeight};
    }
    return layout;
}

int drawnWidth(int imageWidth, bool indicatorShown) {
    const int w = indicatorShown ? imageWidth - kIndicatorWidth : imageWidth;
    return w > 0 ? w : 0;
}

int labelHalfWidth(int textPixels) {
    switch (textPixels) {
        case kMediumTextPixels:
            return kMediumLabelHalfWidth;
        case kSmallTextPixels:
            return kSmallLabelHalfWidth;
        default:
            return kDefaultLabelHalfWidth;
    }
}

RangeScale rangeScale(const RangeScaleRequest& request) {
    RangeScale scale;
    for (const Division& d : divisionsFor(request)) {
        const int x = static_cast<int>(d.x + kWholePixelTolerance) - request.panX;
        scale.lines.push_back(lineAt(x, d.centre, request));
        scale.labels.push_back(labelAt(x, d.value, request));
    }
    return scale;
}

}  // namespace waterfall_view
