#pragma once

#include <cstdint>
#include <string>

// Texts the waterfall view draws over the image, and the colours they are drawn in. The view only
// paints what these return.
namespace waterfall_view {

// Every colour of the view is opaque.
struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Colour&) const = default;
};

struct TextItem {
    std::string text;
    int x = 0;
    int y = 0;
    int pixelSize = 0;
    Colour colour;
};

struct TextPosition {
    int x = 0;
    int y = 0;
    bool operator==(const TextPosition&) const = default;
};

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kRed{255, 0, 0};
constexpr Colour kStatusYellow{255, 255, 0};

constexpr int kOverlayTextPixels = 22;
constexpr int kFeetPerMetre = 3;  // range texts and grid labels use the round factor

// On the light Reverse Grey table the usual yellow texts on black would vanish, so texts turn
// red and their boxes white.
Colour textColour(Colour usual, int colourTable);
Colour textBackground(int colourTable);

// "%d m" of the range in metres, or "%d ft" of metres x 3; shared with the status bar.
std::string rangeText(int rangeIndex, bool imperial);
// "%d%" of the zoom factor x 100, for the status bar.
std::string zoomText(double zoom);

// The range text at the top left corner.
TextItem rangeTextItem(int rangeIndex, bool imperial, int colourTable);
// The " (HELD)" tag near the top right corner of the drawn image.
TextItem heldTagItem(int drawnWidth, int colourTable);
// Where the connection state text goes: right of the middle, above the bottom.
TextPosition connectionTextPosition(int drawnWidth, int imageHeight);
TextItem connectionTextItem(const std::string& text, Colour usual, int drawnWidth, int imageHeight,
                            int colourTable);

}  // namespace waterfall_view
