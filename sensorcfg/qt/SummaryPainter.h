#pragma once

#include <QFont>
#include <QSize>
#include <vector>

#include "sensorcfg/SummaryRows.h"

class QPainter;
class QPaintDevice;

// Draws the summary grid: column c at (c + 1) character widths, row r at (r + 1) line heights,
// labels bold blue, values regular, both in a 10-point fixed-pitch font measured for the
// device drawn on (screen or printer page).
class SummaryPainter {
  public:
    explicit SummaryPainter(QPaintDevice* device);

    int charWidth() const { return charWidth_; }
    int lineHeight() const { return lineHeight_; }
    // The grid with a margin of one column and one row on every side.
    QSize size(const SummaryExtent& extent) const;

    // Rows [firstRow, endRow) drawn with firstRow at the top of the grid.
    void paint(QPainter& painter, const std::vector<SummaryCell>& cells, int firstRow = 0,
               int endRow = 1 << 30) const;

    static QFont valueFont();
    static QFont labelFont();

  private:
    int charWidth_ = 8;
    int lineHeight_ = 16;
    int ascent_ = 12;
};
