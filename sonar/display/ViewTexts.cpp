#include "display/ViewTexts.h"

#include <cstdio>

#include "acquisition/SwitchCommand.h"
#include "display/ColourTables.h"

namespace waterfall_view {
namespace {
constexpr char kHeldTag[] = " (HELD)";
constexpr TextPosition kRangeTextAt{8, 0};
constexpr int kHeldTagFromRight = 100;
constexpr int kConnectionRightOfMiddle = 10;
constexpr int kConnectionFromBottom = 140;

bool isReverseGrey(int colourTable) {
    return colourTable == ColourTables::ReverseGrey;
}
}  // namespace

Colour textColour(Colour usual, int colourTable) {
    return isReverseGrey(colourTable) ? kRed : usual;
}

Colour textBackground(int colourTable) {
    return isReverseGrey(colourTable) ? kWhite : kBlack;
}

std::string rangeText(int rangeIndex, bool imperial) {
    const int metres = rangeMetres(rangeIndex);
    char buf[32];
    if (imperial) {
        std::snprintf(buf, sizeof buf, "%d ft", metres * kFeetPerMetre);
    } else {
        std::snprintf(buf, sizeof buf, "%d m", metres);
    }
    return buf;
}

std::string zoomText(double zoom) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d%%", static_cast<int>(zoom * 100.0));
    return buf;
}

TextItem rangeTextItem(int rangeIndex, bool imperial, int colourTable) {
    return {rangeText(rangeIndex, imperial), kRangeTextAt.x, kRangeTextAt.y, kOverlayTextPixels,
            textColour(kStatusYellow, colourTable)};
}

TextItem heldTagItem(int drawnWidth, int colourTable) {
    return {kHeldTag, drawnWidth - kHeldTagFromRight, 0, kOverlayTextPixels,
            textColour(kStatusYellow, colourTable)};
}

TextPosition connectionTextPosition(int drawnWidth, int imageHeight) {
    return {drawnWidth / 2 + kConnectionRightOfMiddle, imageHeight - kConnectionFromBottom};
}

TextItem connectionTextItem(const std::string& text, Colour usual, int drawnWidth, int imageHeight,
                            int colourTable) {
    const TextPosition at = connectionTextPosition(drawnWidth, imageHeight);
    return {text, at.x, at.y, kOverlayTextPixels, textColour(usual, colourTable)};
}

}  // namespace waterfall_view
