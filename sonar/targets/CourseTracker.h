#pragma once

#include <optional>

#include "targets/Geodesy.h"

// The vessel's course from successive GPS positions. A receiver repeats one fix for many pings
// and wanders by decimetres between fixes, so the bearing is taken only across a leg of at least
// kMinLegMetres; until then the last course stands.
class CourseTracker {
  public:
    static constexpr double kMinLegMetres = 2.0;
    // A longer step between pings is no voyage but a seek, a wrap or another file.
    static constexpr double kMaxStepMetres = 1000.0;

    void reset();
    // The course at a ping taken at this position; nothing until the vessel has moved.
    std::optional<double> update(geodesy::LatLon position);

  private:
    std::optional<geodesy::LatLon> anchor_;
    std::optional<geodesy::LatLon> last_;
    std::optional<double> course_;
};
