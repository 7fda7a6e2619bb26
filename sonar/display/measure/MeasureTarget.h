#pragma once

#include <optional>

#include "display/PlacedTarget.h"
#include "display/WaterfallImage.h"
#include "display/measure/MeasureTools.h"

namespace measure {

// The finished measurement as a target on the picture shown: its kind, side, range and height,
// and the record of the image row under its target point. Nothing when the point lies outside
// the image.
std::optional<PlacedTarget> placedTarget(const FinishedTarget& finished,
                                         const WaterfallImage& shown, double zoom);

}  // namespace measure
