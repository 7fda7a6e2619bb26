#include "display/measure/MeasureTools.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace measure {
namespace {
// Rows of the image stand still beyond this; a damaged zoom cannot make the loop run away.
constexpr int kMaxRows = 1 << 16;

int rowOf(int y, double zoom) {
    const double r = std::trunc(y / zoom);
    return static_cast<int>(std::clamp(r, 0.0, static_cast<double>(kMaxRows)));
}
}  // namespace

void MeasureTools::toggle(Tool tool) {
    tool_ = tool_ == tool ? Tool::None : tool;
    resetProgress();
}

void MeasureTools::resetProgress() {
    heightStep_ = 0;
    stepPressed_ = false;
    firstPointSet_ = false;
    firstPoint_ = {};
}

void MeasureTools::clearItems() {
    items_.clear();
    resetProgress();
}

const MeasureItem* MeasureTools::previousItem() const {
    if (tool_ != Tool::Height || heightStep_ == 0 || items_.empty()) {
        return nullptr;
    }
    return &items_.back();
}

double MeasureTools::distanceValue(Point mouse, const LiveContext& c) const {
    const double dx = mouse.x - firstPoint_.x;
    double dy = mouse.y - firstPoint_.y;
    if (!c.speedCorrection && c.scale.zoom > 0.0) {
        // The image was scrolled one row per ping, whatever the distance each ping stood for:
        // count the rows the pings between the two points would have filled.
        const int r0 = rowOf(firstPoint_.y, c.scale.zoom);
        const int r1 = rowOf(mouse.y, c.scale.zoom);
        long rows = 0;
        for (int r = std::min(r0, r1); r < std::max(r0, r1); ++r) {
            rows += c.repetition ? c.repetition(r) : 1;
        }
        const double corrected = std::trunc(rows * c.scale.zoom);
        dy = mouse.y >= firstPoint_.y ? corrected : -corrected;
    }
    return metresAcross(std::sqrt(dx * dx + dy * dy), c.scale);
}

double MeasureTools::liveValue(Point mouse, const LiveContext& c) {
    const double fromTrack = metresAcross(std::fabs(mouse.x - trackX(c.scale)), c.scale);
    switch (tool_) {
        case Tool::Range:
            lastValue_ = fromTrack;
            break;
        case Tool::Height:
            if (heightStep_ < kLastHeightStep) {
                lastValue_ = fromTrack;
            } else if (const MeasureItem* prev = previousItem()) {
                const double shadow = metresAcross(std::abs(mouse.x - prev->end.x), c.scale);
                if (shadowStart_ + shadow != 0.0) {
                    lastValue_ = shadow * firstReturn_ / (shadowStart_ + shadow);
                }
            }
            break;
        case Tool::Distance:
            if (firstPointSet_) {
                lastValue_ = distanceValue(mouse, c);
            }
            break;
        case Tool::Mark:
        case Tool::None:
            break;
    }
    return lastValue_;
}

void MeasureTools::store(const MeasureItem& item) {
    if (items_.size() == kCapacity) {
        items_.pop_front();
    }
    items_.push_back(item);
}

std::optional<FinishedTarget> MeasureTools::takeFinished() {
    return std::exchange(finished_, std::nullopt);
}

bool MeasureTools::press(Point at, const LiveContext& c) {
    finished_.reset();
    const double value = liveValue(at, c);
    const Point onTrack{static_cast<int>(trackX(c.scale)), at.y};
    switch (tool_) {
        case Tool::None:
            return false;
        case Tool::Range:
            store({onTrack, at, ItemType::Range, value});
            finished_ = FinishedTarget{ItemType::Range, at, targetRange(at, c.scale), {}};
            tool_ = Tool::None;
            return true;
        case Tool::Mark:
            store({at, at, ItemType::Mark, 0.0});
            finished_ = FinishedTarget{ItemType::Mark, at, targetRange(at, c.scale), {}};
            tool_ = Tool::None;
            return true;
        case Tool::Distance:
            if (!firstPointSet_) {
                firstPoint_ = at;
                firstPointSet_ = true;
                return true;
            }
            store({firstPoint_, at, ItemType::Distance, value});
            tool_ = Tool::None;
            resetProgress();
            return true;
        case Tool::Height:
            break;
    }
    const auto type = static_cast<ItemType>(static_cast<int>(ItemType::HeightTarget) + heightStep_);
    if (heightStep_ == 0) {
        store({onTrack, at, type, value});
    } else {
        const MeasureItem* prev = previousItem();
        if (!prev) {
            resetProgress();
            return false;
        }
        // Every line of one height measurement lies on the target's row.
        const Point start = prev->end;
        store({start, {at.x, start.y}, type, value});
    }
    if (heightStep_ == 1) {
        firstReturn_ = value;
    } else if (heightStep_ == 2) {
        shadowStart_ = value;
    } else if (heightStep_ == kLastHeightStep) {
        // The first of the four lines ends on the target itself.
        const std::size_t first = items_.size() - 1 - kLastHeightStep;
        if (items_.size() > kLastHeightStep && items_[first].type == ItemType::HeightTarget) {
            const Point target = items_[first].end;
            finished_ = FinishedTarget{ItemType::HeightShadowEnd, target,
                                       targetRange(target, c.scale), value};
        }
        tool_ = Tool::None;
        resetProgress();
        return true;
    }
    stepPressed_ = true;
    return true;
}

void MeasureTools::release() {
    if (tool_ == Tool::Height && stepPressed_) {
        stepPressed_ = false;
        ++heightStep_;
    }
}

}  // namespace measure
