#include "display/qt/CKeelbrookView.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include "display/ViewGeometry.h"
#include "display/ViewTexts.h"
#include "document/CKeelbrookDoc.h"

namespace wv = waterfall_view;

namespace {
QColor qcolour(wv::Colour c) {
    return QColor(c.r, c.g, c.b);
}

WaterfallRenderer::Palette paletteOf(const ColourTables::Table& table) {
    WaterfallRenderer::Palette p{};
    for (std::size_t i = 0; i < p.size(); ++i) {
        p[i] = qRgb(table[i].r, table[i].g, table[i].b);
    }
    return p;
}
}  // namespace

CKeelbrookView::CKeelbrookView(CKeelbrookDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    // Every pixel is painted each time: no background erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setObjectName(QStringLiteral("sonarView"));
}

int CKeelbrookView::imageWidth() const {
    return width() / wv::kImageWidthMultiple * 4;
}

int CKeelbrookView::drawnWidth() const {
    return wv::drawnWidth(imageWidth(), doc_.pipeline().settings().colourIndicatorShown());
}

QFont& CKeelbrookView::font(int pixels) {
    const std::size_t i = static_cast<std::size_t>(std::clamp(pixels, 1, 31));
    if (fonts_[i].pixelSize() != static_cast<int>(i)) {
        fonts_[i] = QFont(QStringLiteral("Arial"));
        fonts_[i].setPixelSize(static_cast<int>(i));
    }
    return fonts_[i];
}

const WaterfallImage& CKeelbrookView::shownImage() const {
    // The held copy stands still in live operation; playback always shows the live image.
    return doc_.hold() && !doc_.playback() ? doc_.pipeline().held() : doc_.pipeline().image();
}

void CKeelbrookView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintView(p);
    p.end();
    updateMouseTexts();
    if (painted_) {
        painted_();
    }
}

void CKeelbrookView::paintView(QPainter& p) {
    p.fillRect(rect(), Qt::black);
    const WaterfallImage& image = shownImage();
    if (image.empty()) {
        drawTexts(p, drawnWidth(), height());
        return;
    }
    const int w = image.width();
    const int h = image.height();
    const int drawnW = wv::drawnWidth(w, doc_.pipeline().settings().colourIndicatorShown());
    renderer_.update(image, paletteOf(doc_.pipeline().palette()), drawnW);

    p.save();
    p.setClipRect(0, 0, drawnW, h);
    p.translate(-nav_.pan().x, -nav_.pan().y);
    p.scale(nav_.zoom(), nav_.zoom());
    renderer_.draw(p);
    p.restore();

    drawRangeScale(p, drawnW, h);
    drawTexts(p, drawnW, h);
    drawIndicator(p, w, h);
}

void CKeelbrookView::drawRangeScale(QPainter& p, int drawnW, int imageH) {
    const SettingsRecord& s = doc_.settings();
    wv::RangeScaleRequest rq;
    rq.layout = doc_.pipeline().settings().sideLayout();
    rq.imperial = s.units == 1;
    rq.rangeIndex = doc_.head().command().rangeIndex();
    rq.zoom = nav_.zoom();
    rq.panX = nav_.pan().x;
    rq.drawnWidth = drawnW;
    rq.imageHeight = imageH;
    rq.showGrid = s.showGrid;
    rq.textPixels = s.markerTextSize;
    rq.colourTable = doc_.pipeline().settings().colourTable();
    const wv::RangeScale scale = wv::rangeScale(rq);
    for (const wv::ScaleLine& l : scale.lines) {
        p.setPen(QPen(qcolour(l.colour), 1));
        p.drawLine(l.x, l.fromY, l.x, l.toY);
    }
    p.setFont(font(rq.textPixels));
    for (const wv::ScaleLabel& l : scale.labels) {
        const QRect box(l.box.x, l.box.y, l.box.width, l.box.height);
        p.fillRect(box, qcolour(l.fill));
        p.setPen(QPen(qcolour(l.border), 1));
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setPen(qcolour(l.textColour));
        p.drawText(QRect(l.box.x, l.textTop, l.box.width, l.box.height),
                   Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(l.text));
    }
}

void CKeelbrookView::drawTexts(QPainter& p, int drawnW, int imageH) {
    const int table = doc_.pipeline().settings().colourTable();
    auto draw = [&](const wv::TextItem& t) {
        p.setFont(font(t.pixelSize));
        p.setPen(qcolour(t.colour));
        p.drawText(QRect(t.x, t.y, width(), t.pixelSize * 2), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromStdString(t.text));
    };
    if (showRange_) {
        draw(wv::rangeTextItem(doc_.head().command().rangeIndex(), doc_.settings().units == 1,
                               table));
    }
    if (doc_.hold()) {
        draw(wv::heldTagItem(drawnW, table));
    }
    const std::optional<BannerText> banner =
        banner_.next(doc_.connectionState(), doc_.noRxData(), doc_.playback());
    if (banner) {
        draw(wv::connectionTextItem(banner->text, banner->colour, drawnW, imageH, table));
    }
}

