#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "display/imagesave/PixelView.h"

// GIF holds at most 256 colours. A picture of the view uses the waterfall's palette and a few
// overlay colours, so it usually fits and is stored with exactly its own colours. Only a picture
// with more colours is reduced: it keeps the 256 colours whose loss would cost most (pixel count
// times the squared distance to the nearest other colour), so a rare overlay colour outlives one
// of two neighbouring grey levels; every other colour takes the nearest kept one. No dithering,
// so no noise over the image.
struct GifPalette {
    std::vector<std::uint32_t> colours;  // 0xRRGGBB, at most 256
    std::vector<std::uint8_t> indices;   // one per pixel, row by row
    bool exact = true;                   // every pixel kept its colour
};

constexpr std::size_t kGifMaxColours = 256;

GifPalette gifPaletteFor(const PixelView& image);

// The picture as a GIF file; nothing when giflib refuses it (e.g. larger than 65535 pixels).
std::optional<std::vector<std::uint8_t>> encodeGif(const PixelView& image);
