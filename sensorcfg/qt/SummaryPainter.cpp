#include "sensorcfg/qt/SummaryPainter.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kPointSize = 10;  // 200 twips
}

QFont SummaryPainter::valueFont() {
    QFont f(QStringLiteral("Liberation Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    if (!QFontInfo(f).fixedPitch()) {
        f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    f.setPointSize(kPointSize);
    f.setWeight(QFont::Normal);
    return f;
}

QFont SummaryPainter::labelFont() {
    QFont f = valueFont();
    f.setWeight(QFont::Bold);
    return f;
}

SummaryPainter::SummaryPainter(QPaintDevice* device) {
    const QFontMetrics m(valueFont(), device);
    charWidth_ = std::max(1, m.averageCharWidth());
    lineHeight_ = std::max(1, m.height() + m.leading());
    ascent_ = m.ascent();
}

QSize SummaryPainter::size(const SummaryExtent& extent) const {
    return {(extent.columns + 2) * charWidth_, (extent.rows + 2) * lineHeight_};
}

void SummaryPainter::paint(QPainter& painter, const std::vector<SummaryCell>& cells, int firstRow,
                           int endRow) const {
    const QColor text = painter.pen().color();
    const QFont label = labelFont();
    const QFont value = valueFont();
    for (const SummaryCell& cell : cells) {
        if (cell.row < firstRow || cell.row >= endRow) {
            continue;
        }
        painter.setFont(cell.label ? label : value);
        painter.setPen(cell.label ? QColor(0, 0, 255) : text);
        const int x = (cell.column + 1) * charWidth_;
        const int y = (cell.row - firstRow + 1) * lineHeight_ + ascent_;
        painter.drawText(x, y, QString::fromStdString(cell.text));
    }
    painter.setPen(text);
}
