#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "survey/ZoneProjection.h"

// A north-up raster in one UTM zone: cell (col, row) covers easting west + col * resolution and
// northing north - row * resolution, to the next cell.
struct MosaicGrid {
    UtmZone zone;
    double west = 0.0;
    double north = 0.0;
    double resolution = 1.0;
    int width = 0;
    int height = 0;

    // GDAL's affine transform: x = t0 + col * t1 + row * t2, y = t3 + col * t4 + row * t5.
    std::array<double, 6> geoTransform() const {
        return {west, resolution, 0.0, north, 0.0, -resolution};
    }
};

// Gathers where pings reach so a grid can be sized before any ping is drawn.
class MosaicExtent {
  public:
    // A ping at `centre` whose swath reaches at most `reach` metres from it.
    void add(const GridPoint& centre, double reach);
    bool empty() const { return !any_; }

    // The grid covering everything added, edges on whole multiples of the resolution. Refuses
    // (with a one-line reason) an empty extent or more than maxCells cells.
    std::optional<MosaicGrid> grid(const UtmZone& zone, double resolution, std::int64_t maxCells,
                                   std::string* error) const;

  private:
    bool any_ = false;
    double minE_ = 0.0, maxE_ = 0.0, minN_ = 0.0, maxN_ = 0.0;
};

// Cell sizes a user would pick: 1, 2, 2.5 and 5 times a power of ten, from 1 cm to 500 m. The
// one nearest to `metres` (on a log scale), and the next coarser one.
double roundResolution(double metres);
double coarserResolution(double metres);
