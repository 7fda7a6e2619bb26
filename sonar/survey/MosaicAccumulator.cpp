#include "survey/MosaicAccumulator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "survey/SlantRange.h"

namespace {
constexpr double kDegreesToRadians = 0.017453292519943295;

// The smallest integer not below v.
int ceilToInt(double v) {
    const int t = static_cast<int>(v);
    return v > t ? t + 1 : t;
}

double turnDegrees(double a, double b) {
    const double d = std::fabs(std::fmod(a - b, 360.0));
    return d > 180.0 ? 360.0 - d : d;
}
}  // namespace

MosaicAccumulator::MosaicAccumulator(const MosaicGrid& grid)
    : grid_(grid),
      values_(static_cast<std::size_t>(grid.width) * grid.height, kNoData),
      nadirDistance_(values_.size(), std::numeric_limits<float>::infinity()) {}

void MosaicAccumulator::addPing(const PlacedPing& ping, const PingSide& port,
                                const PingSide& starboard) {
    const double invRes = 1.0 / grid_.resolution;
    const Station now{(ping.position.easting - grid_.west) * invRes,
                      (grid_.north - ping.position.northing) * invRes, ping.headingDegrees};
    std::optional<Station> before;
    if (previous_) {
        const double cells = std::hypot(now.x - previous_->x, now.y - previous_->y);
        const double limit = std::max<double>(kMaxJoinCells, kMinJoinMetres * invRes);
        if (cells <= limit &&
            turnDegrees(now.headingDegrees, previous_->headingDegrees) <= kMaxJoinDegrees) {
            before = previous_;
        }
    }
    addSide(now, before, port, -1.0);
    addSide(now, before, starboard, 1.0);
    previous_ = now;
    ++pingsDrawn_;
}

MosaicAccumulator::Line MosaicAccumulator::lineOf(const Station& s, double sideSign) const {
    const double theta = s.headingDegrees * kDegreesToRadians;
    // Outward across track, in cell units (rows run south): starboard of north is east.
    return {s.x, s.y, sideSign * std::cos(theta), sideSign * std::sin(theta)};
}

void MosaicAccumulator::addSide(const Station& now, const std::optional<Station>& before,
                                const PingSide& side, double sideSign) {
    const int nearCell = layGround(side);
    const int farCell = static_cast<int>(ground_.size());
    if (nearCell >= farCell) {
        return;
    }
    const Line to = lineOf(now, sideSign);
    if (before) {
        fillStrip(lineOf(*before, sideSign), to, nearCell, farCell);
        return;
    }
    // A lone ping: one cell's width centred on its line.
    const double theta = now.headingDegrees * kDegreesToRadians;
    const double fx = 0.5 * std::sin(theta), fy = -0.5 * std::cos(theta);
    Line behind = to, ahead = to;
    behind.x -= fx;
    behind.y -= fy;
    ahead.x += fx;
    ahead.y += fy;
    fillStrip(behind, ahead, nearCell, farCell);
}

int MosaicAccumulator::layGround(const PingSide& side) {
    ground_.clear();
    const int n = static_cast<int>(side.samples.size());
    if (!side.altitude || n == 0 || !(side.metresPerSample > 0.0) || !(*side.altitude >= 0.0)) {
        return 0;
    }
    const double res = grid_.resolution;
    const double h = *side.altitude;
    const double h2 = h * h;
    const double range = n * side.metresPerSample;
    if (range <= h) {
        return 0;
    }
    prefix_.resize(n + 1);
    prefix_[0] = 0;
    for (int i = 0; i < n; ++i) {
        prefix_[i + 1] = prefix_[i] + side.samples[i];
    }
    if (reciprocal_.size() < static_cast<std::size_t>(n + 1)) {
        reciprocal_.resize(n + 1);
        for (int i = 1; i <= n; ++i) {
            // A hair above 1 / i, so a mean that is a whole number is not truncated below it.
            reciprocal_[i] = (1.0f + 1e-6f) / static_cast<float>(i);
        }
    }
    const double gap = nadirGapWidth({side.metresPerSample, h});
    const int pixels = static_cast<int>(std::sqrt(range * range - h2) / res);
    ground_.assign(static_cast<std::size_t>(std::max(pixels, 0)), kNoData);
    // The first pixel whose centre is past the nadir gap.
    const int nearCell = std::min(pixels, std::max(0, ceilToInt(gap / res - 0.5)));
    // Pixel k spans ground [k, k + 1) cells: slant samples from its inner to its outer edge, in
    // float (a sample index to well under a hundredth at any range a ping reaches).
    const auto samplesPerCell = static_cast<float>(res / side.metresPerSample);
    const auto heightInSamples = static_cast<float>(h / side.metresPerSample);
    const float h2s = heightInSamples * heightInSamples;
    auto edge = [&](int k) {
        const float d = static_cast<float>(k) * samplesPerCell;
        return static_cast<int>(std::sqrt(d * d + h2s));
    };
    int inner = edge(nearCell);
    for (int k = nearCell; k < pixels; ++k) {
        const int outer = edge(k + 1);
        const int i0 = std::min(inner, n - 1);
        const int i1 = std::clamp(outer, i0 + 1, n);
        const float sum = static_cast<float>(prefix_[i1] - prefix_[i0]);
        const auto mean = static_cast<std::uint8_t>(sum * reciprocal_[i1 - i0]);
        ground_[k] = mean == kNoData ? kNoData + 1 : mean;
        inner = outer;
    }
    return nearCell;
}

