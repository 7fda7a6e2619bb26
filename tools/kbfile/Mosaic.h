#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kbfile/PingScan.h"
#include "survey/MosaicGrid.h"
#include "survey/RasterWriter.h"

namespace kbfile {

struct MosaicOptions {
    // Metres a cell; none: chosen from the data (MosaicReport says how).
    std::optional<double> resolution;
};

struct MosaicReport {
    MosaicGrid grid;
    bool resolutionChosen = false;
    bool coarsened = false;      // the chosen cell size was raised to keep the grid in memory
    double pingSpacing = 0.0;    // median metres between consecutive placed pings
    double sampleSpacing = 0.0;  // median metres a sample
    std::uint64_t pings = 0;
    std::uint64_t drawn = 0;
    std::uint64_t unplaced = 0;  // no position, or no course yet to orient them by
    std::uint64_t noBottom = 0;  // placed, but no altitude on either side
};

struct MosaicOutcome {
    std::optional<Problem> problem;
    MosaicReport report;
};

// The most cells a mosaic may have: at 5 bytes a cell while it is drawn, about 1 GB.
constexpr std::int64_t kMaxMosaicCells = 200'000'000;

// Two passes over the inputs: the first finds each ping's position (fixes interpolated between
// the pings that brought them), heading and bottom, and sizes the grid in the UTM zone of the
// first fix; the second draws the pings, slant-range corrected, and the writer stores the
// result at output. Progress counts both passes over all inputs.
MosaicOutcome makeMosaic(const std::vector<std::string>& inputs, const std::string& output,
                         const MosaicOptions& options, RasterWriter& writer,
                         const ProgressFn& progress = {});

// What kbfile mosaic prints when it is done.
std::string formatMosaicReport(const std::string& output, const MosaicReport& report);

}  // namespace kbfile