void CKeelbrookView::drawIndicator(QPainter& p, int imageW, int imageH) {
    if (!doc_.pipeline().settings().colourIndicatorShown()) {
        return;
    }
    const ColourIndicator& ind = doc_.pipeline().indicator();
    const QImage bar(ind.data(), ColourIndicator::kWidth, ColourIndicator::kHeight,
                     ColourIndicator::kWidth * 3, QImage::Format_RGB888);
    p.drawImage(QRect(imageW - wv::kIndicatorWidth, 0, wv::kIndicatorWidth, imageH), bar);
}

void CKeelbrookView::updateMouseTexts() {
    const bool inside = !inWorkingArea_ || inWorkingArea_();
    const WaterfallImage& image = shownImage();
    const auto cell = nav_.cellUnderMouse(image.width(), image.height());
    mouseTexts_ = {};
    if (!inside || !cell) {
        return;
    }
    const RowRecord* r = image.record(cell->row);
    if (!r) {
        return;
    }
    const std::string_view time = r->time().substr(0, 8);
    mouseTexts_[1] = QString::fromLatin1(time.data(), static_cast<int>(time.size()));
    mouseTexts_[0] = time.empty() ? QString() : QString::fromStdString(doc_.dateText());
    for (std::size_t i = 0; i < RowRecord::kGpsTextCount; ++i) {
        const std::string_view g = r->gpsText(i);
        mouseTexts_[2 + i] = QString::fromLatin1(g.data(), static_cast<int>(g.size()));
    }
}

void CKeelbrookView::resizeEvent(QResizeEvent*) {
    doc_.resizeImage(width(), height());
    update();
}

void CKeelbrookView::handleMove(QPoint at, bool fromKey) {
    const wv::MoveResult r = nav_.moveMouse({at.x(), at.y()}, drawnWidth(), height());
    const bool live = doc_.playback() || doc_.connectionState() == ConnectionState::Connected;
    // While pings arrive the next one repaints anyway.
    if (r.panned || doc_.hold() || !live || fromKey) {
        update();
    }
}

void CKeelbrookView::mouseMoveEvent(QMouseEvent* e) {
    handleMove(e->position().toPoint(), false);
}

void CKeelbrookView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        const QPoint at = e->position().toPoint();
        nav_.pressLeft({at.x(), at.y()}, false);
    }
}

void CKeelbrookView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        nav_.releaseLeft();
    }
}

void CKeelbrookView::leaveEvent(QEvent*) {
    nav_.captureLost();
    update();
}

void CKeelbrookView::zoomChanged(wv::ZoomResult) {
    update();
    if (painted_) {
        painted_();
    }
}

bool CKeelbrookView::execute(CommandId id) {
    if (!isViewCommand(id)) {
        return false;
    }
    auto arrow = [this](wv::ArrowKey key) {
        const wv::Point p = wv::nudge(nav_.mouse(), key);
        QCursor::setPos(mapToGlobal(QPoint(p.x, p.y)));
        handleMove(QPoint(p.x, p.y), true);
    };
    switch (id) {
        case CommandId::ZoomIn:
            zoomChanged(nav_.zoomIn());
            return true;
        case CommandId::ZoomOut:
            zoomChanged(nav_.zoomOut());
            return true;
        case CommandId::Restore:
            nav_.restore();
            zoomChanged(wv::ZoomResult::Restored);
            return true;
        case CommandId::ZoomAboutMouse:
            zoomChanged(nav_.zoomAboutMouse());
            return true;
        case CommandId::ShowRange:
            showRange_ = !showRange_;
            update();
            return true;
        case CommandId::MouseDown:
            arrow(wv::ArrowKey::Down);
            return true;
        case CommandId::MouseLeft:
            arrow(wv::ArrowKey::Left);
            return true;
        case CommandId::MouseRight:
            arrow(wv::ArrowKey::Right);
            return true;
        case CommandId::MouseUp:
            arrow(wv::ArrowKey::Up);
            return true;
        default:
            return false;
    }
}

bool CKeelbrookView::isViewCommand(CommandId id) {
    switch (id) {
        case CommandId::ZoomIn:
        case CommandId::ZoomOut:
        case CommandId::Restore:
        case CommandId::ZoomAboutMouse:
        case CommandId::ShowRange:
        case CommandId::MouseDown:
        case CommandId::MouseLeft:
        case CommandId::MouseRight:
        case CommandId::MouseUp:
            return true;
        default:
            return false;
    }
}

std::optional<bool> CKeelbrookView::isChecked(CommandId id) const {
    if (id == CommandId::ShowRange) {
        return showRange_;
    }
    return std::nullopt;
}
