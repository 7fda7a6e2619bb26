#pragma once

#include <optional>

#include "survey/ZoneProjection.h"

struct PingFix {
    double latitude = 0.0;
    double longitude = 0.0;
    std::optional<double> headingDegrees;  // the towfish's own heading, when the file has one
};

// Where a ping sits and which way it looks.
struct PlacedPing {
    GridPoint position;
    double headingDegrees = 0.0;  // clockwise from grid north
    double alongTrackSpan = 0.0;  // metres moved since the previous placed ping
};

// Places pings in the zone of the first fix. The heading is the file's when it has one, else the
// course over ground from successive fixes: the bearing from the last fix at least
// kMinimumBaseline away, so GPS jitter at slow speed does not spin the swath. Until a course is
// known (the first metres of a file without headings) a ping cannot be oriented and is not
// placed.
class TrackPlacer {
  public:
    static constexpr double kMinimumBaseline = 1.0;

    // zone: the grid to place into, when an earlier file of the same mosaic chose it already.
    explicit TrackPlacer(std::optional<UtmZone> zone = std::nullopt) : zone_(zone) {}

    std::optional<PlacedPing> place(const PingFix& fix);
    std::optional<UtmZone> zone() const { return zone_; }

  private:
    std::optional<UtmZone> zone_;
    std::optional<GridPoint> anchor_;
    std::optional<GridPoint> previous_;
    std::optional<double> course_;
};
