#include "gps/TrackPlot.h"

#include <cmath>
#include <cstdlib>

#include "gps/Utm.h"

void TrackPlot::AddTrackPoint(double latitude, double longitude, bool restart) {
    previousEasting_ = easting_;
    previousNorthing_ = northing_;
    const UtmPoint p = LatLonToUtm(latitude, longitude);
    easting_ = p.easting;
    northing_ = p.northing;
    if (restart) {
        if (easting_ != 0.0 && northing_ != 0.0 && previousEasting_ == 0.0 &&
            previousNorthing_ == 0.0) {
            originEasting_ = easting_;
            originNorthing_ = northing_;
        }
        return;
    }
    const double stepX = easting_ - previousEasting_;
    const double stepY = previousNorthing_ - northing_;
    const double dxd = std::trunc(stepX + remainderX_);
    const double dyd = std::trunc(stepY + remainderY_);
    if (!(std::fabs(dxd) < kJumpMetres) || !(std::fabs(dyd) < kJumpMetres)) {
        return;  // a jump (or not a number): cut out of the track
    }
    const int dx = static_cast<int>(dxd);
    const int dy = static_cast<int>(dyd);
    if (std::sqrt(static_cast<double>(dx * dx + dy * dy)) < kJumpMetres) {
        trackX_ += dx;
        trackY_ += dy;
        remainderX_ += stepX - dx;
        remainderY_ += stepY - dy;
    }
    if (trackX_ != lastX_ || trackY_ != lastY_) {
        if (outline_.empty()) {
            outline_.push_back({lastX_, lastY_});
        }
        outline_.push_back({trackX_, trackY_});
    }
    lastX_ = trackX_;
    lastY_ = trackY_;
}

void TrackPlot::erase() {
    outline_.clear();
    trackX_ = trackY_ = 0;
    lastX_ = lastY_ = 0;
}
