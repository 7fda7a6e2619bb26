#include "display/qt/WaterfallRenderer.h"

void WaterfallRenderer::update(const WaterfallImage& image, const Palette& palette,
                               int drawnWidth) {
    const int w = image.width();
    const int h = image.height();
    lastConverted_ = 0;
    if (image.empty() || drawnWidth <= 0) {
        rgb_ = QImage();
        source_ = nullptr;
        return;
    }
    int changed = image.rowsChangedSince(stamp_);
    if (rgb_.width() != drawnWidth || rgb_.height() != h || source_ != &image ||
        palette != palette_ || static_cast<int>(columnMap_.size()) != drawnWidth) {
        rgb_ = QImage(drawnWidth, h, QImage::Format_RGB32);
        columnMap_.resize(static_cast<std::size_t>(drawnWidth));
        for (int x = 0; x < drawnWidth; ++x) {
            columnMap_[static_cast<std::size_t>(x)] =
                static_cast<int>(static_cast<long long>(x) * w / drawnWidth);
        }
        palette_ = palette;
        source_ = &image;
        changed = h;
    }
    for (int y = 0; y < changed && y < h; ++y) {
        convertRow(image, y);
    }
    lastConverted_ = std::min(changed, h);
    head_ = image.physicalRow(0);
    stamp_ = image.stamp();
}

void WaterfallRenderer::convertRow(const WaterfallImage& image, int y) {
    const std::uint8_t* src = image.row(y);
    auto* dst = reinterpret_cast<QRgb*>(rgb_.scanLine(image.physicalRow(y)));
    const int n = rgb_.width();
    for (int x = 0; x < n; ++x) {
        dst[x] = palette_[src[columnMap_[static_cast<std::size_t>(x)]]];
    }
}

void WaterfallRenderer::draw(QPainter& painter) const {
    if (rgb_.isNull()) {
        return;
    }
    const int h = rgb_.height();
    const int w = rgb_.width();
    // Logical row 0 sits at ring row head_: the ring's tail comes first on screen.
    painter.drawImage(QPoint(0, 0), rgb_, QRect(0, head_, w, h - head_));
    if (head_ > 0) {
        painter.drawImage(QPoint(0, h - head_), rgb_, QRect(0, 0, w, head_));
    }
}
