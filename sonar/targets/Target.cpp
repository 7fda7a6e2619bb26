#include "targets/Target.h"

#include <cmath>

namespace {
constexpr double kRightAngle = 90.0;
}  // namespace

void locate(Target& t) {
    t.position.reset();
    t.offsetApplied = false;
    if (!t.track) {
        return;
    }
    if (!t.courseDegrees || !std::isfinite(t.rangeMetres)) {
        t.position = t.track;
        return;
    }
    // Starboard lies to the right of the course, port to the left.
    const double across = t.side == TrackSide::Starboard ? kRightAngle : -kRightAngle;
    t.position = geodesy::destination(*t.track, *t.courseDegrees + across, t.rangeMetres);
    t.offsetApplied = true;
}

Target targetOf(const PlacedTarget& placed) {
    Target t;
    t.kind = placed.kind;
    t.side = placed.side;
    t.rangeMetres = placed.rangeMetres;
    t.heightMetres = placed.heightMetres;
    const RowNav& nav = placed.row.nav;
    if (nav.pingNumber != 0) {
        t.ping = nav.pingNumber;
    }
    t.date = std::string(placed.row.date());
    t.time = std::string(placed.row.time());
    if (nav.hasPosition) {
        t.track = geodesy::LatLon{nav.latitude, nav.longitude};
    }
    t.courseFrom = nav.courseFrom;
    if (nav.courseFrom != CourseFrom::None) {
        t.courseDegrees = nav.courseDegrees;
    }
    locate(t);
    return t;
}

const char* kindText(TargetKind kind) {
    switch (kind) {
        case TargetKind::Mark:
            return "mark";
        case TargetKind::Range:
            return "range";
        case TargetKind::Height:
            return "height";
    }
    return "mark";
}

const char* sideText(TrackSide side) {
    return side == TrackSide::Starboard ? "starboard" : "port";
}

const char* courseFromText(CourseFrom from) {
    switch (from) {
        case CourseFrom::Positions:
            return "positions";
        case CourseFrom::Heading:
            return "heading";
        case CourseFrom::None:
            break;
    }
    return "none";
}

std::optional<TargetKind> kindNamed(std::string_view text) {
    for (TargetKind k : {TargetKind::Mark, TargetKind::Range, TargetKind::Height}) {
        if (text == kindText(k)) {
            return k;
        }
    }
    return std::nullopt;
}

std::optional<TrackSide> sideNamed(std::string_view text) {
    for (TrackSide s : {TrackSide::Port, TrackSide::Starboard}) {
        if (text == sideText(s)) {
            return s;
        }
    }
    return std::nullopt;
}

std::optional<CourseFrom> courseFromNamed(std::string_view text) {
    for (CourseFrom c : {CourseFrom::None, CourseFrom::Positions, CourseFrom::Heading}) {
        if (text == courseFromText(c)) {
            return c;
        }
    }
    return std::nullopt;
}
