#pragma once

#include <vector>

// A point of the track in whole metres: x grows east, y grows south (the screen's direction).
struct TrackPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TrackPoint&) const = default;
};

// The projected track: every fix projected to UTM and appended as a polyline in whole metres
// relative to the first fix. Jumps (a receiver's glitch, or a restart far away) are cut out.
class TrackPlot {
  public:
    static constexpr int kJumpMetres = 100;

    // Projects a signed fix and extends the track. restart: the fix starts a new track (it only
    // sets the origin when none is set).
    void AddTrackPoint(double latitude, double longitude, bool restart);

    // Empties the outline and puts the position back to (0, 0); projections, origin and
    // remainders stay, so the next track resumes from (0, 0) without a new origin.
    void erase();

    // The outline as a polyline; empty until the first segment.
    const std::vector<TrackPoint>& outline() const { return outline_; }
    TrackPoint position() const { return {trackX_, trackY_}; }
    double easting() const { return easting_; }
    double northing() const { return northing_; }
    double originEasting() const { return originEasting_; }
    double originNorthing() const { return originNorthing_; }

  private:
    double easting_ = 0.0, northing_ = 0.0;
    double previousEasting_ = 0.0, previousNorthing_ = 0.0;
    double originEasting_ = 0.0, originNorthing_ = 0.0;
    double remainderX_ = 0.0, remainderY_ = 0.0;
    int trackX_ = 0, trackY_ = 0;
    int lastX_ = 0, lastY_ = 0;
    std::vector<TrackPoint> outline_;
};
