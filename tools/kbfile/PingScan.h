#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "datafile/PingRecord.h"
#include "datafile/XtfReader.h"
#include "kbfile/NmeaSentences.h"
#include "kbfile/Problem.h"

namespace kbfile {

// Where a ping was found in its file.
struct PingPlace {
    std::uint64_t index = 0;  // 0 for the first ping
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    std::uint64_t fileSize = 0;  // of the whole file, for estimates
};

// Bytes done and the file size, reported as the walk goes.
using ProgressFn = std::function<void(std::uint64_t done, std::uint64_t total)>;
// Called for every ping in file order; returning a problem ends the walk with it.
using PingVisitor = std::function<std::optional<Problem>(const PingRecord&, const PingPlace&)>;

// A position in metres on a map plane, for files that navigate in projected coordinates.
struct PlanePoint {
    double easting = 0.0;
    double northing = 0.0;
};

// What a ping gives the survey products beyond its record.
struct SurveyPing {
    double rangeMetres = 0.0;                  // slant range of each side
    std::optional<GeoPoint> position;          // degrees
    std::optional<PlanePoint> plane;           // metres, when the file navigates so
    std::optional<double> headingDegrees;      // the sensor's own heading, when the file has one
    std::optional<double> fileAltitudeMetres;  // the sonar's altitude as the file states it
};

// Called for every ping in file order with what the survey products need.
using SurveyVisitor =
    std::function<std::optional<Problem>(const PingRecord&, const PingPlace&, const SurveyPing&)>;

// The channels of another system's XTF file that are drawn: CHANINFO indices.
struct ChannelChoice {
    std::optional<std::size_t> port;
    std::optional<std::size_t> starboard;
};

// How an XTF file of another system was read.
struct ForeignXtfSummary {
    XtfFileInfo file;
    ChannelChoice choice;
    std::uint16_t bytesPerSample = 1;            // of the drawn channels
    std::optional<std::uint16_t> gainReference;  // 16-bit samples: the value drawn as 254
    std::uint64_t sonarPackets = 0;
    std::uint64_t serialPackets = 0;  // raw serial text (NMEA)
    std::uint64_t otherPackets = 0;   // notes, bathymetry, attitude, ...: stepped over
    std::uint64_t emptyPings = 0;     // sonar packets without the drawn channels: left out
    std::uint64_t nmeaPositions = 0;  // pings placed by an NMEA packet's position
};

struct ScanOutcome {
    std::optional<Problem> problem;
    SourceKind kind = SourceKind::Dsx;
    std::uint64_t fileSize = 0;
    std::uint64_t pings = 0;
    std::optional<ForeignXtfSummary> foreign;  // an XTF file another system wrote
};

// Reads the whole file at path, one ping at a time. Fails on a missing or unreadable file, an
// unknown extension, a file without pings, and on the first record that does not decode (the
// whole file must be sound). XTF files of other systems are read through their sonar packets.
ScanOutcome scanFile(const std::string& path, const PingVisitor& visit,
                     const ProgressFn& progress = {});
ScanOutcome scanSurvey(const std::string& path, const SurveyVisitor& visit,
                       const ProgressFn& progress = {});

}  // namespace kbfile
