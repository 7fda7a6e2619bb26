#pragma once

#include <QImage>
#include <QPainter>
#include <array>
#include <string>
#include <unordered_map>

#include "display/imagesave/Selection.h"
#include "display/measure/MeasureOverlay.h"
#include "display/qt/ViewFonts.h"

// Draws what the core computed for the measurement tools and the selection; no geometry here.
// A label's text is laid out once and kept as a small image: with a hundred items on the
// picture, text layout would otherwise cost more than the waterfall itself.
class OverlayPainter {
  public:
    void paint(QPainter& painter, const measure::Overlay& overlay, ViewFonts& fonts);

  private:
    const QImage& textImage(const measure::OverlayLabel& label, ViewFonts& fonts);

    std::unordered_map<std::string, QImage> texts_;
};

// The selection rectangle: a 1-pixel dashed line in grey.
void paintSelectionOutline(QPainter& painter, const std::array<waterfall_view::Point, 5>& corners);
