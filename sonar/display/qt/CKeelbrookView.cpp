#include "display/qt/CKeelbrookView.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include "display/ViewGeometry.h"
#include "display/ViewTexts.h"
#include "display/measure/MeasureOverlay.h"
#include "display/measure/MeasureTarget.h"
#include "display/qt/OverlayPainter.h"

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

wv::Point pointOf(QPoint p) {
    return {p.x(), p.y()};
}
}  // namespace

CKeelbrookView::CKeelbrookView(ViewDocument& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), saver_(std::make_unique<ImageSaver>(doc.prompts(), encoder_)) {
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

const WaterfallImage& CKeelbrookView::shownImage() const {
    // The held copy stands still in live operation; playback always shows the live image.
    return doc_.hold() && !doc_.playback() ? doc_.pipeline().held() : doc_.pipeline().image();
}

measure::Scale CKeelbrookView::measureScale() const {
    const DisplaySettings& d = doc_.pipeline().settings();
    // The width the image is stretched into, so values agree with the grid drawn over it.
    return {d.sideLayout(), wv::drawnWidth(shownImage().width(), d.colourIndicatorShown()),
            nav_.zoom(), rangeMetres(doc_.head().command().rangeIndex())};
}

measure::LiveContext CKeelbrookView::measureContext() const {
    const WaterfallImage& image = shownImage();
    return {measureScale(), doc_.pipeline().settings().speedCorrection(),
            [&image](int row) { return image.repetition(row); }};
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
        targetText_.clear();
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
    drawMeasurements(p);
    drawTexts(p, drawnW, h);
    drawIndicator(p, w, h);
    if (!exporting_) {
        if (const auto outline = selection_.outline()) {
            paintSelectionOutline(p, *outline);
        }
    }
}

QImage CKeelbrookView::composeImage() {
    QImage picture(size(), QImage::Format_RGB32);
    QPainter p(&picture);
    exporting_ = true;
    paintView(p);
    exporting_ = false;
    return picture;
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
    p.setFont(fonts_.font(rq.textPixels));
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

void CKeelbrookView::drawMeasurements(QPainter& p) {
    const measure::Scale scale = measureScale();
    const bool imperial = doc_.settings().units == 1;
    const measure::OverlayStyle style{nav_.pan(), imperial, doc_.settings().markerTextSize,
                                      doc_.pipeline().settings().colourTable()};
    std::optional<wv::Point> mouse;
    double live = 0.0;
    targetText_.clear();
    if (nav_.mouseInImage()) {
        mouse = nav_.measurementPoint();
        if (tools_.active()) {
            live = tools_.liveValue(*mouse, measureContext());
        }
        targetText_ = QString::fromStdString(
            measure::targetText(measure::targetRange(*mouse, scale), imperial));
    }
    overlay_.paint(p, measure::buildOverlay(tools_, scale, style, mouse, live), fonts_);
}

void CKeelbrookView::drawTexts(QPainter& p, int drawnW, int imageH) {
    const int table = doc_.pipeline().settings().colourTable();
    auto draw = [&](const wv::TextItem& t) {
        p.setFont(fonts_.font(t.pixelSize));
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
    // A picture being saved must not advance the blink of the status text on screen.
    ConnectionBanner forSaving = banner_;
    ConnectionBanner& banner = exporting_ ? forSaving : banner_;
    const std::optional<BannerText> text =
        banner.next(doc_.connectionState(), doc_.noRxData(), doc_.playback());
    if (text) {
        draw(wv::connectionTextItem(text->text, text->colour, drawnW, imageH, table));
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
    const wv::MoveResult r = nav_.moveMouse(pointOf(at), drawnWidth(), height());
    const bool selecting = r.inImage && selection_.move(pointOf(at));
    const bool live = doc_.playback() || doc_.connectionState() == ConnectionState::Connected;
    // While pings arrive the next one repaints anyway; a tool's line follows the mouse at once.
    if (r.panned || selecting || tools_.active() || doc_.hold() || !live || fromKey) {
        update();
    }
}

void CKeelbrookView::mouseMoveEvent(QMouseEvent* e) {
    handleMove(e->position().toPoint(), false);
}

void CKeelbrookView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        return;
    }
    const wv::Point at = pointOf(e->position().toPoint());
    if (tools_.active()) {
        const wv::Point pan = nav_.pan();
        if (tools_.press({at.x + pan.x, at.y + pan.y}, measureContext())) {
            update();
        }
        if (const auto finished = tools_.takeFinished()) {
            if (const auto target = measure::placedTarget(*finished, shownImage(), nav_.zoom())) {
                doc_.targetPlaced(*target);
            }
        }
        return;
    }
    if (selection_.press(at)) {
        update();
        return;
    }
    nav_.pressLeft(at, false);
}

void CKeelbrookView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        return;
    }
    tools_.release();
    const QPoint at = e->position().toPoint();
    // A drag that ended outside the window keeps to its edge.
    if (selection_.release({std::clamp(at.x(), 0, width()), std::clamp(at.y(), 0, height())})) {
        update();
    }
    nav_.releaseLeft();
}

