#include "display/imagesave/Selection.h"

#include <algorithm>

void Selection::toggle() {
    state_ = state_ == State::Off ? State::Armed : State::Off;
    dragging_ = false;
    cornerSet_ = false;
    first_ = second_ = {};
}

bool Selection::press(Point at) {
    if (!active()) {
        return false;
    }
    first_ = second_ = at;
    cornerSet_ = true;
    dragging_ = true;
    return true;
}

bool Selection::move(Point at) {
    if (!dragging_) {
        return false;
    }
    second_ = at;
    return true;
}

bool Selection::release(Point at) {
    if (!dragging_) {
        return false;
    }
    second_ = at;
    dragging_ = false;
    state_ = State::Complete;
    return true;
}

bool Selection::canSave() const {
    return state_ == State::Complete && !dragging_ && first_.x != second_.x &&
           first_.y != second_.y;
}

std::optional<Selection::Rect> Selection::area(int windowWidth, int windowHeight) const {
    if (!cornerSet_) {
        return std::nullopt;
    }
    const int left = std::max(0, std::min(first_.x, second_.x));
    const int top = std::max(0, std::min(first_.y, second_.y));
    const int right = std::min(windowWidth, std::max(first_.x, second_.x));
    const int bottom = std::min(windowHeight, std::max(first_.y, second_.y));
    if (right <= left || bottom <= top) {
        return std::nullopt;
    }
    return Rect{left, top, right - left, bottom - top};
}

std::optional<std::array<Selection::Point, 5>> Selection::outline() const {
    if (!active() || !cornerSet_) {
        return std::nullopt;
    }
    return std::array<Point, 5>{first_, Point{first_.x, second_.y}, second_,
                                Point{second_.x, first_.y}, first_};
}
