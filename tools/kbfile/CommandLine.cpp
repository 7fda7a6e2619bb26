#include "kbfile/CommandLine.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "display/WaterfallImage.h"

namespace kbfile {
namespace {
constexpr int kWidthStep = 4;  // the waterfall image width is a multiple of 4
constexpr int kMaxTable = 8;
constexpr double kMinResolution = 0.01;
constexpr double kMaxResolution = 1000.0;

constexpr const char* kGeneralHelp = R"(Usage: kbfile COMMAND [ARGUMENTS]
Reads, converts and draws the ping files the keelbrook sonar program records.

Commands:
  info FILE                      summary of a file: pings, times, settings, GPS span
  convert IN OUT                 rewrite IN in the layout named by OUT's extension
  render IN OUT.png [OPTIONS]    draw the whole file as one waterfall picture
  mosaic IN... OUT.tif [OPTIONS] place the pings of one or more files on a map (GeoTIFF)
  targets IN.targets.jsonl OUT   the marks of a recording as .csv, .kml or .geojson

A file's kind follows from its extension, in any letter case: .dsx (kind 0), .ss2 (kind 1),
.xtf (kind 2; XTF files of other acquisition systems are read too).
'kbfile help COMMAND' or 'kbfile COMMAND --help' describes one command.

Exit status: 0 done, 1 a file could not be read or written (one line on stderr names it),
2 bad usage. Files of 16 MB and more show a percentage on a terminal while they are read.
)";

constexpr const char* kInfoHelp = R"(Usage: kbfile info FILE
Prints the kind, the number of pings, the first and last ping (number, date and time), the
samples per ping and the settings of the first ping (range index and metres, mode Low, Medium
or High, data gain, gain balance), then every ping where one of them changes, with its record
number and byte offset (the first 500 are listed, the rest counted), and the span of the GPS
positions when the file has any. Positions come from the NMEA sentences of .dsx records, the
GPS texts of .ss2 records and the coordinates of XTF pings (0, 0 counts as none).
The altitude track: in how many pings the seabed's first return was found (port, starboard),
the fish's height above it (the nearer side; minimum, median, maximum) and, for files that
state it, the altitude the file itself records.
)";

constexpr const char* kConvertHelp = R"(Usage: kbfile convert IN OUT
Rewrites every ping of IN in the layout OUT's extension names (.dsx, .ss2 or .xtf; the same
kind re-encodes). Samples, settings, date and time are kept as far as the target holds them:
  .dsx  no GPS numbers or texts, only NMEA sentences: a ping that brings a position from .ss2
        or XTF gets one $GPRMC sentence with it (GPS type RMC)
  .ss2  no ping number (numbered 1, 2, ... when read), no milliseconds, no sentences (the
        latest position, speed and heading are kept instead), at most 2445 samples a ping,
        speed and heading in tenths, speed below 25.6 knots
  .xtf  no head return header, no sentences, no mode other than Low, Medium or High,
        milliseconds in steps of 10
Samples are copied as stored; keelbrook draws .ss2 samples at double strength. A failure part
way removes the partial OUT.
)";

constexpr const char* kMosaicHelp = R"(Usage: kbfile mosaic IN... OUT.tif [OPTIONS]
Places every ping of the files IN on a map and writes one GeoTIFF: band 1 the echo strength
(no-data value 0), band 2 an alpha mask (255 where a ping was drawn), north up, in the WGS 84
UTM zone of the first position (EPSG:326xx north, 327xx south), readable by GDAL and GIS programs.
  --resolution M             cell size in metres (default: chosen from the spacing of the pings
                             and of the samples, and printed)
Each ping is slant-range corrected (the first bottom return of each side gives the height;
a short run of pings without one keeps the last height) and drawn across track from its
position: positions between GPS fixes are interpolated, the heading is the file's own when it
has one, else the course from the track. Where pings overlap, the echo nearest to its own track
wins. Every file must carry latitude and longitude; one without gives a one-line error.
)";

constexpr const char* kRenderHelp = R"(Usage: kbfile render IN OUT.png [OPTIONS]
Draws every ping of IN through keelbrook's ping-to-image pipeline (speed correction and
vertical blending off) as one PNG picture, one row per ping, the first ping at the top.
  --width N                  picture width in pixels, rounded down to a multiple of 4
                             (4 to 16384, default 1024)
  --table N                  colour table 0..8 (default 3 Grey): 0 Normal High, 1 Normal Low,
                             2 Green, 3 Grey, 4 Reverse Grey, 5 Brown / Yellow,
                             6 Green / Blue, 7 Green / Yellow, 8 Blue
  --layout port|stbd|both    side layout (default both)
  --slant-range              re-lay each ping on the seabed: a pixel at horizontal distance d
                             from the track shows the echo from slant range sqrt(d^2 + h^2),
                             h the height above the first bottom return of that side; the
                             nadir gap under the fish and a side without a bottom are left
                             empty (drawn as the table's zero colour)
Long files: a picture has at most 65535 rows (taller PNG files are refused by many readers)
and at most 134217728 pixels. A file with more pings is scaled down: each row then holds the
peak of several consecutive pings, pixel by pixel, and a note on stderr says how many.
)";

constexpr const char* kTargetsHelp = R"(Usage: kbfile targets IN.targets.jsonl OUT.{csv,kml,geojson}
Writes the target list keelbrook keeps beside a recorded or played file (FILE.targets.jsonl:
every '+' mark, range and height measurement, one GeoJSON Feature a line) in the form OUT's
extension names, the same files as keelbrook's File > Export Targets:
  .csv      a header row, then one row per target: name, kind, ping, date, time, side,
            range_m, height_m, latitude, longitude (WGS 84 decimal degrees, empty without a
            position), track_latitude, track_longitude, course_deg, course_from,
            offset_applied
  .kml      one placemark per target, for a globe viewer
  .geojson  one FeatureCollection (WGS 84, longitude before latitude)
