#include "gps/qt/CGPSTrackView.h"

#include <QContextMenuEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "document/CKeelbrookDoc.h"

namespace {
const QColor kGrid(0x78, 0x78, 0x78);
const QColor kLabel(0xFA, 0xFA, 0xFA);
const QColor kTrack(0, 255, 0);
constexpr int kLabelPixels = 18;
}  // namespace

CGPSTrackView::CGPSTrackView(CKeelbrookDoc& doc, std::function<void(CommandId)> runCommand)
    : doc_(doc), runCommand_(std::move(runCommand)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 90);
}

void CGPSTrackView::resetView() {
    view_.reset();
    update();
}

void CGPSTrackView::restoreImage() {
    doc_.settings().gpsZoom = track_zoom::kDefault;
    const TrackPoint boat =
        doc_.gps().shared().with([](const GpsData& d) { return d.track.position(); });
    view_.recentre(boat, track_zoom::kDefault);
    update();
}

void CGPSTrackView::resizeEvent(QResizeEvent*) {
    view_.resize(width(), height());
}

QImage CGPSTrackView::render() {
    QImage back(size(), QImage::Format_ARGB32);
    back.fill(Qt::black);
    QPainter p(&back);
    const bool imperial = doc_.settings().units == 1;
    const double zoom = doc_.settings().gpsZoom;

    QPen grid(kGrid, 1, Qt::DashLine);
    p.setPen(grid);
    const TrackView::Grid g = view_.grid(imperial);
    for (const int x : g.xs) {
        p.drawLine(x, 0, x, height());
    }
    for (const int y : g.ys) {
        p.drawLine(0, y, width(), y);
    }
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kLabelPixels);
    p.setFont(font);
    p.setPen(kLabel);
    p.drawText(QRect(0, 0, width(), kLabelPixels * 2), Qt::AlignLeft | Qt::AlignTop,
               QString::fromStdString(track_zoom::gridLabel(zoom, imperial)));

    doc_.gps().shared().with([&](const GpsData& d) {
        const TrackView::Placement at = view_.place(d.track.position(), zoom);
        p.translate(at.originX, at.originY);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        const double r = TrackView::kBoatDiameter / 2.0;
        p.drawEllipse(QPointF(at.boatX, at.boatY), r, r);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.scale(zoom, zoom);
        QPen track(kTrack);
        track.setWidth(0);  // one pixel at every zoom
        p.setPen(track);
        p.setBrush(Qt::NoBrush);
        QPolygon line;
        line.reserve(static_cast<int>(d.track.outline().size()));
        for (const TrackPoint& t : d.track.outline()) {
            line << QPoint(t.x, t.y);
        }
        p.drawPolyline(line);
    });
    return back;
}

void CGPSTrackView::paintEvent(QPaintEvent*) {
    saveWindowRect();
    const QImage back = render();
    QPainter(this).drawImage(0, 0, back);
}

void CGPSTrackView::saveWindowRect() {
    const QWidget* frame = parentWidget() ? parentWidget() : this;
    const QRect r = frame->geometry();
    SettingsRecord& s = doc_.settings();
    s.gpsTrackWindowLeft = r.left();
    s.gpsTrackWindowTop = r.top();
    s.gpsTrackWindowRight = r.right() + 1;
    s.gpsTrackWindowBottom = r.bottom() + 1;
}

void CGPSTrackView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        view_.mouseDown(e->position().toPoint().x(), e->position().toPoint().y());
    }
}

void CGPSTrackView::mouseMoveEvent(QMouseEvent* e) {
    if (view_.mouseMove(e->position().toPoint().x(), e->position().toPoint().y())) {
        update();
    }
}

void CGPSTrackView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        view_.mouseUp();
    }
}

void CGPSTrackView::contextMenuEvent(QContextMenuEvent* e) {
    QMenu menu(this);
    const std::pair<CommandId, const char*> items[] = {
        {CommandId::GpsCommPortSettings, "GPS Comm Port &Settings"},
        {CommandId::SpeedCorrection, "&Speed Correction"},
        {CommandId::EraseGpsTracks, "&Erase GPS Tracks"},
        {CommandId::GpsZoomIn, "Zoom &In"},
        {CommandId::GpsZoomOut, "Zoom &Out"},
    };
    for (const auto& [id, text] : items) {
        QAction* a = menu.addAction(QString::fromUtf8(text));
        if (id == CommandId::SpeedCorrection) {
            a->setCheckable(true);
            a->setChecked(doc_.isChecked(id));
        }
        connect(a, &QAction::triggered, this, [this, id = id] { runCommand_(id); });
    }
    menu.exec(e->globalPos());
}
