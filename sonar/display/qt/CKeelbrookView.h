#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "acquisition/CommandIds.h"
#include "display/ConnectionBanner.h"
#include "display/ViewDocument.h"
#include "display/ViewNavigation.h"
#include "display/imagesave/ImageSaver.h"
#include "display/imagesave/Selection.h"
#include "display/imagesave/qt/QtImageEncoder.h"
#include "display/measure/MeasureTools.h"
#include "display/qt/OverlayPainter.h"
#include "display/qt/ViewFonts.h"
#include "display/qt/WaterfallRenderer.h"

// The sonar window's view: the waterfall through the selected colour table, scaled by the zoom
// and shifted by the pan, with the range scale, the measurement overlay, texts and the colour
// indicator; the measurement tools, the selection and image saving work on it.
class CKeelbrookView : public QWidget {
    Q_OBJECT
  public:
    // Date, time, latitude, longitude, speed, heading, GPS date, GPS time of the row under the
    // mouse (the date is the current one); all empty when the mouse is off the image.
    using MouseTexts = std::array<QString, 8>;

    explicit CKeelbrookView(ViewDocument& doc, QWidget* parent = nullptr);

    int imageWidth() const;
    int drawnWidth() const;
    double zoom() const { return nav_.zoom(); }
    const MouseTexts& mouseTexts() const { return mouseTexts_; }
    // The "Target:" pane: range and side of the mouse point; empty off the image.
    const QString& targetText() const { return targetText_; }
    const waterfall_view::ViewNavigation& navigation() const { return nav_; }
    measure::MeasureTools& measureTools() { return tools_; }
    const Selection& selection() const { return selection_; }
    // The scale and row history the measurement tools work with now.
    measure::LiveContext measureContext() const;

    // View commands: zoom, restore, show range, the arrow keys, the measurement tools, select
    // and image saving. False when not a view command.
    bool execute(CommandId id);
    static bool isViewCommand(CommandId id);
    std::optional<bool> isChecked(CommandId id) const;
    bool isEnabled(CommandId id) const;

    // Paints the whole view; the paint event and offscreen renders both come here.
    void paintView(QPainter& painter);
    // What the view shows, as saved to a file: everything but the selection's outline.
    QImage composeImage();
    // Called after every paint, so the frame refreshes its status bars.
    void setPaintedCallback(std::function<void()> cb) { painted_ = std::move(cb); }
    // Whether the pointer is inside the frame's working area (set by the frame).
    void setMouseInWorkingArea(std::function<bool()> inside) { inWorkingArea_ = std::move(inside); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    const WaterfallImage& shownImage() const;
    measure::Scale measureScale() const;
    void drawRangeScale(QPainter& p, int drawnW, int imageH);
    void drawMeasurements(QPainter& p);
    void drawTexts(QPainter& p, int drawnW, int imageH);
    void drawIndicator(QPainter& p, int imageW, int imageH);
    void updateMouseTexts();
    void handleMove(QPoint at, bool fromKey);
    void zoomChanged(waterfall_view::ZoomResult result);
    void toggleTool(measure::Tool tool);
    void saveImage(bool selectedOnly);

    ViewDocument& doc_;
    ConnectionBanner banner_;
    waterfall_view::ViewNavigation nav_;
    WaterfallRenderer renderer_;
    MouseTexts mouseTexts_;
    QString targetText_;
    bool showRange_ = true;
    bool exporting_ = false;
    measure::MeasureTools tools_;
    Selection selection_;
    QtImageEncoder encoder_;
    std::unique_ptr<ImageSaver> saver_;
    std::function<void()> painted_;
    std::function<bool()> inWorkingArea_;
    ViewFonts fonts_;
    OverlayPainter overlay_;
};
