#pragma once

#include <QFont>
#include <QWidget>
#include <array>
#include <functional>

#include "acquisition/CommandIds.h"
#include "display/ConnectionBanner.h"
#include "display/ViewNavigation.h"
#include "display/qt/WaterfallRenderer.h"

class CKeelbrookDoc;

// The sonar window's view: the waterfall through the selected colour table, scaled by the zoom
// and shifted by the pan, with the range scale, texts and the colour indicator.
class CKeelbrookView : public QWidget {
    Q_OBJECT
  public:
    // Date, time, latitude, longitude, speed, heading, GPS date, GPS time of the row under the
    // mouse (the date is the current one); all empty when the mouse is off the image.
    using MouseTexts = std::array<QString, 8>;

    explicit CKeelbrookView(CKeelbrookDoc& doc, QWidget* parent = nullptr);

    int imageWidth() const;
    int drawnWidth() const;
    double zoom() const { return nav_.zoom(); }
    const MouseTexts& mouseTexts() const { return mouseTexts_; }
    const waterfall_view::ViewNavigation& navigation() const { return nav_; }

    // View commands: zoom, restore, show range, the arrow keys. False when not a view command.
    bool execute(CommandId id);
    static bool isViewCommand(CommandId id);
    std::optional<bool> isChecked(CommandId id) const;

    // Paints the whole view; the paint event and offscreen renders both come here.
    void paintView(QPainter& painter);
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
    void drawRangeScale(QPainter& p, int drawnW, int imageH);
    void drawTexts(QPainter& p, int drawnW, int imageH);
    void drawIndicator(QPainter& p, int imageW, int imageH);
    void updateMouseTexts();
    void handleMove(QPoint at, bool fromKey);
    void zoomChanged(waterfall_view::ZoomResult result);
    QFont& font(int pixels);

    CKeelbrookDoc& doc_;
    ConnectionBanner banner_;
    waterfall_view::ViewNavigation nav_;
    WaterfallRenderer renderer_;
    MouseTexts mouseTexts_;
    bool showRange_ = true;
    std::function<void()> painted_;
    std::function<bool()> inWorkingArea_;
    std::array<QFont, 32> fonts_;
};
