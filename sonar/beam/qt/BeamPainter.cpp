#include "beam/qt/BeamPainter.h"

#include <QFontMetrics>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>
#include <QVector>

namespace {
// The arrow cap of the axes and the height line: 4 pixels wide at its base, 8 long.
constexpr double kArrowLength = 8.0;
constexpr double kArrowHalfWidth = 2.0;
constexpr int kOpaquePadding = 3;

QColor qcolour(beam::Colour c) {
    return QColor(c.r, c.g, c.b);
}
QPoint qpoint(beam::Point p) {
    return QPoint(p.x, p.y);
}
QRect qrect(const beam::Rect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

void arrowHead(QPainter& p, QPointF tip, QPointF from, const QColor& colour) {
    const QLineF back(tip, from);
    if (back.length() <= 0) {
        return;
    }
    const QPointF unit = (from - tip) / back.length();
    const QPointF normal(-unit.y(), unit.x());
    const QPointF base = tip + unit * kArrowLength;
    const QPolygonF head{tip, base + normal * kArrowHalfWidth, base - normal * kArrowHalfWidth};
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
    p.restore();
}
}  // namespace

QFont& BeamPainter::font(int pixels) {
    if (font_.family() != QStringLiteral("Arial") || font_.pixelSize() != pixels) {
        font_ = QFont(QStringLiteral("Arial"));
        font_.setPixelSize(std::max(pixels, 1));
    }
    return font_;
}

void BeamPainter::paint(QPainter& p, const beam::BeamDrawing& d) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(qrect(d.canvas), qcolour(d.background));
    if (d.empty) {
        p.restore();
        return;
    }
    p.setClipRect(qrect(d.canvas));
    p.fillRect(qrect(d.diagram), qcolour(d.diagramFill));

    p.save();
    p.setClipRect(qrect(d.fanClip), Qt::IntersectClip);
    paintFan(p, d);
    p.setPen(QPen(qcolour(d.outlineColour), 1));
    p.setBrush(Qt::NoBrush);
    for (const beam::Pie& pie : d.outline) {
        // Qt counts angles anticlockwise in sixteenths of a degree.
        p.drawPie(qrect(pie.bounds), static_cast<int>(-pie.startDeg * 16),
                  static_cast<int>(-pie.sweepDeg * 16));
    }
    for (const beam::Stroke& axis : d.axes) {
        paintStroke(p, axis);
    }
    p.restore();

    // The frame is drawn inside the diagram's rectangle, so its right and bottom edges show.
    p.setPen(QPen(qcolour(d.frameColour), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(qrect(d.diagram).adjusted(0, 0, -1, -1));
    p.setPen(QPen(qcolour(d.towfishColour), 1));
    p.drawEllipse(qrect(d.towfishCircle));
    paintStroke(p, d.depthLine);
    paintStroke(p, d.heightLine);
    paintStroke(p, d.bottomLine);
    p.setPen(QPen(qcolour(d.hatchColour), 1));
    for (const beam::Segment& s : d.hatch) {
        p.drawLine(qpoint(s.a), qpoint(s.b));
    }
    p.setPen(QPen(qcolour(d.markColour), 1));
    for (const beam::Segment& s : d.marks) {
        p.drawLine(qpoint(s.a), qpoint(s.b));
    }
    paintLabel(p, d.bottomText, d.textColour, d.diagramFill);
    p.setPen(QPen(qcolour(d.scaleColour), 1));
    p.drawLine(qpoint(d.scaleBase.a), qpoint(d.scaleBase.b));
    for (const beam::Segment& s : d.scaleTicks) {
        p.drawLine(qpoint(s.a), qpoint(s.b));
    }
    for (const beam::Label& l : d.scaleLabels) {
        paintLabel(p, l, d.scaleColour, d.diagramFill);
    }
    paintLabel(p, d.rangeLabel, d.textColour, d.diagramFill);
    paintLabel(p, d.heightLabel, d.textColour, d.diagramFill);
    p.restore();
}

void BeamPainter::paintFan(QPainter& p, const beam::BeamDrawing& d) {
    QPen pen(Qt::black, d.rayWidth, Qt::SolidLine, Qt::FlatCap);
    QVector<QLine> run;
    run.reserve(static_cast<int>(d.rays.size()));
    // Neighbouring rays often share a colour: draw each run in one call, in the given order.
    for (std::size_t i = 0; i < d.rays.size(); ++i) {
        const beam::Ray& r = d.rays[i];
        run.push_back(QLine(qpoint(r.line.a), qpoint(r.line.b)));
        const bool last = i + 1 == d.rays.size() || !(d.rays[i + 1].colour == r.colour);
        if (last) {
            pen.setColor(qcolour(r.colour));
            p.setPen(pen);
            p.drawLines(run);
            run.clear();
        }
    }
}

void BeamPainter::paintStroke(QPainter& p, const beam::Stroke& s) {
    const QColor colour = qcolour(s.colour);
    QPen pen(colour, s.width, s.dashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap);
    if (s.dashed) {
        pen.setDashOffset(s.dashOffset);
    }
    p.setPen(pen);
    const QPointF a = qpoint(s.line.a);
    const QPointF b = qpoint(s.line.b);
    p.drawLine(a, b);
    if (s.arrowAtEnd) {
        arrowHead(p, b, a, colour);
    }
    if (s.arrowAtStart) {
        arrowHead(p, a, b, colour);
    }
}

void BeamPainter::paintLabel(QPainter& p, const beam::Label& l, beam::Colour colour,
                             beam::Colour fill) {
    if (l.text.empty()) {
        return;
    }
    const QString text = QString::fromStdString(l.text);
    p.setFont(font(l.size));
    const QFontMetrics fm(p.font());
    const int width = fm.horizontalAdvance(text);
    int x = l.at.x;
    if (l.anchor == beam::Anchor::Centre) {
        x -= width / 2;
    } else if (l.anchor == beam::Anchor::Right) {
        x -= width;
    }
    if (l.opaque) {
        p.fillRect(QRect(x - kOpaquePadding, l.at.y, width + 2 * kOpaquePadding, fm.height()),
                   qcolour(fill));
    }
    p.setPen(qcolour(colour));
    p.drawText(QPoint(x, l.at.y + fm.ascent()), text);
}

void BeamPainter::paintPanelTexts(QPainter& p, const beam::PanelLayout& panel,
                                  beam::Colour colour) {
    for (const beam::Label& l : panel.labels) {
        paintLabel(p, l, colour, colour);
    }
}
