#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "display/RowRecord.h"

// The 8-bit indexed waterfall, W x H palette indices with one record per row. Logical row 0 is
// the staging row holding the newest ping; rows 1..H-1 are the waterfall, newest at the top.
// Rows live in a ring so a scroll moves a head index instead of the whole picture; every reader
// goes through row(y) and record(y).
class WaterfallImage {
  public:
    static constexpr int kMaxDimension = 16384;
    static constexpr int kMaxRepetition = 255;  // one byte per ping

    // Tells a painter which rows it must convert again: take a stamp after painting and ask
    // rowsChangedSince() at the next paint.
    struct Stamp {
        std::uint64_t epoch = 0;
        std::uint64_t scrolled = 0;
    };

    // Reallocates at the new size, all rows cleared. False (nothing changed) unless both
    // dimensions are 1..kMaxDimension.
    bool resize(int width, int height);

    int width() const { return static_cast<int>(width_); }
    int height() const { return static_cast<int>(height_); }
    bool empty() const { return height_ == 0; }

    // width() bytes of logical row y; nullptr outside 0..height()-1.
    const std::uint8_t* row(int y) const;
    std::uint8_t* row(int y);
    const RowRecord* record(int y) const;
    RowRecord* record(int y);

    // Rows per ping of the ping whose entry is y (newest first); 0 outside the history.
    int repetition(int y) const;
    std::uint64_t linesOnScreen() const { return linesOnScreen_; }
    std::uint64_t totalLines() const { return totalLines_; }

    // Zeroes pixels, records, repetition history and counters.
    void clear();
    // Zeroes the pixels only; records stay.
    void clearPixels();
    void fillRow(int y, std::uint8_t value);

    // Takes the complete staging row into the waterfall: it fills rows 1..t (t clipped to the
    // image), rows below move down by t, and the ping's one marked row is the lowest of its
    // band. t = 0 leaves the waterfall alone. The lines counters grow by t.
    void scrollIn(int t, std::uint8_t sideLayout);
    // The newest repetition entry becomes t, then the history moves down by one ping.
    void pushRepetition(int t);

    Stamp stamp() const { return {epoch_, scrolled_}; }
    // How many top rows (0..height) differ from what was seen at the stamp.
    int rowsChangedSince(const Stamp& seen) const;
    // Where logical row y sits in the ring (0..height()-1), for painters that keep a converted
    // copy of the rows in the same ring order; 0 on an empty image.
    int physicalRow(int y) const { return empty() ? 0 : static_cast<int>(physical(y)); }
    // Forces the next rowsChangedSince() to report every row.
    void markAllChanged() { ++epoch_; }

  private:
    std::size_t physical(int y) const;

    std::size_t width_ = 0;
    std::size_t height_ = 0;
    std::size_t head_ = 0;  // physical row of logical row 0
    std::vector<std::uint8_t> pixels_;
    std::vector<RowRecord> records_;
    std::vector<std::uint8_t> repetition_;
    std::size_t repetitionHead_ = 0;
    std::uint64_t linesOnScreen_ = 0;
    std::uint64_t totalLines_ = 0;
    std::uint64_t epoch_ = 0;
    std::uint64_t scrolled_ = 0;
};
