#include "targets/TargetExport.h"

#include <algorithm>
#include <cctype>

#include <filesystem>

#include "display/imagesave/AtomicFile.h"
#include "targets/Decimal.h"
#include "targets/TargetJson.h"
#include "targets/TargetLog.h"

namespace {
constexpr int kDegreeDecimals = 8;
constexpr int kMetreDecimals = 2;
constexpr int kCourseDecimals = 1;

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string number(const std::optional<double>& v, int decimals) {
    return v ? decimalText(*v, decimals) : "";
}

// RFC 4180: a field with a comma, quote or line break is quoted, its quotes doubled.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

std::string xmlText(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::optional<double> latOf(const std::optional<geodesy::LatLon>& p) {
    return p ? std::optional<double>(p->latitude) : std::nullopt;
}
std::optional<double> lonOf(const std::optional<geodesy::LatLon>& p) {
    return p ? std::optional<double>(p->longitude) : std::nullopt;
}

std::string csv(const std::vector<Target>& targets) {
    std::string out =
        "name,kind,ping,date,time,side,range_m,height_m,latitude,longitude,track_latitude,"
        "track_longitude,course_deg,course_from,offset_applied\r\n";
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const Target& t = targets[i];
        const std::string fields[] = {
            targetName(t, i),
            kindText(t.kind),
            t.ping ? std::to_string(*t.ping) : "",
            t.date,
            t.time,
            sideText(t.side),
            decimalText(t.rangeMetres, kMetreDecimals),
            number(t.heightMetres, kMetreDecimals),
            number(latOf(t.position), kDegreeDecimals),
            number(lonOf(t.position), kDegreeDecimals),
            number(latOf(t.track), kDegreeDecimals),
            number(lonOf(t.track), kDegreeDecimals),
            number(t.courseDegrees, kCourseDecimals),
            courseFromText(t.courseFrom),
            t.offsetApplied ? "yes" : "no",
        };
        for (std::size_t f = 0; f < std::size(fields); ++f) {
            out += (f ? "," : "") + csvField(fields[f]);
        }
        out += "\r\n";
    }
    return out;
}

std::string description(const Target& t) {
    std::string d = t.ping ? "Ping " + std::to_string(*t.ping) : std::string("No ping number");
    d += ", " + t.date + " " + t.time + "\n";
    d += std::string(t.side == TrackSide::Starboard ? "Starboard" : "Port") + " " +
         decimalText(t.rangeMetres, kMetreDecimals) + " m";
    if (t.heightMetres) {
        d += ", height " + decimalText(*t.heightMetres, kMetreDecimals) + " m";
    }
    if (!t.position) {
        d += "\nNo GPS position on this ping";
    } else if (!t.offsetApplied) {
        d += "\nCourse unknown: placed on the track, not offset by the range";
    } else {
        d += "\nCourse " + decimalText(*t.courseDegrees, kCourseDecimals) + " deg (from " +
             courseFromText(t.courseFrom) + ")";
    }
    return d;
}

std::string kml(const std::vector<Target>& targets, const std::string& title) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n<name>" +
        xmlText(title) + "</name>\n";
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const Target& t = targets[i];
        out += "<Placemark>\n<name>" + xmlText(targetName(t, i)) + "</name>\n<description>" +
               xmlText(description(t)) + "</description>\n";
        if (t.position) {
            out += "<Point><coordinates>" + decimalText(t.position->longitude, kDegreeDecimals) +
                   "," + decimalText(t.position->latitude, kDegreeDecimals) +
                   ",0</coordinates></Point>\n";
        }
        out += "</Placemark>\n";
    }
    return out + "</Document>\n</kml>\n";
}

std::string geojson(const std::vector<Target>& targets) {
    std::string out = "{\"type\":\"FeatureCollection\",\"features\":[";
    for (std::size_t i = 0; i < targets.size(); ++i) {
        out += (i ? ",\n" : "\n") + featureJson(targets[i], targetName(targets[i], i));
    }
    return out + "\n]}\n";
}
}  // namespace

std::optional<ExportFormat> exportFormatOf(const std::string& path) {
    const std::string name = lower(path);
    if (name.ends_with(".csv")) {
        return ExportFormat::Csv;
    }
    if (name.ends_with(".kml")) {
        return ExportFormat::Kml;
    }
    if (name.ends_with(".geojson") || name.ends_with(".json")) {
        return ExportFormat::GeoJson;
    }
    return std::nullopt;
}

std::string targetName(const Target& t, std::size_t index) {
    std::string kind = kindText(t.kind);
    kind[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(kind[0])));
    return kind + " " + std::to_string(index + 1);
}

std::string exportTargets(const std::vector<Target>& targets, ExportFormat format,
                          const std::string& title) {
    switch (format) {
        case ExportFormat::Csv:
            return csv(targets);
        case ExportFormat::Kml:
            return kml(targets, title);
        case ExportFormat::GeoJson:
            break;
    }
    return geojson(targets);
}

ExportOutcome exportTargetList(const std::string& listPath, const std::string& outPath) {
    ExportOutcome out;
    const std::optional<ExportFormat> format = exportFormatOf(outPath);
    if (!format) {
        out.error = "unknown extension (expected .csv, .kml or .geojson)";
        return out;
    }
    target_log::Contents list = target_log::read(listPath);
    out.warnings = std::move(list.warnings);
    if (list.error) {
        out.error = "cannot read " + listPath + ": " + *list.error;
        return out;
    }
    // The KML document is named after the data file the list belongs to.
    std::string title = std::filesystem::path(listPath).filename().string();
    if (title.ends_with(target_log::kSuffix)) {
        title.resize(title.size() - std::string_view(target_log::kSuffix).size());
    }
    const std::string text = exportTargets(list.targets, *format, title);
    if (!writeFileAtomically(outPath, std::vector<std::uint8_t>(text.begin(), text.end()))) {
        out.error = "cannot write " + outPath;
        return out;
    }
    out.written = list.targets.size();
    return out;
}
