#pragma once

#include <string>
#include <vector>

#include "gps/TrackPlot.h"

namespace track_zoom {
inline constexpr double kDefault = 1.0;
// The next step of 0.05, 0.1, 0.25, 0.5, 1, 2.5, 5.
double zoomIn(double zoom);
double zoomOut(double zoom);
// "%dm/DIV" of trunc(50 / zoom), or "%dft/DIV" of trunc(150 / zoom) in imperial units.
std::string gridLabel(double zoom, bool imperial);
// Pixels between grid lines.
int gridSpacing(bool imperial);
}  // namespace track_zoom

// The geometry of the GPS track window: where track point (0, 0) sits on the screen, the pan
// a drag gives, and the re-centring that keeps the boat in the window. The window only draws.
class TrackView {
  public:
    static constexpr int kEdgeMargin = 10;
    static constexpr int kBoatDiameter = 8;

    struct Grid {
        std::vector<int> xs;  // vertical lines
        std::vector<int> ys;  // horizontal lines
    };

    // Centre at the middle of the new client area; the pan stays.
    void resize(int width, int height);
    // Centre in the middle, no pan, no drag.
    void reset();
    // Pan so the boat sits in the middle of the window at this zoom.
    void recentre(TrackPoint boat, double zoom);

    void mouseDown(int x, int y);
    // True when the picture moved (a drag is under way).
    bool mouseMove(int x, int y);
    void mouseUp();
    bool dragging() const { return dragging_; }

    // Where the boat is drawn, re-centring first when it came within the margin of an edge.
    struct Placement {
        int originX = 0, originY = 0;  // screen position of track point (0, 0)
        int boatX = 0, boatY = 0;      // boat offset from the origin, in pixels
        bool recentred = false;
    };
    Placement place(TrackPoint boat, double zoom);

    Grid grid(bool imperial) const;

    int width() const { return width_; }
    int height() const { return height_; }
    int centreX() const { return centreX_; }
    int centreY() const { return centreY_; }
    int panX() const { return panX_; }
    int panY() const { return panY_; }

  private:
    int width_ = 0, height_ = 0;
    int centreX_ = 0, centreY_ = 0;
    int panX_ = 0, panY_ = 0;
    int dragStartPanX_ = 0, dragStartPanY_ = 0;
    int downX_ = 0, downY_ = 0;
    bool dragging_ = false;
};
