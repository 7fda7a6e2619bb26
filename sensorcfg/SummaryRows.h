#pragma once

#include <string>
#include <vector>

#include "sensorcfg/SensorConfig.h"

// The read-only summary of a configuration as text cells on a fixed-pitch grid: rows of one
// line height, columns of one average character width. Labels are drawn bold blue, values in
// the regular text style. Texts are UTF-8.
struct SummaryCell {
    int row = 0;
    int column = 0;
    std::string text;
    bool label = false;

    bool operator==(const SummaryCell&) const = default;
};

// `title` is the document's title: the file name, or "Untitled".
std::vector<SummaryCell> summaryCells(const SensorConfig& config, const std::string& title);

// The cells as plain text lines, each cell starting at its column (or one blank after the
// previous cell when that one runs long). Used by the command line.
std::string summaryText(const std::vector<SummaryCell>& cells);

// Grid extent in rows and columns, for scrolling and page layout.
struct SummaryExtent {
    int rows = 0;
    int columns = 0;
};
SummaryExtent summaryExtent(const std::vector<SummaryCell>& cells);
