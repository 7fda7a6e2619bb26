#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "display/ColourTables.h"

namespace kbfile {

// The picture of a whole file as rows of palette indices, first line at the top. When a file
// has more lines than the picture may have rows, each row holds the peak of several
// consecutive lines (indices rise with echo strength, so the strongest echo survives).
class RenderCanvas {
  public:
    // Taller PNG pictures are refused by many readers.
    static constexpr std::size_t kMaxRows = 65535;
    // Bounds the memory of very wide pictures.
    static constexpr std::size_t kMaxPixels = std::size_t{1} << 27;

    // expectedLines sizes the first guess of lines per row; a wrong guess only costs a merge.
    // maxRows 0 takes rowLimit(width).
    RenderCanvas(std::size_t width, std::uint64_t expectedLines, std::size_t maxRows = 0);

    // Rows a picture of this width may have.
    static std::size_t rowLimit(std::size_t width);

    // Appends one line of width() indices.
    void addLine(const std::uint8_t* line);
    // Takes a partly filled last row in.
    void finish();

    std::size_t width() const { return width_; }
    std::size_t rows() const { return rows_; }
    std::uint64_t linesPerRow() const { return linesPerRow_; }
    // How often rows were merged because more lines came than expected: each merge changes
    // every row drawn so far.
    std::uint64_t merges() const { return merges_; }
    const std::uint8_t* row(std::size_t y) const { return pixels_.data() + y * width_; }

    // Red, green, blue bytes of every pixel through the palette, row after row.
    std::vector<std::uint8_t> toRgb(const ColourTables::Table& palette) const;
    // Hands the indices over, row after row; the canvas is empty afterwards.
    std::vector<std::uint8_t> takeIndices();

  private:
    void pushPending(bool last);
    void halve();

    std::size_t width_;
    std::size_t limit_;
    std::uint64_t linesPerRow_ = 1;
    std::uint64_t merges_ = 0;
    std::vector<std::uint8_t> pixels_;
    std::size_t rows_ = 0;
    std::vector<std::uint8_t> pending_;
    std::uint64_t pendingLines_ = 0;
};

}  // namespace kbfile
