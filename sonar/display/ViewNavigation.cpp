#include "display/ViewNavigation.h"

#include <cmath>

namespace waterfall_view {
namespace {
constexpr double kZoomStep = 1.0;

// The pan that keeps the image pixel under the mouse under it after the zoom changes.
int panForZoom(int pan, int mouse, double oldZoom, double newZoom) {
    return static_cast<int>(newZoom * std::trunc((pan + mouse) / oldZoom)) - mouse;
}

bool inDrawnImage(Point p, int drawnWidth, int clientHeight) {
    // Half open: x = W' is the first column of the colour indicator, not of the image.
    return p.x >= 0 && p.x < drawnWidth && p.y >= 0 && p.y < clientHeight;
}
}  // namespace

Point nudge(Point p, ArrowKey key) {
    switch (key) {
        case ArrowKey::Down:
            return {p.x, p.y + 1};
        case ArrowKey::Left:
            return {p.x - 1, p.y};
        case ArrowKey::Right:
            return {p.x + 1, p.y};
        case ArrowKey::Up:
            return {p.x, p.y - 1};
    }
    return p;
}

std::optional<ImageCell> imageCellAt(Point mouse, Point pan, double zoom, int imageWidth,
                                     int imageHeight) {
    if (!(zoom > 0.0)) {
        return std::nullopt;
    }
    const long sx = static_cast<long>(mouse.x) + pan.x;
    const long sy = static_cast<long>(mouse.y) + pan.y;
    // Checked before dividing: truncation would fold the first pixels left of or above the
    // image onto row or column 0.
    if (sx < 0 || sy < 0) {
        return std::nullopt;
    }
    const double column = std::trunc(sx / zoom);
    const double row = std::trunc(sy / zoom);
    if (column >= imageWidth || row >= imageHeight) {
        return std::nullopt;
    }
    return ImageCell{static_cast<int>(row), static_cast<int>(column)};
}

void ViewNavigation::restore() {
    zoom_ = kMinZoom;
    pan_ = {};
    savedPan_ = {};
    dragStart_ = {};
    // A drag that went on would measure from the cleared start point and make the picture jump.
    dragging_ = false;
}

ZoomResult ViewNavigation::restoreAfterOverflow() {
    restore();
    return ZoomResult::Restored;
}

ZoomResult ViewNavigation::zoomIn() {
    zoom_ += kZoomStep;
    return zoom_ > kMaxZoom ? restoreAfterOverflow() : ZoomResult::Zoomed;
}

ZoomResult ViewNavigation::zoomOut() {
    zoom_ -= kZoomStep;
    return zoom_ < kMinZoom ? restoreAfterOverflow() : ZoomResult::Zoomed;
}

ZoomResult ViewNavigation::zoomAboutMouse() {
    const double newZoom = zoom_ + kZoomStep;
    if (newZoom > kMaxZoom) {
        return restoreAfterOverflow();
    }
    pan_ = {panForZoom(pan_.x, mouse_.x, zoom_, newZoom),
            panForZoom(pan_.y, mouse_.y, zoom_, newZoom)};
    savedPan_ = pan_;
    zoom_ = newZoom;
    return ZoomResult::Zoomed;
}

bool ViewNavigation::pressLeft(Point at, bool toolActive) {
    if (toolActive) {
        return false;
    }
    dragStart_ = at;
    dragging_ = true;
    return true;
}

void ViewNavigation::releaseLeft() {
    savedPan_ = pan_;
    dragging_ = false;
}

void ViewNavigation::captureLost() {
    // Keeping the pan reached so far lets the next drag continue from the picture on screen.
    savedPan_ = pan_;
    dragging_ = false;
    mouseInImage_ = false;
}

MoveResult ViewNavigation::moveMouse(Point to, int drawnWidth, int clientHeight) {
    mouse_ = to;
    mouseInImage_ = inDrawnImage(to, drawnWidth, clientHeight);
    if (!mouseInImage_) {
        return {};
    }
    MoveResult result{true, false};
    if (dragging_) {
        pan_ = {savedPan_.x + dragStart_.x - to.x, savedPan_.y + dragStart_.y - to.y};
        result.panned = true;
    }
    return result;
}

MoveResult ViewNavigation::arrowKey(ArrowKey key, int drawnWidth, int clientHeight) {
    return moveMouse(nudge(mouse_, key), drawnWidth, clientHeight);
}

std::optional<ImageCell> ViewNavigation::cellUnderMouse(int imageWidth, int imageHeight) const {
    if (!mouseInImage_) {
        return std::nullopt;
    }
    return imageCellAt(mouse_, pan_, zoom_, imageWidth, imageHeight);
}

}  // namespace waterfall_view