A line cut short by a crash is skipped with a note on stderr naming it; the other targets are
written. OUT appears whole or not at all.
)";

std::optional<int> intValue(std::string_view text) {
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return v;
}

std::optional<double> doubleValue(std::string_view text) {
    double v = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

std::optional<Command> commandNamed(std::string_view name) {
    if (name == "info") {
        return Command::Info;
    }
    if (name == "convert") {
        return Command::Convert;
    }
    if (name == "render") {
        return Command::Render;
    }
    if (name == "mosaic") {
        return Command::Mosaic;
    }
    if (name == "targets") {
        return Command::Targets;
    }
    return std::nullopt;
}

std::size_t fileCount(Command c) {
    return c == Command::Info ? 1 : 2;
}

bool rightFileCount(Command c, std::size_t n) {
    return c == Command::Mosaic ? n >= 2 : n == fileCount(c);
}

const char* commandText(Command c) {
    switch (c) {
        case Command::Info:
            return "info";
        case Command::Convert:
            return "convert";
        case Command::Render:
            return "render";
        case Command::Mosaic:
            return "mosaic";
        case Command::Targets:
            return "targets";
        case Command::None:
            break;
    }
    return "";
}

CommandLine failure(std::string error) {
    CommandLine cl;
    cl.error = std::move(error);
    return cl;
}

CommandLine helpFor(Command c) {
    CommandLine cl;
    cl.status = CommandLine::Status::Help;
    cl.command = c;
    cl.help = helpText(c);
    return cl;
}

// Stores one render option; an empty text when it was fine, otherwise the complaint.
std::string setRenderOption(std::string_view name, std::string_view value, RenderOptions& o) {
    if (name == "--width") {
        const std::optional<int> w = intValue(value);
        if (!w || *w < kWidthStep || *w > WaterfallImage::kMaxDimension) {
            return "--width wants a number from 4 to 16384";
        }
        o.width = *w - *w % kWidthStep;
    } else if (name == "--table") {
        const std::optional<int> t = intValue(value);
        if (!t || *t < 0 || *t > kMaxTable) {
            return "--table wants a number from 0 to 8";
        }
        o.table = *t;
    } else if (name == "--layout") {
        if (value == "port") {
            o.layout = SideLayout::PortOnly;
        } else if (value == "stbd") {
            o.layout = SideLayout::StarboardOnly;
        } else if (value == "both") {
            o.layout = SideLayout::BothSides;
        } else {
            return "--layout wants port, stbd or both";
        }
    } else {
        return "unknown option '" + std::string(name) + "'";
    }
    return {};
}

std::string setMosaicOption(std::string_view name, std::string_view value, MosaicOptions& o) {
    if (name != "--resolution") {
        return "unknown option '" + std::string(name) + "'";
    }
    const std::optional<double> r = doubleValue(value);
    if (!r || *r < kMinResolution || *r > kMaxResolution) {
        return "--resolution wants metres from 0.01 to 1000";
    }
    o.resolution = *r;
    return {};
}

CommandLine parseCommand(Command c, const std::vector<std::string>& args) {
    CommandLine cl;
    cl.command = c;
    const std::string prefix = std::string("kbfile ") + commandText(c) + ": ";
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view a = args[i];
        if (a == "--help" || a == "-h") {
            return helpFor(c);
        }
        if (!a.starts_with("--") || a == "--") {
            cl.files.push_back(args[i]);
            continue;
        }
        if (c == Command::Render && a == "--slant-range") {
            cl.render.slantRange = true;
            continue;
        }
        if (c != Command::Render && c != Command::Mosaic) {
            return failure(prefix + "unknown option '" + args[i] + "'");
        }
        const std::size_t eq = a.find('=');
        std::string_view name = a.substr(0, eq);
        std::string_view value;
        if (eq != std::string_view::npos) {
            value = a.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        }
        const std::string complaint = c == Command::Render
                                          ? setRenderOption(name, value, cl.render)
                                          : setMosaicOption(name, value, cl.mosaic);
        if (!complaint.empty()) {
            return failure(prefix + complaint);
        }
    }
    if (!rightFileCount(c, cl.files.size())) {
        const char* wants = c == Command::Mosaic ? "wants one or more files and the output"
                            : fileCount(c) == 1  ? "wants one file"
                                                 : "wants two files";
        return failure(prefix + wants + " (try 'kbfile " + commandText(c) + " --help')");
    }
    cl.status = CommandLine::Status::Run;
    return cl;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) {
        return failure("kbfile: no command given (try 'kbfile --help')");
    }
    const std::string& first = args[0];
    if (first == "--help" || first == "-h") {
        return helpFor(Command::None);
    }
    if (first == "help") {
        if (args.size() < 2) {
            return helpFor(Command::None);
        }
        const std::optional<Command> c = commandNamed(args[1]);
        return c ? helpFor(*c) : failure("kbfile: unknown command '" + args[1] + "'");
    }
    const std::optional<Command> c = commandNamed(first);
    if (!c) {
        return failure("kbfile: unknown command '" + first + "' (try 'kbfile --help')");
    }
    return parseCommand(*c, args);
}

std::string helpText(Command command) {
    switch (command) {
        case Command::Info:
            return kInfoHelp;
        case Command::Convert:
            return kConvertHelp;
        case Command::Render:
            return kRenderHelp;
        case Command::Mosaic:
            return kMosaicHelp;
        case Command::Targets:
            return kTargetsHelp;
        case Command::None:
            break;
    }
    return kGeneralHelp;
}

}  // namespace kbfile
