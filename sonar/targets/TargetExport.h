#pragma once

#include <optional>
#include <string>
#include <vector>

#include "targets/Target.h"

// The target list in the forms crews hand on: a spreadsheet, a globe viewer, a GIS.
enum class ExportFormat { Csv, Kml, GeoJson };

// By the file name's extension, in any letter case: .csv, .kml, .geojson or .json.
std::optional<ExportFormat> exportFormatOf(const std::string& path);

// "Mark 3": the kind and the target's place in the list, counted from 1.
std::string targetName(const Target& target, std::size_t index);

// The whole file. CSV: a header row, then one row per target, positions in decimal degrees
// (empty when unknown). KML 2.2: one Placemark per target with its name and a description of
// ping, time, side, range and height; a target without a position has no Point. GeoJSON: one
// FeatureCollection of the features the list holds, each with its name. `title` names the
// KML document.
std::string exportTargets(const std::vector<Target>& targets, ExportFormat format,
                          const std::string& title);

struct ExportOutcome {
    std::size_t written = 0;            // targets in the file made
    std::vector<std::string> warnings;  // lines of the list that were skipped
    std::optional<std::string> error;   // nothing was written; says why
};

// Reads a target list and writes it in the form outPath's extension names. The file appears
// whole or not at all.
ExportOutcome exportTargetList(const std::string& listPath, const std::string& outPath);
