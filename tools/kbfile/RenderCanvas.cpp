#include "kbfile/RenderCanvas.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kbfile {
namespace {
// A picture of tens of megabytes is touched page by page as it grows; asking for huge pages
// where the system allows them saves most of those faults.
void preferHugePages(std::vector<std::uint8_t>& v) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(v.data());
    const std::uintptr_t from = (begin + page - 1) / page * page;
    const std::uintptr_t to = (begin + v.capacity()) / page * page;
    if (to > from) {
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
    }
}

void peakInto(std::uint8_t* into, const std::uint8_t* line, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        into[i] = std::max(into[i], line[i]);
    }
}
}  // namespace

RenderCanvas::RenderCanvas(std::size_t width, std::uint64_t expectedLines, std::size_t maxRows)
    : width_(std::max<std::size_t>(width, 1)),
      limit_(maxRows > 0 ? maxRows : rowLimit(width_)),
      pending_(width_) {
    linesPerRow_ = std::max<std::uint64_t>(1, (expectedLines + limit_ - 1) / limit_);
    const std::uint64_t rows =
        std::min<std::uint64_t>(limit_, (expectedLines + linesPerRow_ - 1) / linesPerRow_);
    pixels_.reserve(static_cast<std::size_t>(rows) * width_);
    preferHugePages(pixels_);
}

std::size_t RenderCanvas::rowLimit(std::size_t width) {
    return std::max<std::size_t>(1,
                                 std::min(kMaxRows, kMaxPixels / std::max<std::size_t>(width, 1)));
}

void RenderCanvas::addLine(const std::uint8_t* line) {
    if (pendingLines_ == 0) {
        std::copy_n(line, width_, pending_.begin());
    } else {
        peakInto(pending_.data(), line, width_);
    }
    if (++pendingLines_ == linesPerRow_) {
        pushPending(false);
    }
}

void RenderCanvas::finish() {
    if (pendingLines_ > 0) {
        pushPending(true);
    }
}

void RenderCanvas::pushPending(bool last) {
    if (rows_ == limit_) {
        halve();
        if (pendingLines_ < linesPerRow_ && !last) {
            return;
        }
    }
    pixels_.insert(pixels_.end(), pending_.begin(), pending_.end());
    ++rows_;
    pendingLines_ = 0;
}

// Twice the lines per row: neighbouring rows merge; an odd last row joins the pending one,
// which holds the lines that follow it.
void RenderCanvas::halve() {
    const std::size_t pairs = rows_ / 2;
    for (std::size_t i = 0; i < pairs; ++i) {
        std::uint8_t* to = pixels_.data() + i * width_;
        std::memmove(to, pixels_.data() + 2 * i * width_, width_);
        peakInto(to, pixels_.data() + (2 * i + 1) * width_, width_);
    }
    if (rows_ % 2 == 1) {
        peakInto(pending_.data(), pixels_.data() + (rows_ - 1) * width_, width_);
        pendingLines_ += linesPerRow_;
    }
    rows_ = pairs;
    pixels_.resize(rows_ * width_);
    linesPerRow_ *= 2;
    ++merges_;
}

std::vector<std::uint8_t> RenderCanvas::takeIndices() {
    pixels_.resize(rows_ * width_);
    rows_ = 0;
    return std::move(pixels_);
}

std::vector<std::uint8_t> RenderCanvas::toRgb(const ColourTables::Table& palette) const {
    std::vector<std::uint8_t> rgb(rows_ * width_ * 3);
    std::uint8_t* out = rgb.data();
    for (std::size_t i = 0; i < rows_ * width_; ++i) {
        const ColourTables::Rgb& c = palette[pixels_[i]];
        *out++ = c.r;
        *out++ = c.g;
        *out++ = c.b;
    }
    return rgb;
}

}  // namespace kbfile
