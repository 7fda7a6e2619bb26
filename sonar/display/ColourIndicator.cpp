#include "display/ColourIndicator.h"

void ColourIndicator::paint(const ColourTables::Table& table) {
    for (int e = 0; e < kHeight; ++e) {
        const ColourTables::Rgb c = table[static_cast<std::size_t>(e)];
        std::uint8_t* row = pixels_.data() + (kHeight - 1 - e) * kStride;
        for (int x = 0; x < kWidth; ++x) {
            row[x * kBytesPerPixel] = c.r;
            row[x * kBytesPerPixel + 1] = c.g;
            row[x * kBytesPerPixel + 2] = c.b;
        }
    }
}

ColourTables::Rgb ColourIndicator::pixel(int x, int y) const {
    if (x < 0 || x >= kWidth || y < 0 || y >= kHeight) {
        return {};
    }
    const std::uint8_t* p = pixels_.data() + y * kStride + x * kBytesPerPixel;
    return {p[0], p[1], p[2]};
}
