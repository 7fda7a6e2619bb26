#include "app/qt/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
constexpr int kSize = 32;
const QColor kInk(30, 30, 30);
const QColor kAccent(0, 110, 190);

void arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d * 6 + n * 4);
    p.drawLine(to, to - d * 6 - n * 4);
}

void letterWithArrow(QPainter& p, const QString& letter, bool up) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(1, 4, 18, 24), Qt::AlignCenter, letter);
    p.setPen(QPen(up ? QColor(0, 140, 0) : QColor(190, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
    arrow(p, QPointF(25, up ? 26 : 6), QPointF(25, up ? 6 : 26));
}

void magnifier(QPainter& p, bool plus) {
    p.setPen(QPen(kInk, 3));
    p.drawEllipse(QPointF(13, 13), 9, 9);
    p.drawLine(QPointF(20, 20), QPointF(29, 29));
    p.setPen(QPen(kAccent, 2.5));
    p.drawLine(QPointF(8, 13), QPointF(18, 13));
    if (plus) {
        p.drawLine(QPointF(13, 8), QPointF(13, 18));
    }
}

void paint(QPainter& p, CommandId id) {
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (id) {
        case CommandId::ConnectToSonarHead: {
            // A plug meeting a socket.
            p.setBrush(kAccent);
            p.drawRect(QRectF(4, 11, 10, 10));
            p.drawLine(QPointF(14, 13), QPointF(19, 13));
            p.drawLine(QPointF(14, 19), QPointF(19, 19));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(20, 9, 8, 14));
            break;
        }
        case CommandId::Playback: {
            QPainterPath tri;
            tri.moveTo(9, 6);
            tri.lineTo(26, 16);
            tri.lineTo(9, 26);
            tri.closeSubpath();
            p.fillPath(tri, QColor(0, 140, 0));
            p.drawPath(tri);
            break;
        }
        case CommandId::RecordData:
            p.setBrush(QColor(210, 0, 0));
            p.drawEllipse(QPointF(16, 16), 10, 10);
            break;
        case CommandId::StopRecording:
            p.setBrush(kInk);
            p.drawRect(QRectF(8, 8, 16, 16));
            break;
        case CommandId::IncreaseRange:
            letterWithArrow(p, QStringLiteral("R"), true);
            break;
        case CommandId::DecreaseRange:
            letterWithArrow(p, QStringLiteral("R"), false);
            break;
        case CommandId::IncreaseGain:
            letterWithArrow(p, QStringLiteral("G"), true);
            break;
        case CommandId::DecreaseGain:
            letterWithArrow(p, QStringLiteral("G"), false);
            break;
        case CommandId::ClearScreen:
            p.drawRect(QRectF(5, 5, 22, 22));
            p.setPen(QPen(QColor(190, 0, 0), 3));
            p.drawLine(QPointF(10, 10), QPointF(22, 22));
            p.drawLine(QPointF(22, 10), QPointF(10, 22));
            break;
        case CommandId::Hold:
            p.setBrush(kAccent);
            p.drawRect(QRectF(8, 6, 5, 20));
            p.drawRect(QRectF(19, 6, 5, 20));
            break;
        case CommandId::ZoomIn:
            magnifier(p, true);
            break;
        case CommandId::ZoomOut:
            magnifier(p, false);
            break;
        case CommandId::Select:
            p.setPen(QPen(kInk, 2, Qt::DashLine));
            p.drawRect(QRectF(5, 7, 22, 18));
            break;
        case CommandId::PlusMark:
            p.setPen(QPen(QColor(190, 0, 0), 3));
            p.drawLine(QPointF(16, 5), QPointF(16, 27));
            p.drawLine(QPointF(5, 16), QPointF(27, 16));
            break;
        case CommandId::TargetHeight:
            p.drawLine(QPointF(6, 27), QPointF(26, 27));
            p.setBrush(QColor(160, 160, 160));
            p.drawRect(QRectF(9, 15, 8, 12));
            p.setPen(QPen(kAccent, 2));
            arrow(p, QPointF(23, 26), QPointF(23, 8));
            break;
        case CommandId::MeasureRange:
            p.drawLine(QPointF(5, 6), QPointF(5, 26));
            p.setPen(QPen(kAccent, 2.5));
            arrow(p, QPointF(6, 16), QPointF(27, 16));
            break;
        case CommandId::MeasureDistance:
            p.setPen(QPen(kAccent, 2.5));
            arrow(p, QPointF(6, 26), QPointF(26, 6));
            arrow(p, QPointF(26, 6), QPointF(6, 26));
            break;
        case CommandId::ClearLinesMarks:
            p.setPen(QPen(kAccent, 2.5));
            p.drawLine(QPointF(4, 24), QPointF(20, 8));
            p.setPen(QPen(QColor(190, 0, 0), 3));
            p.drawLine(QPointF(18, 18), QPointF(28, 28));
            p.drawLine(QPointF(28, 18), QPointF(18, 28));
            break;
        case CommandId::Restore: {
            QFont f(QStringLiteral("Arial"));
            f.setPixelSize(15);
            f.setBold(true);
            p.setFont(f);
            p.drawRect(QRectF(3, 5, 26, 22));
            p.drawText(QRectF(3, 5, 26, 22), Qt::AlignCenter, QStringLiteral("1:1"));
            break;
        }
        case CommandId::About: {
            p.setBrush(kAccent);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(16, 16), 12, 12);
            QFont f(QStringLiteral("Arial"));
            f.setPixelSize(18);
            f.setBold(true);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
        default:
            break;
    }
}
}  // namespace

QIcon toolbarIcon(CommandId id) {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p, id);
    p.end();
    return QIcon(pm);
}
