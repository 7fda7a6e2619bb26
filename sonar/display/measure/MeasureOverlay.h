#pragma once

#include <optional>
#include <string>
#include <vector>

#include "display/ViewGeometry.h"
#include "display/ViewTexts.h"
#include "display/measure/MeasureTools.h"

// What the view draws for the measurement tools: the stored items and the tool waiting for its
// next click, as lines and labelled boxes in window pixels.
namespace measure {

using waterfall_view::Colour;
using waterfall_view::Rect;

constexpr Colour kLineColour{0, 200, 200};
constexpr Colour kEndCrossColour{0, 250, 250};
constexpr int kCrossArm = 8;  // a cross is two 17-pixel lines

struct OverlayLine {
    Point from;
    Point to;
    Colour colour;
    bool operator==(const OverlayLine&) const = default;
};

struct OverlayLabel {
    std::string text;  // lines separated by '\n'
    Point textAt;      // top left of the first line
    Rect box;
    bool boxShown = true;
    Colour textColour;
    Colour boxColour;
    int textPixels = 0;
};

struct Overlay {
    std::vector<OverlayLine> lines;
    std::vector<OverlayLabel> labels;
};

struct OverlayStyle {
    Point pan;
    bool imperial = false;
    int textPixels = 14;  // the grid text size
    int colourTable = 0;
};

// Where a label's text starts for a point (zoomed image pixels): up and to the right of it,
// but below a point near the top and left of a point near the right edge of the picture.
Point labelOrigin(Point at, const Scale& scale);

// The height tool's prompt for its step; the last one carries the live height.
std::string heightPrompt(int step, double height, bool imperial);

// The label of a value or prompt at a point, with its box (window pixels).
enum class LabelKind { Value, TwoLinePrompt, ThreeLinePrompt };
OverlayLabel makeLabel(const std::string& text, LabelKind kind, Point at, const Scale& scale,
                       const OverlayStyle& style, bool boxShown);

// The stored items, then the waiting tool at the mouse point (when the mouse is over the
// picture) labelled with the live value.
Overlay buildOverlay(const MeasureTools& tools, const Scale& scale, const OverlayStyle& style,
                     std::optional<Point> mouse, double liveValue);

}  // namespace measure
