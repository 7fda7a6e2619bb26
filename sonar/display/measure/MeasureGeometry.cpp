#include "display/measure/MeasureGeometry.h"

#include <cmath>
#include <cstdio>

namespace measure {
namespace {
constexpr double kHalf = 0.5;

// The drawn width in zoomed pixels, or 0 when it is not a usable number.
double zoomedWidth(const Scale& s) {
    const double w = s.drawnWidth * s.zoom;
    return std::isfinite(w) && w > 0.0 ? w : 0.0;
}

std::string format(const char* fmt, double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, value);
    return buf;
}
}  // namespace

double trackX(const Scale& s) {
    const double w = zoomedWidth(s);
    switch (s.layout) {
        case SideLayout::PortOnly:
            return w;
        case SideLayout::StarboardOnly:
            return 0.0;
        case SideLayout::BothSides:
            return w * kHalf;
    }
    return 0.0;
}

double pixelsPerSide(const Scale& s) {
    const double w = zoomedWidth(s);
    return s.layout == SideLayout::BothSides ? w * kHalf : w;
}

double metresAcross(double pixels, const Scale& s) {
    const double perSide = pixelsPerSide(s);
    if (!(perSide > 0.0) || !std::isfinite(pixels)) {
        return 0.0;
    }
    return pixels * s.rangeMetres / perSide;
}

TargetRange targetRange(Point at, const Scale& s) {
    const double track = trackX(s);
    TargetRange t;
    switch (s.layout) {
        case SideLayout::PortOnly:
            t.side = Side::Port;
            break;
        case SideLayout::StarboardOnly:
            t.side = Side::Starboard;
            break;
        case SideLayout::BothSides:
            t.side = at.x < track ? Side::Port : Side::Starboard;
            break;
    }
    t.metres = metresAcross(std::fabs(at.x - track), s);
    return t;
}

std::string valueText(double metres, bool imperial) {
    return imperial ? format("%.2f ft", metres * kFeetPerMetre) : format("%.2f m", metres);
}

std::string targetText(const TargetRange& target, bool imperial) {
    const char* side = target.side == Side::Port ? "Port: " : "Stbd: ";
    return side + valueText(target.metres, imperial);
}

}  // namespace measure
