#pragma once

#include <cstdint>

// Read-only 32-bit pixels 0xAARRGGBB (the alpha byte is ignored), rows top to bottom, `stride`
// pixels from one row to the next, so a view can show part of a larger picture without a copy.
struct PixelView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;

    std::uint32_t rgb(int x, int y) const {
        return pixels[static_cast<long>(y) * stride + x] & 0x00FFFFFFu;
    }
    bool empty() const { return pixels == nullptr || width <= 0 || height <= 0; }
    // The part from (x, y), width w, height h; the caller keeps it inside.
    PixelView part(int x, int y, int w, int h) const {
        return {pixels + static_cast<long>(y) * stride + x, w, h, stride};
    }
};
