#include "display/measure/MeasureOverlay.h"

#include <cstdio>

namespace measure {
namespace {
constexpr int kRightMargin = 50;
constexpr int kTopMargin = 25;
constexpr int kLabelRise = 25;
constexpr int kBoxPadding = 2;
constexpr int kPromptRise = 10;

Point toWindow(Point p, const OverlayStyle& style) {
    return {p.x - style.pan.x, p.y - style.pan.y};
}

void addLine(Overlay& o, Point a, Point b, Colour c, const OverlayStyle& style) {
    o.lines.push_back({toWindow(a, style), toWindow(b, style), c});
}

void addCross(Overlay& o, Point at, Colour c, const OverlayStyle& style) {
    addLine(o, {at.x - kCrossArm, at.y}, {at.x + kCrossArm, at.y}, c, style);
    addLine(o, {at.x, at.y - kCrossArm}, {at.x, at.y + kCrossArm}, c, style);
}

bool labelled(ItemType t) {
    return t == ItemType::Range || t == ItemType::Distance || t == ItemType::HeightShadowEnd;
}

void addStoredItem(Overlay& o, const MeasureItem& item, const Scale& scale,
                   const OverlayStyle& style, bool boxShown) {
    if (item.type == ItemType::Mark) {
        addCross(o, item.start, kLineColour, style);
        return;
    }
    addLine(o, item.start, item.end, kLineColour, style);
    if (item.type == ItemType::Distance) {
        addCross(o, item.start, kLineColour, style);
    }
    if (labelled(item.type)) {
        o.labels.push_back(makeLabel(valueText(item.value, style.imperial), LabelKind::Value,
                                     item.end, scale, style, boxShown));
    }
    addCross(o, item.end, kEndCrossColour, style);
}

void addWaitingTool(Overlay& o, const MeasureTools& tools, Point mouse, const Scale& scale,
                    const OverlayStyle& style, double value) {
    const bool boxShown = tools.showShadow();
    const Point track{static_cast<int>(trackX(scale)), mouse.y};
    switch (tools.tool()) {
        case Tool::Range:
            addLine(o, track, mouse, kLineColour, style);
            addCross(o, mouse, kLineColour, style);
            o.labels.push_back(makeLabel(valueText(value, style.imperial), LabelKind::Value, mouse,
                                         scale, style, boxShown));
            return;
        case Tool::Distance:
            if (!tools.firstPointSet()) {
                return;
            }
            addLine(o, tools.firstPoint(), mouse, kLineColour, style);
            addCross(o, tools.firstPoint(), kLineColour, style);
            addCross(o, mouse, kLineColour, style);
            o.labels.push_back(makeLabel(valueText(value, style.imperial), LabelKind::Value, mouse,
                                         scale, style, boxShown));
            return;
        case Tool::Height:
            break;
        case Tool::Mark:
        case Tool::None:
            return;
    }
    const int step = tools.heightStep();
    Point at = mouse;
    Point start{static_cast<int>(trackX(scale)), mouse.y};
    if (step > 0) {
        const MeasureItem* prev = tools.previousItem();
        if (!prev) {
            return;
        }
        at.y = prev->start.y;  // the rest of the measurement lies on the target's row
        start = step == MeasureTools::kLastHeightStep ? prev->end : Point{start.x, at.y};
    }
    addLine(o, start, at, kLineColour, style);
    addCross(o, at, kLineColour, style);
    const LabelKind kind = step == MeasureTools::kLastHeightStep ? LabelKind::ThreeLinePrompt
                                                                 : LabelKind::TwoLinePrompt;
    o.labels.push_back(
        makeLabel(heightPrompt(step, value, style.imperial), kind, at, scale, style, boxShown));
}
}  // namespace

Point labelOrigin(Point at, const Scale& scale) {
    const double right = scale.drawnWidth * scale.zoom;
    Point p{at.x, at.y - kLabelRise};
    if (at.x > right - kRightMargin) {
        p.x = at.x - kRightMargin;
    }
    if (at.y < kTopMargin) {
        p.y = at.y + kLabelRise;
    }
    return p;
}

std::string heightPrompt(int step, double height, bool imperial) {
    switch (step) {
        case 0:
            return "Click on\nthe Target";
        case 1:
            return "Click on First\n(Bottom) Return";
        case 2:
            return "Click on\nShadow Start";
        default:
            return "Click on\nShadow End\nH=" + valueText(height, imperial);
    }
}

OverlayLabel makeLabel(const std::string& text, LabelKind kind, Point at, const Scale& scale,
                       const OverlayStyle& style, bool boxShown) {
    const int s = style.textPixels;
    const int n = static_cast<int>(text.size());
    const int normalWidth = s + s * n / 2;
    Point origin = labelOrigin(at, scale);
    int width = normalWidth;
    int height = s + 4;
    switch (kind) {
        case LabelKind::Value:
            break;
        case LabelKind::TwoLinePrompt:
            origin.y -= s + kPromptRise;
            width = s + normalWidth / 2;
            height = 2 * (s + 4);
            break;
        case LabelKind::ThreeLinePrompt:
            origin.y -= 2 * s + kPromptRise;
            width = s + kPromptRise + normalWidth / 3;
            height = 3 * s + 8;
            break;
    }
    const Point w = toWindow(origin, style);
    OverlayLabel label;
    label.text = text;
    label.textAt = w;
    label.box = {w.x - kBoxPadding, w.y - kBoxPadding, width, height};
    label.boxShown = boxShown;
    label.textColour = waterfall_view::textColour(waterfall_view::kWhite, style.colourTable);
    label.boxColour = waterfall_view::textBackground(style.colourTable);
    label.textPixels = s;
    return label;
}

Overlay buildOverlay(const MeasureTools& tools, const Scale& scale, const OverlayStyle& style,
                     std::optional<Point> mouse, double liveValue) {
    Overlay o;
    o.lines.reserve(tools.items().size() * 5 + 8);
    for (const MeasureItem& item : tools.items()) {
        addStoredItem(o, item, scale, style, tools.showShadow());
    }
    if (mouse) {
        addWaitingTool(o, tools, *mouse, scale, style, liveValue);
    }
    return o;
}

}  // namespace measure
