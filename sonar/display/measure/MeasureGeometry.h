#pragma once

#include <string>

#include "display/SideLayout.h"
#include "display/ViewNavigation.h"

// Screen distances to seabed distances for the measurement tools. Positions are zoomed image
// pixels (window point plus pan), so a measurement is independent of where the picture sits.
namespace measure {

using waterfall_view::Point;

// Measurement values use the true factor, unlike the range texts and grid, which use 3.
constexpr double kFeetPerMetre = 3.280839895013123;

// What the scale of the picture depends on at one moment.
struct Scale {
    SideLayout layout = SideLayout::BothSides;
    int drawnWidth = 0;  // W': the width the image is stretched into
    double zoom = 1.0;
    int rangeMetres = 0;  // one side
};

// The sonar's own track: the right edge for port only, the left edge for starboard only, the
// middle for both sides.
double trackX(const Scale& scale);
// Zoomed pixels that stand for one side's range; 0 when the picture has no width.
double pixelsPerSide(const Scale& scale);
// Metres of seabed across a horizontal run of zoomed pixels; 0 on a degenerate scale, never
// NaN or infinite.
double metresAcross(double pixels, const Scale& scale);

enum class Side { Port, Starboard };

struct TargetRange {
    Side side = Side::Port;
    double metres = 0.0;
};

// The horizontal range from the track to a point and the side it lies on.
TargetRange targetRange(Point at, const Scale& scale);

// "%.2f m", or "%.2f ft" of the metres in feet.
std::string valueText(double metres, bool imperial);
// The "Target:" pane: "Port: %.2f m", "Stbd: %.2f ft", ...
std::string targetText(const TargetRange& target, bool imperial);

}  // namespace measure
