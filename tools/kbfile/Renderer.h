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
    // Rows the picture may have; 0 takes what PNG readers and memory allow at this width.
    std::size_t maxRows = 0;
};

// The sizes of the hand-over from drawing to the PNG writer: rows go over in batches of about
// batchBytes, and at most queuedBatches wait.
struct RenderTuning {
    std::size_t batchBytes = std::size_t{256} << 10;
    std::size_t queuedBatches = 16;
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

// What a render to a PNG file drew.
struct PngRenderOutcome {
    std::optional<Problem> problem;
    int width = 0;
    int height = 0;
    std::uint64_t pings = 0;
    std::uint64_t pingsPerRow = 1;
};

// Sends every ping of the file through the display pipeline, speed correction off, and
// collects each line it draws.
RenderOutcome renderFile(const std::string& path, const RenderOptions& options,
                         const ProgressFn& progress = {});

// The same picture written to a PNG file as it is drawn: the file is read ahead on one thread,
// drawn on the calling one and compressed and written on a third, so a large file takes about
// as long as the slowest of the three. The bytes are those of renderFile's picture written in
// one go. A problem in any stage stops the others; out is then left as it was.
PngRenderOutcome renderPng(const std::string& in, const std::string& out,
                           const RenderOptions& options, const ProgressFn& progress = {},
                           const RenderTuning& tuning = {});

}  // namespace kbfile
