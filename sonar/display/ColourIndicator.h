#pragma once

#include <array>
#include <cstdint>

#include "display/ColourTables.h"

// The colour bar beside the waterfall: 8 x 255 RGB pixels, top-down, entry 254 at the top and
// entry 0 at the bottom. The highlight entry is not shown.
class ColourIndicator {
  public:
    static constexpr int kWidth = 8;
    static constexpr int kHeight = 255;
    static constexpr int kBytesPerPixel = 3;
    static constexpr int kStride = kWidth * kBytesPerPixel;

    void paint(const ColourTables::Table& table);

    // kHeight rows of kStride bytes, each pixel red, green, blue.
    const std::uint8_t* data() const { return pixels_.data(); }
    ColourTables::Rgb pixel(int x, int y) const;

  private:
    std::array<std::uint8_t, kStride * kHeight> pixels_{};
};
