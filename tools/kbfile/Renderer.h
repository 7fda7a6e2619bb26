#pragma once

#include "display/ColourTables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "display/SideLayout.h"
#include "kbfile/PingScan.h"

namespace kbfile {

struct RenderOptions {
    static constexpr int kDefaultWidth = 1024;
    static constexpr int kDefaultTable = 3;  // Grey

    int width = kDefaultWidth;  // a multiple of 4
    int table = kDefaultTable;
    SideLayout layout = SideLayout::BothSides;
    // Each ping re-laid on the seabed first (PingRelayer): the nadir gap drawn as no data.
    bool slantRange = false;
};

// A waterfall picture of a file: one row per ping (or per pingsPerRow pings), first ping at
// the top, one palette index a pixel. Kept indexed, so the PNG is written as a palette image:
// a third of the bytes to compress.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
    ColourTables::Table palette{};
    std::uint64_t pings = 0;
    std::uint64_t pingsPerRow = 1;
};

struct RenderOutcome {
    std::optional<Problem> problem;
    RgbPicture picture;
};

// Sends every ping of the file through the display pipeline, speed correction off, and
// collects each line it draws.
RenderOutcome renderFile(const std::string& path, const RenderOptions& options,
                         const ProgressFn& progress = {});

}  // namespace kbfile
