#pragma once

#include <array>
#include <optional>

#include "display/ViewGeometry.h"
#include "display/ViewNavigation.h"

// The rectangle the operator drags over the view to save part of it, in window pixels.
class Selection {
  public:
    using Point = waterfall_view::Point;
    using Rect = waterfall_view::Rect;

    enum class State { Off = 0, Armed = 1, Complete = 2 };

    State state() const { return state_; }
    bool active() const { return state_ != State::Off; }
    bool dragging() const { return dragging_; }

    // The Select command: off becomes armed, armed or complete becomes off; the corners are
    // cleared either way.
    void toggle();

    // Left button pressed: the first corner, dragging starts. False when the selection is off
    // and the press is not its business.
    bool press(Point at);
    // Mouse moved while dragging: the second corner follows. False when not dragging.
    bool move(Point at);
    // Left button released while dragging: the second corner, the rectangle is complete.
    bool release(Point at);

    // Save Selected is offered for a complete rectangle that is not being dragged.
    bool canSave() const;
    // The rectangle with its left/top at the smaller corner, cut to the window; nothing while
    // no corner is set or when nothing of it lies inside the window.
    std::optional<Rect> area(int windowWidth, int windowHeight) const;
    // The dashed outline (x1,y1)-(x1,y2)-(x2,y2)-(x2,y1)-(x1,y1), once a corner is set.
    std::optional<std::array<Point, 5>> outline() const;

  private:
    State state_ = State::Off;
    bool dragging_ = false;
    bool cornerSet_ = false;
    Point first_;
    Point second_;
};
