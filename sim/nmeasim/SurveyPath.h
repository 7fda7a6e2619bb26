#pragma once

namespace nmeasim {

// A point of the planned track in metres east and north of the start, with the direction of
// travel there (degrees true).
struct PathPoint {
    double east = 0.0;
    double north = 0.0;
    double heading = 0.0;
};

// The lawn-mower pattern of a survey: straight lines of equal length, each followed by a turn to
// starboard or port onto the next line, one spacing further over, run the opposite way. Lines
// lie along `lineBearing` and step over to its starboard side; the pattern goes on for ever.
class SurveyPath {
  public:
    // A turn is a quarter circle, a crossing leg, and a second quarter circle. Its radius is the
    // one at which the vessel turns at a comfortable rate, but never more than half the spacing.
    static constexpr double kTurnRateDegPerSec = 3.0;

    SurveyPath(double lineLength, double lineSpacing, double lineBearing, double speedMps);

    PathPoint at(double distance) const;

    // 1 well inside a line, easing to 0 towards its ends and 0 through the turns: how much of
    // the helmsman's wander applies there.
    double lineWeight(double distance) const;

    double turnRadius() const { return radius_; }
    // Length of one line with the turn that follows it.
    double lineCycle() const { return cycle_; }

  private:
    // Along-line and cross-line coordinates for distance `d` into line 0's cycle, as if the line
    // ran along +along; the heading is given as a unit vector in the same frame.
    void local(double d, double& along, double& cross, double& hAlong, double& hCross) const;

    double length_;
    double spacing_;
    double bearing_;
    double radius_;
    double crossing_;
    double cycle_;
};

}  // namespace nmeasim
