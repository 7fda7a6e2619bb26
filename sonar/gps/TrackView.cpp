#include "gps/TrackView.h"

#include <cmath>

#include "gps/NmeaText.h"

namespace track_zoom {
namespace {
constexpr double kLargestBelowOne = 2.5;
constexpr double kLargest = 5.0;
constexpr double kSmallest = 0.05;
constexpr double kTenth = 0.1;
constexpr double kQuarter = 0.25;
constexpr int kMetricSpacing = 50;
constexpr int kImperialSpacing = 46;
constexpr double kMetricLabel = 50.0;
constexpr double kImperialLabel = 150.0;

// Halving 0.25 gives 0.125 and doubling 0.05 gives 0.1 only approximately; both snap to 0.1.
double snapTenth(double z) {
    return z >= 0.0625 && z <= 0.125 ? kTenth : z;
}
}  // namespace

double zoomIn(double z) {
    if (z == 1.0) {
        return kLargestBelowOne;
    }
    if (z >= kLargestBelowOne) {
        return kLargest;
    }
    if (z < 1.0) {
        double next = z * 2.0;
        if (std::fabs(next - 0.2) < 1e-9) {
            next = kQuarter;
        }
        return snapTenth(next);
    }
    return z;
}

double zoomOut(double z) {
    if (z == kLargestBelowOne) {
        return 1.0;
    }
    if (z >= kLargest) {
        return kLargestBelowOne;
    }
    if (z > 1.0) {
        return z;
    }
    if (z > kSmallest) {
        return snapTenth(z / 2.0);
    }
    return z;
}

std::string gridLabel(double zoom, bool imperial) {
    const double base = imperial ? kImperialLabel : kMetricLabel;
    const double v = std::trunc(base / zoom);
    const int n = std::isfinite(v) && std::fabs(v) < 2e9 ? static_cast<int>(v) : 0;
    return nmea::format(imperial ? "%dft/DIV" : "%dm/DIV", n);
}

int gridSpacing(bool imperial) {
    return imperial ? kImperialSpacing : kMetricSpacing;
}
}  // namespace track_zoom

namespace {
int scaled(int v, double zoom) {
    const double s = std::trunc(v * zoom);
    return std::fabs(s) < 1e9 ? static_cast<int>(s) : 0;
}
}  // namespace

void TrackView::resize(int width, int height) {
    width_ = width;
    height_ = height;
    centreX_ = width / 2;
    centreY_ = height / 2;
}

void TrackView::reset() {
    centreX_ = width_ / 2;
    centreY_ = height_ / 2;
    panX_ = panY_ = 0;
    dragStartPanX_ = dragStartPanY_ = 0;
    downX_ = downY_ = 0;
    dragging_ = false;
}

void TrackView::recentre(TrackPoint boat, double zoom) {
    panX_ = panY_ = 0;
    dragStartPanX_ = dragStartPanY_ = 0;
    downX_ = downY_ = 0;
    centreX_ = width_ / 2 - scaled(boat.x, zoom);
    centreY_ = height_ / 2 - scaled(boat.y, zoom);
}

void TrackView::mouseDown(int x, int y) {
    downX_ = x;
    downY_ = y;
    dragging_ = true;
}

bool TrackView::mouseMove(int x, int y) {
    if (!dragging_) {
        return false;
    }
    panX_ = downX_ + dragStartPanX_ - x;
    panY_ = downY_ + dragStartPanY_ - y;
    return true;
}

void TrackView::mouseUp() {
    dragging_ = false;
    dragStartPanX_ = panX_;
    dragStartPanY_ = panY_;
}

TrackView::Placement TrackView::place(TrackPoint boat, double zoom) {
    Placement p;
    auto screenX = [&] { return scaled(boat.x, zoom) + centreX_ - panX_; };
    auto screenY = [&] { return scaled(boat.y, zoom) + centreY_ - panY_; };
    const int sx = screenX();
    const int sy = screenY();
    if (sx > width_ - kEdgeMargin || sx < kEdgeMargin || sy > height_ - kEdgeMargin ||
        sy < kEdgeMargin) {
        recentre(boat, zoom);
        p.recentred = true;
    }
    p.originX = centreX_ - panX_;
    p.originY = centreY_ - panY_;
    p.boatX = scaled(boat.x, zoom);
    p.boatY = scaled(boat.y, zoom);
    return p;
}

TrackView::Grid TrackView::grid(bool imperial) const {
    const int step = track_zoom::gridSpacing(imperial);
    Grid g;
    for (int x = width_ / 2; x < width_; x += step) {
        g.xs.push_back(x);
    }
    for (int x = width_ / 2 - step; x > 0; x -= step) {
        g.xs.push_back(x);
    }
    for (int y = height_ / 2; y < height_; y += step) {
        g.ys.push_back(y);
    }
    for (int y = height_ / 2 - step; y >= 1; y -= step) {
        g.ys.push_back(y);
    }
    return g;
}
