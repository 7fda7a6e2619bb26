#pragma once

#include <QImage>
#include <QPainter>
#include <array>
#include <vector>

#include "display/WaterfallImage.h"

// Keeps the waterfall converted to RGB at the width it is drawn, in the same ring order as the
// image, so a paint converts only the rows that changed since the last one and then copies two
// blocks. The palette conversion of unchanged rows is never repeated.
class WaterfallRenderer {
  public:
    using Palette = std::array<QRgb, 256>;

    // Brings the copy up to date with the image at drawn width W' (columns picked by nearest
    // neighbour from the image width W).
    void update(const WaterfallImage& image, const Palette& palette, int drawnWidth);
    // Draws the copy into (0, 0, W', H) of the painter's current transform.
    void draw(QPainter& painter) const;

    const QImage& converted() const { return rgb_; }
    // Rows converted by the last update (for tests and benchmarks).
    int lastConvertedRows() const { return lastConverted_; }

  private:
    void convertRow(const WaterfallImage& image, int y);

    QImage rgb_;
    std::vector<int> columnMap_;
    Palette palette_{};
    const WaterfallImage* source_ = nullptr;
    WaterfallImage::Stamp stamp_;
    int head_ = 0;
    int lastConverted_ = 0;
};
