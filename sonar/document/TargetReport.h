#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "acquisition/Ports.h"
#include "display/PlacedTarget.h"
#include "display/RowRecord.h"
#include "gps/GpsTypes.h"
#include "targets/CourseTracker.h"

// The document's target report: where each ping was taken and which way the vessel went (kept
// in the ping's image row), and every target the operator places, appended at once to the list
// beside the file being recorded or played.
class TargetReport {
  public:
    static constexpr const char* kExportTitle = "Export Targets";

    explicit TargetReport(UserPrompts& prompts) : prompts_(prompts) {}

    // A jump in the voyage (a file opened, a seek, a wrap): the course starts again.
    void restartCourse() { course_.reset(); }

    // The row record's navigation for a ping drawn now. The course comes from successive
    // positions, the same way a mosaic lays the pings; while the vessel has not moved far enough
    // for that, from the GPS course over ground when the GPS gave one.
    RowNav navOf(const GpsFix& fix, const GpsText& text, std::uint32_t pingNumber);

    // Appends the target to the list of every file given. A list that cannot be written is
    // reported once, so a full or read-only disk does not stop the survey with a box per mark.
    void place(const PlacedTarget& target, const std::vector<std::string>& dataPaths);

    static bool hasList(const std::string& dataPath);

    // File > Export Targets: asks for a name and writes the data file's list as CSV, KML or
    // GeoJSON by its extension.
    void exportList(const std::string& dataPath);

  private:
    UserPrompts& prompts_;
    CourseTracker course_;
    std::set<std::string> reportedFailures_;
    int exportFilter_ = 0;
};
