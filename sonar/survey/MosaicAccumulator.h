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
// altitude (SlantRange.h: the nadir gap and the ground past the last sample stay empty); a
// ground pixel of one cell takes the mean of the samples its span covers.
//
// A ping fills the strip between its own across-track line and the previous ping's: each cell
// whose centre lies between the two lines takes the value of the new ping at the cell's
// distance from it. Consecutive strips share their edges, so a track leaves neither stripes
// between pings nor gaps where a yawing fish fans its pings apart at long range, and a cell is
// written once per ping that covers it. Pings farther apart than kMaxJoinCells cells (at least
// kMinJoinMetres), or turned by more than kMaxJoinDegrees, are not joined: that is missing data,
// not a swath to stretch over; such a ping, and the first of a track, fills one cell's width.
//
// Where pings overlap, the value nearest to its own nadir wins (smallest across-track distance;
// the first ping keeps a tie): near-nadir samples are the least distorted by slope and beam
// spreading, and the rule does not depend on the order of the files.
class MosaicAccumulator {
  public:
    static constexpr std::uint8_t kNoData = 0;  // data values of 0 are stored as 1
    static constexpr int kMaxJoinCells = 16;
    static constexpr double kMinJoinMetres = 2.0;
    static constexpr double kMaxJoinDegrees = 30.0;

    explicit MosaicAccumulator(const MosaicGrid& grid);

    void addPing(const PlacedPing& ping, const PingSide& port, const PingSide& starboard);

    const MosaicGrid& grid() const { return grid_; }
    // Row-major, north row first; kNoData where nothing was drawn.
    std::span<const std::uint8_t> values() const { return values_; }
    // 255 where a cell holds data, 0 elsewhere.
    std::vector<std::uint8_t> alpha() const;
    std::int64_t pingsDrawn() const { return pingsDrawn_; }

  private:
    // A ping's across-track line in cell units (x east by columns, y south by rows): origin
    // and unit direction for one side.
    struct Line {
        double x = 0.0, y = 0.0, ax = 0.0, ay = 0.0;
    };
    struct Point {
        double x = 0.0, y = 0.0;
    };
    struct Station {
        double x = 0.0, y = 0.0;  // cell units
        double headingDegrees = 0.0;
    };

    void addSide(const Station& now, const std::optional<Station>& before, const PingSide& side,
                 double sideSign);
    // Ground pixels of one cell from the nadir outward; returns the first one past the gap.
    int layGround(const PingSide& side);
    // The cells between two lines, from nearCell to farCell along each, take the ground pixel
    // at their distance from `to`.
    void fillStrip(const Line& from, const Line& to, int nearCell, int farCell);
    // The cells whose centres lie inside a convex polygon of three or four corners.
    void fillConvex(const Point* corners, int count, const Line& to, int nearCell, int farCell);
    Line lineOf(const Station& s, double sideSign) const;

    MosaicGrid grid_;
    std::vector<std::uint8_t> values_;
    std::vector<float> nadirDistance_;  // cells from the track of the ping that drew the value
    std::vector<std::uint32_t> prefix_;
    std::vector<float> reciprocal_;  // 1 / n, so a mean costs no division
    std::vector<std::uint8_t> ground_;
    std::optional<Station> previous_;
    std::int64_t pingsDrawn_ = 0;
};
