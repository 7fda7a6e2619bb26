#pragma once

#include <optional>
#include <string>
#include <vector>

#include "display/SideLayout.h"
#include "display/ViewTexts.h"

// Sizes of the waterfall view and its range scale, in window pixels. The view draws these
// numbers and nothing else.
namespace waterfall_view {

constexpr int kIndicatorWidth = 8;
// The image width is kept a multiple of this so rows stay aligned for the bitmap.
constexpr int kImageWidthMultiple = 4;

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct ViewLayout {
    int imageWidth = 0;   // W: the document's image width
    int imageHeight = 0;  // H: the client height
    int drawnWidth = 0;   // W': the part of the window the image is stretched into
    std::optional<Rect> indicator;
};

// The layout for a new client size; nothing for a size that leaves no image (a non-positive
// dimension, or a client narrower than one width step), so the caller keeps the old one.
std::optional<ViewLayout> layoutForClient(int clientWidth, int clientHeight, bool indicatorShown);
// W' of an image W wide; never negative.
int drawnWidth(int imageWidth, bool indicatorShown);

struct ScaleLine {
    int x = 0;
    int fromY = 0;
    int toY = 0;
    Colour colour;
};

struct ScaleLabel {
    std::string text;
    int centreX = 0;  // the text is centred on the line it labels
    Rect box;
    int textTop = 0;
    int textPixels = 0;
    Colour fill;
    Colour border;
    Colour textColour;
};

struct RangeScale {
    std::vector<ScaleLine> lines;
    std::vector<ScaleLabel> labels;
};

struct RangeScaleRequest {
    SideLayout layout = SideLayout::BothSides;
    bool imperial = false;
    int rangeIndex = 0;
    double zoom = 1.0;
    int panX = 0;
    int drawnWidth = 0;
    int imageHeight = 0;
    bool showGrid = true;
    int textPixels = 14;
    int colourTable = 0;
};

constexpr int kScaleBandHeight = 20;  // the label boxes along the bottom edge
constexpr int kTickLength = 5;
constexpr Colour kGridColour{150, 75, 0};
constexpr Colour kHighlightColour{200, 200, 0};  // centre line, ticks and label text
constexpr Colour kLabelBorderColour{150, 150, 0};

// Half the width of a label box for a grid text size.
int labelHalfWidth(int textPixels);

// Lines and labels from the far range on one edge to the other edge (one side) or from port
// through the track line to starboard (both sides); empty for an unknown layout. Fractional
// positions are truncated (never rounded up) before the pan is taken off, so the whole scale moves
// with the pan pixel for pixel.
RangeScale rangeScale(const RangeScaleRequest& request);

}  // namespace waterfall_view
