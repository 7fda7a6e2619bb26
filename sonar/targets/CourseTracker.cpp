#include "targets/CourseTracker.h"

void CourseTracker::reset() {
    anchor_.reset();
    last_.reset();
    course_.reset();
}

std::optional<double> CourseTracker::update(geodesy::LatLon position) {
    if (last_ && geodesy::localLeg(*last_, position).metres > kMaxStepMetres) {
        reset();
    }
    last_ = position;
    if (!anchor_) {
        anchor_ = position;
        return course_;
    }
    const geodesy::Leg leg = geodesy::localLeg(*anchor_, position);
    if (leg.metres >= kMinLegMetres) {
        course_ = leg.bearingDegrees;
        anchor_ = position;
    }
    return course_;
}