void CKeelbrookView::leaveEvent(QEvent*) {
    nav_.captureLost();
    update();
}

void CKeelbrookView::zoomChanged(wv::ZoomResult) {
    // Items are kept in zoomed pixels: at another zoom they would mark the wrong places.
    tools_.clearItems();
    update();
    if (painted_) {
        painted_();
    }
}

void CKeelbrookView::toggleTool(measure::Tool tool) {
    tools_.toggle(tool);
    update();
}

void CKeelbrookView::saveImage(bool selectedOnly) {
    const QImage picture = composeImage();
    PixelView pixels = pixelViewOf(picture);
    if (selectedOnly) {
        const auto area = selection_.area(picture.width(), picture.height());
        if (!area) {
            return;
        }
        pixels = pixels.part(area->x, area->y, area->width, area->height);
    }
    saver_->saveAs(pixels, doc_.settings().writeFileDir);
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
        case CommandId::MeasureRange:
            toggleTool(measure::Tool::Range);
            return true;
        case CommandId::MeasureDistance:
            toggleTool(measure::Tool::Distance);
            return true;
        case CommandId::TargetHeight:
            toggleTool(measure::Tool::Height);
            return true;
        case CommandId::PlusMark:
            toggleTool(measure::Tool::Mark);
            return true;
        case CommandId::ClearLinesMarks:
            tools_.clearItems();
            update();
            return true;
        case CommandId::ShowMarkShadow:
            tools_.toggleShadow();
            update();
            return true;
        case CommandId::Select:
            if (!tools_.active()) {
                selection_.toggle();
                update();
            }
            return true;
        case CommandId::SaveScreen:
            saveImage(false);
            return true;
        case CommandId::SaveSelected:
            if (selection_.canSave()) {
                saveImage(true);
            }
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
        case CommandId::MeasureRange:
        case CommandId::MeasureDistance:
        case CommandId::TargetHeight:
        case CommandId::PlusMark:
        case CommandId::ClearLinesMarks:
        case CommandId::ShowMarkShadow:
        case CommandId::Select:
        case CommandId::SaveScreen:
        case CommandId::SaveSelected:
            return true;
        default:
            return false;
    }
}

std::optional<bool> CKeelbrookView::isChecked(CommandId id) const {
    switch (id) {
        case CommandId::ShowRange:
            return showRange_;
        case CommandId::MeasureRange:
            return tools_.tool() == measure::Tool::Range;
        case CommandId::MeasureDistance:
            return tools_.tool() == measure::Tool::Distance;
        case CommandId::TargetHeight:
            return tools_.tool() == measure::Tool::Height;
        case CommandId::PlusMark:
            return tools_.tool() == measure::Tool::Mark;
        case CommandId::ShowMarkShadow:
            return tools_.showShadow();
        case CommandId::Select:
            return selection_.active();
        default:
            return std::nullopt;
    }
}

bool CKeelbrookView::isEnabled(CommandId id) const {
    return id != CommandId::SaveSelected || selection_.canSave();
}
