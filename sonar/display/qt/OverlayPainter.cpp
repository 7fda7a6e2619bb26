#include "display/qt/OverlayPainter.h"

#include <QPolygon>

namespace {
constexpr QColor kSelectionGrey(155, 155, 155);
// Room for any label: the text is not clipped to its box.
constexpr int kTextRoom = 1000;

QColor qcolour(waterfall_view::Colour c) {
    return QColor(c.r, c.g, c.b);
}
}  // namespace

void paintMeasureOverlay(QPainter& p, const measure::Overlay& overlay, ViewFonts& fonts) {
    for (const measure::OverlayLine& l : overlay.lines) {
        p.setPen(QPen(qcolour(l.colour), 1));
        p.drawLine(l.from.x, l.from.y, l.to.x, l.to.y);
    }
    for (const measure::OverlayLabel& l : overlay.labels) {
        if (l.boxShown) {
            p.fillRect(l.box.x, l.box.y, l.box.width, l.box.height, qcolour(l.boxColour));
        }
        p.setFont(fonts.font(l.textPixels));
        p.setPen(qcolour(l.textColour));
        p.drawText(QRect(l.textAt.x, l.textAt.y, kTextRoom, kTextRoom),
                   Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(l.text));
    }
}

void paintSelectionOutline(QPainter& p, const std::array<waterfall_view::Point, 5>& corners) {
    QPen pen(kSelectionGrey, 1, Qt::DashLine);
    p.setPen(pen);
    QPolygon polyline;
    for (const waterfall_view::Point& c : corners) {
        polyline << QPoint(c.x, c.y);
    }
    p.drawPolyline(polyline);
}
