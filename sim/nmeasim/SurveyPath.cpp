#include "nmeasim/SurveyPath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nmeasim {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kEaseMetres = 30.0;

double radians(double degrees) {
    return degrees * kPi / 180.0;
}

}  // namespace

SurveyPath::SurveyPath(double lineLength, double lineSpacing, double lineBearing, double speedMps)
    : length_(lineLength), spacing_(lineSpacing), bearing_(lineBearing) {
    const double comfortable = speedMps / radians(kTurnRateDegPerSec);
    radius_ = std::min(lineSpacing / 2.0, comfortable);
    crossing_ = lineSpacing - 2.0 * radius_;
    cycle_ = length_ + kPi * radius_ + crossing_;
}

void SurveyPath::local(double d, double& along, double& cross, double& hAlong,
                       double& hCross) const {
    const double quarter = kPi / 2.0 * radius_;
    if (d < length_) {
        along = d;
        cross = 0.0;
        hAlong = 1.0;
        hCross = 0.0;
        return;
    }
    d -= length_;
    if (d < quarter) {
        const double phi = radius_ > 0 ? d / radius_ : 0.0;
        along = length_ + radius_ * std::sin(phi);
        cross = radius_ * (1.0 - std::cos(phi));
        hAlong = std::cos(phi);
        hCross = std::sin(phi);
        return;
    }
    d -= quarter;
    if (d < crossing_) {
        along = length_ + radius_;
        cross = radius_ + d;
        hAlong = 0.0;
        hCross = 1.0;
        return;
    }
    d -= crossing_;
    const double phi = radius_ > 0 ? std::min(d / radius_, kPi / 2.0) : kPi / 2.0;
    along = length_ + radius_ * std::cos(phi);
    cross = spacing_ - radius_ + radius_ * std::sin(phi);
    hAlong = -std::sin(phi);
    hCross = std::cos(phi);
}

double SurveyPath::lineWeight(double distance) const {
    if (distance <= 0) {
        return 0.0;
    }
    const double intoLine = std::fmod(distance, cycle_);
    if (intoLine >= length_) {
        return 0.0;
    }
    const double ease = std::min(kEaseMetres, length_ / 4.0);
    const double x = std::min(1.0, std::min(intoLine, length_ - intoLine) / ease);
    return x * x * (3.0 - 2.0 * x);
}

PathPoint SurveyPath::at(double distance) const {
    // Before the start the vessel was running in on the first line.
    const double line = distance < 0 ? 0.0 : std::floor(distance / cycle_);
    double along = distance;
    double cross = 0.0;
    double hAlong = 1.0;
    double hCross = 0.0;
    if (distance >= 0) {
        local(distance - line * cycle_, along, cross, hAlong, hCross);
    }
    // Odd lines run back: mirror the along-line axis.
    if (std::fmod(line, 2.0) != 0.0) {
        along = length_ - along;
        hAlong = -hAlong;
    }
    cross += line * spacing_;

    const double b = radians(bearing_);
    const double ue = std::sin(b);  // along-line unit vector
    const double un = std::cos(b);
    const double we = std::cos(b);  // starboard of the line direction
    const double wn = -std::sin(b);
    PathPoint p;
    p.east = along * ue + cross * we;
    p.north = along * un + cross * wn;
    const double he = hAlong * ue + hCross * we;
    const double hn = hAlong * un + hCross * wn;
    p.heading = std::fmod(std::atan2(he, hn) * 180.0 / kPi + 360.0, 360.0);
    return p;
}

}  // namespace nmeasim
