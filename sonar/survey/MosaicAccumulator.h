#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "survey/MosaicGrid.h"
#include "survey/TrackPlacer.h"

// One side of a ping: samples in slant order from the towfish outward.
struct PingSide {
    std::span<const std::uint8_t> samples;
    double metresPerSample = 0.0;
    std::optional<double> altitude;  // none: the side is not drawn (no bottom, no guess)
};

// Draws slant-range corrected pings into a grid. Each side is re-laid on a flat seabed at its
// altitude (SlantRange.h: the nadir gap and the ground past the last sample stay empty); a cell
// takes the mean of the samples its ground span covers. Where pings overlap, the sample nearest
// to its own nadir wins (smallest across-track distance; the first ping keeps a tie): near-nadir
// samples are the least distorted by slope and beam spreading, and the rule does not depend on
// the order of the files. Each ping is also drawn across the distance moved since the previous
// ping (at most kMaxSpanCells cells, beyond which a jump is a gap in the data, not a swath), so
// a fast boat at a fine resolution leaves no stripes.
class MosaicAccumulator {
  public:
    static constexpr std::uint8_t kNoData = 0;  // data values of 0 are stored as 1
    static constexpr int kMaxSpanCells = 16;

    explicit MosaicAccumulator(const MosaicGrid& grid);

    void addPing(const PlacedPing& ping, const PingSide& port, const PingSide& starboard);

    const MosaicGrid& grid() const { return grid_; }
    // Row-major, north row first; kNoData where nothing was drawn.
    std::span<const std::uint8_t> values() const { return values_; }
    // 255 where a cell holds data, 0 elsewhere.
    std::vector<std::uint8_t> alpha() const;
    std::int64_t pingsDrawn() const { return pingsDrawn_; }

  private:
    void addSide(const PlacedPing& ping, const PingSide& side, double sideSign);

    MosaicGrid grid_;
    std::vector<std::uint8_t> values_;
    std::vector<float> nadirDistance_;
    std::vector<std::uint32_t> prefix_;
    std::int64_t pingsDrawn_ = 0;
};
