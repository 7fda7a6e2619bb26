#include "display/qt/OverlayPainter.h"

#include <QFontMetrics>
#include <QLine>
#include <QPolygon>
#include <algorithm>
#include <cstdlib>

namespace {
constexpr QColor kSelectionGrey(155, 155, 155);
// Room for any label: the text is not clipped to its box.
constexpr int kTextRoom = 1000;
// Texts kept; the labels on screen are far fewer, so the store is simply emptied when full.
constexpr std::size_t kMaxTexts = 512;

QColor qcolour(waterfall_view::Colour c) {
    return QColor(c.r, c.g, c.b);
}

std::string keyOf(const measure::OverlayLabel& l) {
    const waterfall_view::Colour c = l.textColour;
    return l.text + '\0' + std::to_string(l.textPixels) + ':' + std::to_string(c.r) + ',' +
           std::to_string(c.g) + ',' + std::to_string(c.b);
}
}  // namespace

const QImage& OverlayPainter::textImage(const measure::OverlayLabel& l, ViewFonts& fonts) {
    const std::string key = keyOf(l);
    auto it = texts_.find(key);
    if (it != texts_.end()) {
        return it->second;
    }
    if (texts_.size() >= kMaxTexts) {
        texts_.clear();
    }
    const QFont& font = fonts.font(l.textPixels);
    const QString text = QString::fromStdString(l.text);
    const QRect bounds = QFontMetrics(font).boundingRect(QRect(0, 0, kTextRoom, kTextRoom),
                                                         Qt::AlignLeft | Qt::AlignTop, text);
    QImage image(bounds.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(qcolour(l.textColour));
    p.drawText(QRect(0, 0, kTextRoom, kTextRoom), Qt::AlignLeft | Qt::AlignTop, text);
    p.end();
    return texts_.emplace(key, std::move(image)).first->second;
}

void OverlayPainter::paint(QPainter& p, const measure::Overlay& overlay, ViewFonts& fonts) {
    // Nearly every line is level or upright (ranges, heights, crosses): those are filled as
    // one-pixel rectangles, the same pixels as a one-pixel line at a fraction of the cost.
    std::vector<QLine> slanted;
    for (const measure::OverlayLine& l : overlay.lines) {
        const QColor colour = qcolour(l.colour);
        const int left = std::min(l.from.x, l.to.x);
        const int top = std::min(l.from.y, l.to.y);
        if (l.from.y == l.to.y) {
            p.fillRect(left, top, std::abs(l.to.x - l.from.x) + 1, 1, colour);
        } else if (l.from.x == l.to.x) {
            p.fillRect(left, top, 1, std::abs(l.to.y - l.from.y) + 1, colour);
        } else {
            p.setPen(QPen(colour, 1));
            p.drawLine(l.from.x, l.from.y, l.to.x, l.to.y);
        }
    }
    for (const measure::OverlayLabel& l : overlay.labels) {
        if (l.boxShown) {
            p.fillRect(l.box.x, l.box.y, l.box.width, l.box.height, qcolour(l.boxColour));
        }
        p.drawImage(QPoint(l.textAt.x, l.textAt.y), textImage(l, fonts));
    }
}

void paintSelectionOutline(QPainter& p, const std::array<waterfall_view::Point, 5>& corners) {
    p.setPen(QPen(kSelectionGrey, 1, Qt::DashLine));
    QPolygon polyline;
    for (const waterfall_view::Point& c : corners) {
        polyline << QPoint(c.x, c.y);
    }
    p.drawPolyline(polyline);
}