void MosaicAccumulator::fillStrip(const Line& from, const Line& to, int nearCell, int farCell) {
    const Point a{from.x + nearCell * from.ax, from.y + nearCell * from.ay};
    const Point b{from.x + farCell * from.ax, from.y + farCell * from.ay};
    const Point c{to.x + farCell * to.ax, to.y + farCell * to.ay};
    const Point d{to.x + nearCell * to.ax, to.y + nearCell * to.ay};
    // A yawing fish turns consecutive lines across each other within the swath: the strip is
    // then two triangles meeting where the lines cross.
    const double cross = from.ax * to.ay - from.ay * to.ax;
    if (std::fabs(cross) > 1e-12) {
        const double dx = to.x - from.x, dy = to.y - from.y;
        const double s = (dx * to.ay - dy * to.ax) / cross;
        const double t = (dx * from.ay - dy * from.ax) / cross;
        if ((s > nearCell && s < farCell) || (t > nearCell && t < farCell)) {
            const double sc = std::clamp<double>(s, nearCell, farCell);
            const double tc = std::clamp<double>(t, nearCell, farCell);
            const Point x{0.5 * (from.x + sc * from.ax + to.x + tc * to.ax),
                          0.5 * (from.y + sc * from.ay + to.y + tc * to.ay)};
            const Point nearSide[3] = {a, x, d};
            const Point farSide[3] = {x, b, c};
            fillConvex(nearSide, 3, to, nearCell, farCell);
            fillConvex(farSide, 3, to, nearCell, farCell);
            return;
        }
    }
    const Point quad[4] = {a, b, c, d};
    fillConvex(quad, 4, to, nearCell, farCell);
}

void MosaicAccumulator::fillConvex(const Point* corners, int count, const Line& to, int nearCell,
                                   int farCell) {
    double ys[4];
    for (int i = 0; i < count; ++i) {
        ys[i] = corners[i].y;
    }
    for (int i = 1; i < count; ++i) {
        for (int j = i; j > 0 && ys[j] < ys[j - 1]; --j) {
            std::swap(ys[j], ys[j - 1]);
        }
    }
    const int width = grid_.width;
    const int lastPixel = farCell - 1;
    const float step = static_cast<float>(to.ax);
    // Between consecutive corner heights exactly two edges bound a convex polygon.
    for (int band = 0; band + 1 < count; ++band) {
        const double y0 = ys[band], y1 = ys[band + 1];
        const int firstRow = std::max(0, ceilToInt(y0 - 0.5));
        const int endRow = std::min(grid_.height, ceilToInt(y1 - 0.5));
        if (!(y1 > y0) || firstRow >= endRow) {
            continue;
        }
        const double mid = 0.5 * (y0 + y1);
        double x0[2], slope[2], atMid[2];
        int found = 0;
        for (int i = 0; i < count && found < 2; ++i) {
            const Point& p = corners[i];
            const Point& q = corners[(i + 1) % count];
            if ((p.y <= y0 && q.y >= y1) || (q.y <= y0 && p.y >= y1)) {
                slope[found] = (q.x - p.x) / (q.y - p.y);
                x0[found] = p.x - p.y * slope[found];
                atMid[found] = x0[found] + mid * slope[found];
                ++found;
            }
        }
        if (found < 2) {
            continue;
        }
        const int left = atMid[0] <= atMid[1] ? 0 : 1;
        const int right = 1 - left;
        for (int row = firstRow; row < endRow; ++row) {
            const double yc = row + 0.5;
            const int c0 = std::max(0, ceilToInt(x0[left] + yc * slope[left] - 0.5));
            const int c1 = std::min(width, ceilToInt(x0[right] + yc * slope[right] - 0.5));
            if (c0 >= c1) {
                continue;
            }
            // Distance from the new ping's track of the centre of cell c0.
            const float dStart =
                static_cast<float>((c0 + 0.5 - to.x) * to.ax + (yc - to.y) * to.ay);
            std::uint8_t* values = values_.data() + static_cast<std::size_t>(row) * width;
            float* nadir = nadirDistance_.data() + static_cast<std::size_t>(row) * width;
            for (int c = c0; c < c1; ++c) {
                const float d = dStart + static_cast<float>(c - c0) * step;
                if (d < nadir[c]) {
                    // Cells on the previous ping's line may lie a little inside the gap or past
                    // the reach measured from the new one: they take its nearest pixel.
                    const int k = std::clamp(static_cast<int>(d), nearCell, lastPixel);
                    nadir[c] = d;
                    values[c] = ground_[static_cast<std::size_t>(k)];
                }
            }
        }
    }
}

std::vector<std::uint8_t> MosaicAccumulator::alpha() const {
    std::vector<std::uint8_t> mask(values_.size());
    std::transform(values_.begin(), values_.end(), mask.begin(),
                   [](std::uint8_t v) { return v == kNoData ? 0 : 255; });
    return mask;
}
