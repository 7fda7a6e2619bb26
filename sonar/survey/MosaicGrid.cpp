#include "survey/MosaicGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

void MosaicExtent::add(const GridPoint& c, double reach) {
    if (!any_) {
        minE_ = maxE_ = c.easting;
        minN_ = maxN_ = c.northing;
        any_ = true;
    }
    minE_ = std::min(minE_, c.easting - reach);
    maxE_ = std::max(maxE_, c.easting + reach);
    minN_ = std::min(minN_, c.northing - reach);
    maxN_ = std::max(maxN_, c.northing + reach);
}

std::optional<MosaicGrid> MosaicExtent::grid(const UtmZone& zone, double resolution,
                                             std::int64_t maxCells, std::string* error) const {
    auto fail = [&](const std::string& why) -> std::optional<MosaicGrid> {
        if (error) {
            *error = why;
        }
        return std::nullopt;
    };
    if (!any_) {
        return fail("no positioned pings to place");
    }
    if (!(resolution > 0.0) || !std::isfinite(resolution)) {
        return fail("the resolution must be a positive number of metres");
    }
    MosaicGrid g;
    g.zone = zone;
    g.resolution = resolution;
    g.west = std::floor(minE_ / resolution) * resolution;
    g.north = std::ceil(maxN_ / resolution) * resolution;
    const double cols = std::ceil((maxE_ - g.west) / resolution);
    const double rows = std::ceil((g.north - minN_) / resolution);
    const double cells = std::max(cols, 1.0) * std::max(rows, 1.0);
    if (cells > static_cast<double>(maxCells) || cols > 1e9 || rows > 1e9) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "the mosaic would be %.0f x %.0f cells at %g m; choose a coarser resolution",
                      cols, rows, resolution);
        return fail(text);
    }
    g.width = static_cast<int>(std::max(cols, 1.0));
    g.height = static_cast<int>(std::max(rows, 1.0));
    return g;
}

namespace {
constexpr double kSteps[] = {1.0, 2.0, 2.5, 5.0};
constexpr int kFinestPower = -2;
constexpr int kCoarsestPower = 2;

std::vector<double> resolutions() {
    std::vector<double> all;
    for (int p = kFinestPower; p <= kCoarsestPower; ++p) {
        for (double s : kSteps) {
            all.push_back(s * std::pow(10.0, p));
        }
    }
    return all;
}
}  // namespace

double roundResolution(double metres) {
    const std::vector<double> all = resolutions();
    if (!(metres > 0.0)) {
        return all.front();
    }
    double best = all.front();
    for (double r : all) {
        if (std::fabs(std::log(r / metres)) < std::fabs(std::log(best / metres))) {
            best = r;
        }
    }
    return best;
}

double coarserResolution(double metres) {
    const std::vector<double> all = resolutions();
    for (double r : all) {
        if (r > metres * (1.0 + 1e-9)) {
            return r;
        }
    }
    return all.back();
}
