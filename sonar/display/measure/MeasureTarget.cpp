#include "display/measure/MeasureTarget.h"

#include <cmath>

namespace measure {

std::optional<PlacedTarget> placedTarget(const FinishedTarget& finished,
                                         const WaterfallImage& shown, double zoom) {
    if (!(zoom > 0.0) || finished.at.y < 0) {
        return std::nullopt;
    }
    const RowRecord* row = shown.record(static_cast<int>(std::trunc(finished.at.y / zoom)));
    if (row == nullptr) {
        return std::nullopt;
    }
    PlacedTarget t;
    switch (finished.type) {
        case ItemType::Range:
            t.kind = TargetKind::Range;
            break;
        case ItemType::HeightShadowEnd:
            t.kind = TargetKind::Height;
            break;
        default:
            t.kind = TargetKind::Mark;
    }
    t.side = finished.range.side == Side::Starboard ? TrackSide::Starboard : TrackSide::Port;
    t.rangeMetres = finished.range.metres;
    t.heightMetres = finished.height;
    t.row = *row;
    return t;
}

}  // namespace measure
