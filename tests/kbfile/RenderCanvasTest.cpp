#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "kbfile/RenderCanvas.h"

namespace {
using kbfile::RenderCanvas;

constexpr std::size_t kWidth = 3;

std::vector<std::uint8_t> line(std::size_t j) {
    std::vector<std::uint8_t> l(kWidth);
    for (std::size_t x = 0; x < kWidth; ++x) {
        l[x] = static_cast<std::uint8_t>((j * 37 + x * 101 + j * j * 13) % 251);
    }
    return l;
}

// Row i of a picture with f lines a row: the peak of lines i*f .. i*f+f-1, pixel by pixel.
std::vector<std::uint8_t> expectedRow(std::size_t i, std::uint64_t f, std::size_t lines) {
    std::vector<std::uint8_t> row(kWidth, 0);
    for (std::size_t j = i * f; j < std::min<std::size_t>(lines, (i + 1) * f); ++j) {
        const std::vector<std::uint8_t> l = line(j);
        for (std::size_t x = 0; x < kWidth; ++x) {
            row[x] = std::max(row[x], l[x]);
        }
    }
    return row;
}

void feed(RenderCanvas& canvas, std::size_t lines) {
    for (std::size_t j = 0; j < lines; ++j) {
        canvas.addLine(line(j).data());
    }
    canvas.finish();
}

std::vector<std::uint8_t> rowOf(const RenderCanvas& c, std::size_t y) {
    return {c.row(y), c.row(y) + c.width()};
}

TEST(RenderCanvas, BelowTheLimitEveryLineIsOneRowInOrder) {
    RenderCanvas canvas(kWidth, 5, 10);
    feed(canvas, 5);
    ASSERT_EQ(canvas.rows(), 5u);
    EXPECT_EQ(canvas.linesPerRow(), 1u);
    for (std::size_t y = 0; y < 5; ++y) {
        EXPECT_EQ(rowOf(canvas, y), line(y));
    }
}

TEST(RenderCanvas, AnExpectedOverflowGroupsLinesByTheirPeak) {
    RenderCanvas canvas(kWidth, 10, 4);
    feed(canvas, 10);
    EXPECT_EQ(canvas.linesPerRow(), 3u);
    ASSERT_EQ(canvas.rows(), 4u);
    for (std::size_t y = 0; y < 4; ++y) {
        EXPECT_EQ(rowOf(canvas, y), expectedRow(y, 3, 10)) << y;
    }
}

// Whatever the guess, the picture stays within its limit and each row is the peak of the
// lines it stands for.
TEST(RenderCanvas, AnUnexpectedOverflowMergesRowsAndKeepsEveryPeak) {
    for (std::size_t limit = 1; limit <= 7; ++limit) {
        for (std::size_t lines = 1; lines <= 70; ++lines) {
            RenderCanvas canvas(kWidth, 1, limit);
            feed(canvas, lines);
            const std::uint64_t f = canvas.linesPerRow();
            SCOPED_TRACE(testing::Message() << "limit " << limit << " lines " << lines);
            ASSERT_LE(canvas.rows(), limit);
            ASSERT_EQ(canvas.rows(), (lines + f - 1) / f);
            for (std::size_t y = 0; y < canvas.rows(); ++y) {
                ASSERT_EQ(rowOf(canvas, y), expectedRow(y, f, lines)) << y;
            }
        }
    }
}

TEST(RenderCanvas, RowLimitKeepsPngHeightAndMemoryBounded) {
    EXPECT_EQ(RenderCanvas::rowLimit(1024), RenderCanvas::kMaxRows);
    EXPECT_EQ(RenderCanvas::rowLimit(16384), RenderCanvas::kMaxPixels / 16384);
    EXPECT_LE(RenderCanvas::rowLimit(16384) * 16384, RenderCanvas::kMaxPixels);
}

TEST(RenderCanvas, RgbGoesThroughThePalette) {
    ColourTables::Table palette{};
    for (int i = 0; i < 256; ++i) {
        palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                      static_cast<std::uint8_t>(i / 2)};
    }
    RenderCanvas canvas(2, 1, 10);
    const std::uint8_t l[2] = {10, 200};
    canvas.addLine(l);
    canvas.finish();
    EXPECT_EQ(canvas.toRgb(palette), (std::vector<std::uint8_t>{10, 245, 5, 200, 55, 100}));
}

}  // namespace
