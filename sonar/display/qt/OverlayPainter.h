#pragma once

#include <QPainter>
#include <array>

#include "display/imagesave/Selection.h"
#include "display/measure/MeasureOverlay.h"
#include "display/qt/ViewFonts.h"

// Draws what the core computed for the measurement tools and the selection; no geometry here.
void paintMeasureOverlay(QPainter& painter, const measure::Overlay& overlay, ViewFonts& fonts);
// The selection rectangle: a 1-pixel dashed line in grey.
void paintSelectionOutline(QPainter& painter, const std::array<waterfall_view::Point, 5>& corners);
