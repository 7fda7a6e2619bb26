#include "document/TargetReport.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "targets/TargetExport.h"
#include "targets/TargetLog.h"

namespace {
const std::vector<FileFilter>& exportFilters() {
    static const std::vector<FileFilter> filters{
        {"CSV Spreadsheet (*.csv)", "*.csv"},
        {"KML for Globe Viewers (*.kml)", "*.kml"},
        {"GeoJSON (*.geojson)", "*.geojson"},
    };
    return filters;
}

bool known(const std::string& text) {
    return text != kGpsNotAvailable;
}

// Latitude and longitude carry their hemisphere's sign once a position arrived. (0, 0) is what
// a file without navigation stores, not a place anyone surveys.
std::optional<geodesy::LatLon> positionOf(const GpsFix& fix, const GpsText& text) {
    if (fix.latitudeHemisphere == 0 || fix.longitudeHemisphere == 0 ||
        !known(text[GpsText::Latitude]) || !known(text[GpsText::Longitude])) {
        return std::nullopt;
    }
    const bool south = fix.latitudeHemisphere == 'S' || fix.latitudeHemisphere == 's';
    const bool west = fix.longitudeHemisphere == 'W' || fix.longitudeHemisphere == 'w';
    const geodesy::LatLon p{south ? -std::fabs(fix.latitude) : std::fabs(fix.latitude),
                            west ? -std::fabs(fix.longitude) : std::fabs(fix.longitude)};
    if (!std::isfinite(p.latitude) || !std::isfinite(p.longitude) || std::fabs(p.latitude) > 90.0 ||
        std::fabs(p.longitude) > 180.0 || (p.latitude == 0.0 && p.longitude == 0.0)) {
        return std::nullopt;
    }
    return p;
}
}  // namespace

RowNav TargetReport::navOf(const GpsFix& fix, const GpsText& text, std::uint32_t pingNumber) {
    RowNav nav;
    nav.pingNumber = pingNumber;
    const std::optional<geodesy::LatLon> p = positionOf(fix, text);
    if (!p) {
        return nav;
    }
    nav.hasPosition = true;
    nav.latitude = p->latitude;
    nav.longitude = p->longitude;
    if (const std::optional<double> course = course_.update(*p)) {
        nav.courseFrom = CourseFrom::Positions;
        nav.courseDegrees = *course;
    } else if (known(text[GpsText::Heading]) && std::isfinite(fix.headingDegrees)) {
        nav.courseFrom = CourseFrom::Heading;
        nav.courseDegrees = fix.headingDegrees;
    }
    return nav;
}

void TargetReport::place(const PlacedTarget& placed, const std::vector<std::string>& dataPaths) {
    const Target target = targetOf(placed);
    for (const std::string& data : dataPaths) {
        const std::string list = target_log::sidecarPath(data);
        const std::optional<std::string> error = target_log::append(list, target);
        if (!error) {
            reportedFailures_.erase(list);
        } else if (reportedFailures_.insert(list).second) {
            prompts_.message("Cannot add the target to\n" + list + ":\n" + *error,
                             MessageIcon::Warning);
        }
    }
}

bool TargetReport::hasList(const std::string& dataPath) {
    std::error_code ec;
    return !dataPath.empty() &&
           std::filesystem::is_regular_file(target_log::sidecarPath(dataPath), ec);
}

void TargetReport::exportList(const std::string& dataPath) {
    const std::filesystem::path data(dataPath);
    std::string folder = data.parent_path().string();
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    const std::optional<FileChoice> choice = prompts_.askSaveFile(
        {kExportTitle, exportFilters(), folder, exportFilter_, data.stem().string() + "-targets"});
    if (!choice) {
        return;
    }
    const int filter =
        std::clamp(choice->filterIndex, 0, static_cast<int>(exportFilters().size()) - 1);
    exportFilter_ = filter;
    std::string out = choice->path;
    if (!exportFormatOf(out)) {
        // A name typed with another ending gets the chosen kind's.
        out += exportFilters()[static_cast<std::size_t>(filter)].pattern.substr(1);
    }
    const ExportOutcome result = exportTargetList(target_log::sidecarPath(dataPath), out);
    if (result.error) {
        prompts_.message("Cannot export the targets:\n" + *result.error, MessageIcon::Error);
        return;
    }
    if (!result.warnings.empty()) {
        prompts_.message(std::to_string(result.warnings.size()) +
                             " damaged line(s) of the target list were skipped; " +
                             std::to_string(result.written) + " target(s) exported to\n" + out,
                         MessageIcon::Warning);
    }
}
