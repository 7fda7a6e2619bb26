#pragma once

#include <optional>

// Zoom, pan, drag and mouse state of the waterfall view. Pure state: the view feeds it input
// events and redraws from what it holds.
namespace waterfall_view {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct ImageCell {
    int row = 0;
    int column = 0;
    bool operator==(const ImageCell&) const = default;
};

enum class ArrowKey { Down, Left, Right, Up };

// Restored means the zoom ran past its limits and the view went back to zoom 1 without pan;
// the caller then also clears the measurement items.
enum class ZoomResult { Zoomed, Restored };

struct MoveResult {
    bool inImage = false;
    bool panned = false;  // a drag moved the picture, so the view must redraw
};

// The point one pixel away in the direction of the arrow.
Point nudge(Point p, ArrowKey key);

// The image row and column under a window point: (point + pan) / zoom, truncated. Nothing when
// it falls outside the image W x H (including left of or above it).
std::optional<ImageCell> imageCellAt(Point mouse, Point pan, double zoom, int imageWidth,
                                     int imageHeight);

class ViewNavigation {
  public:
    static constexpr double kMinZoom = 1.0;
    static constexpr double kMaxZoom = 5.0;

    double zoom() const { return zoom_; }
    Point pan() const { return pan_; }
    Point savedPan() const { return savedPan_; }
    Point dragStart() const { return dragStart_; }
    bool dragging() const { return dragging_; }
    Point mouse() const { return mouse_; }
    bool mouseInImage() const { return mouseInImage_; }
    // Where the measurement tools work: the mouse in zoomed image pixels.
    Point measurementPoint() const { return {mouse_.x + pan_.x, mouse_.y + pan_.y}; }

    // Zoom 1, no pan, no drag.
    void restore();
    // One step up or down with the pan kept; past either limit the view is restored.
    ZoomResult zoomIn();
    ZoomResult zoomOut();
    // One step up keeping the image pixel under the last mouse point in place; past the upper
    // limit the view is restored.
    ZoomResult zoomAboutMouse();

    // Left button down; a drag starts only when no tool wants the click. True when it did, so
    // the view captures the mouse.
    bool pressLeft(Point at, bool toolActive);
    // Left button up: the picture stays where the drag left it.
    void releaseLeft();
    // The window lost the mouse: the drag ends where it is and the pointer counts as outside.
    void captureLost();

    // The pointer moved to a window point; drawnWidth is W', clientHeight the window height.
    MoveResult moveMouse(Point to, int drawnWidth, int clientHeight);
    // An arrow key moves the remembered pointer by one pixel and counts as a mouse move.
    MoveResult arrowKey(ArrowKey key, int drawnWidth, int clientHeight);

    // The image cell under the last mouse point, while the pointer is over the image.
    std::optional<ImageCell> cellUnderMouse(int imageWidth, int imageHeight) const;

  private:
    ZoomResult restoreAfterOverflow();

    double zoom_ = kMinZoom;
    Point pan_;
    Point savedPan_;
    Point dragStart_;
    bool dragging_ = false;
    Point mouse_;
    bool mouseInImage_ = false;
};

}  // namespace waterfall_view
