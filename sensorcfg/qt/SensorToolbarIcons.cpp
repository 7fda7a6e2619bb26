#include "sensorcfg/qt/SensorToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
constexpr int kSize = 24;

void arrow(QPainter& p, bool down, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(4, down ? 17 : 3, 16, 4);  // the sensor board
    p.setBrush(colour);
    QPolygonF head;
    if (down) {
        head << QPointF(12, 16) << QPointF(6, 9) << QPointF(18, 9);
        p.drawRect(10, 3, 4, 7);
    } else {
        head << QPointF(12, 8) << QPointF(6, 15) << QPointF(18, 15);
        p.drawRect(10, 14, 4, 7);
    }
    p.drawPolygon(head);
}

void plug(QPainter& p, bool joined) {
    const QColor colour = joined ? QColor(0, 140, 0) : QColor(190, 0, 0);
    p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(colour);
    const int gap = joined ? 0 : 4;
    p.drawRect(QRectF(3, 9, 6 - gap / 2.0, 6));
    p.drawLine(QPointF(1, 12), QPointF(3, 12));
    p.drawRect(QRectF(15 + gap / 2.0, 9, 6 - gap / 2.0, 6));
    p.drawLine(QPointF(21, 12), QPointF(23, 12));
    p.drawLine(QPointF(9, 10.5), QPointF(15 - gap / 2.0, 10.5));
    p.drawLine(QPointF(9, 13.5), QPointF(15 - gap / 2.0, 13.5));
}

void draw(QPainter& p, SensorCommand id) {
    switch (id) {
        case SensorCommand::FileOpen: {
            p.setPen(QPen(QColor(120, 90, 0), 1));
            p.setBrush(QColor(240, 200, 60));
            QPainterPath folder;
            folder.moveTo(2, 6);
            folder.lineTo(9, 6);
            folder.lineTo(11, 8);
            folder.lineTo(21, 8);
            folder.lineTo(21, 20);
            folder.lineTo(2, 20);
            folder.closeSubpath();
            p.drawPath(folder);
            break;
        }
        case SensorCommand::FileSave:
            p.setPen(QPen(QColor(20, 40, 120), 1));
            p.setBrush(QColor(50, 90, 200));
            p.drawRect(3, 3, 18, 18);
            p.setBrush(Qt::white);
            p.drawRect(6, 3, 12, 7);
            p.setBrush(QColor(200, 200, 200));
            p.drawRect(7, 14, 10, 7);
            break;
        case SensorCommand::Connect:
            plug(p, true);
            break;
        case SensorCommand::Disconnect:
            plug(p, false);
            break;
        case SensorCommand::GetConfiguration:
            arrow(p, true, QColor(0, 110, 200));
            break;
        case SensorCommand::SendConfiguration:
            arrow(p, false, QColor(200, 110, 0));
            break;
        case SensorCommand::SensorConfiguration: {
            p.setPen(QPen(QColor(60, 60, 60), 3, Qt::SolidLine, Qt::FlatCap));
            for (int i = 0; i < 8; ++i) {
                p.save();
                p.translate(12, 12);
                p.rotate(45.0 * i);
                p.drawLine(QPointF(0, 6), QPointF(0, 10));
                p.restore();
            }
            p.setPen(QPen(QColor(60, 60, 60), 1));
            p.setBrush(QColor(150, 150, 150));
            p.drawEllipse(QPointF(12, 12), 7, 7);
            p.setBrush(QColor(230, 230, 230));
            p.drawEllipse(QPointF(12, 12), 3, 3);
            break;
        }
        case SensorCommand::FilePrint:
            p.setPen(QPen(QColor(50, 50, 50), 1));
            p.setBrush(Qt::white);
            p.drawRect(7, 2, 10, 8);
            p.setBrush(QColor(160, 160, 160));
            p.drawRect(3, 9, 18, 9);
            p.setBrush(Qt::white);
            p.drawRect(7, 15, 10, 7);
            break;
        default:
            break;
    }
}
}  // namespace

QIcon sensorToolbarIcon(SensorCommand id) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, id);
    p.end();
    return QIcon(pixmap);
}
