#pragma once

#include <QWidget>
#include <functional>

#include "acquisition/CommandIds.h"
#include "gps/TrackView.h"

class CKeelbrookDoc;

// The GPS track window's view: the green track on black with a dashed grid, the boat as a
// white dot, zoom in fixed steps, pan by dragging, re-centring when the boat nears an edge.
// The geometry is TrackView's; this widget only draws it.
class CGPSTrackView : public QWidget {
    Q_OBJECT
  public:
    CGPSTrackView(CKeelbrookDoc& doc, std::function<void(CommandId)> runCommand);

    void resetView();
    // "&Restore image": zoom 1, boat in the middle.
    void restoreImage();
    // Paints into an image of the widget's size (the screen copy and tests use it).
    QImage render();
    const TrackView& geometry() const { return view_; }

  protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

  private:
    void saveWindowRect();

    CKeelbrookDoc& doc_;
    std::function<void(CommandId)> runCommand_;
    TrackView view_;
};
