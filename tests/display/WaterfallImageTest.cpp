#include <gtest/gtest.h>

#include <cstring>

#include "display/WaterfallImage.h"

namespace {
constexpr std::uint8_t kBoth = 3;

// Writes a recognisable line into the staging row and scrolls it in.
void pushLine(WaterfallImage& img, std::uint8_t value, int t, const char* time = "") {
    std::memset(img.row(0), value, static_cast<std::size_t>(img.width()));
    img.record(0)->setTime(time);
    img.scrollIn(t, kBoth);
}

TEST(WaterfallImage, AcceptsOnlyUsableSizes) {
    WaterfallImage img;
    EXPECT_TRUE(img.empty());
    EXPECT_EQ(img.row(0), nullptr);
    EXPECT_FALSE(img.resize(0, 10));
    EXPECT_FALSE(img.resize(10, -1));
    EXPECT_FALSE(img.resize(WaterfallImage::kMaxDimension + 1, 10));
    EXPECT_TRUE(img.resize(1, 1));
    EXPECT_NE(img.row(0), nullptr);
    EXPECT_EQ(img.row(1), nullptr);
    EXPECT_EQ(img.row(-1), nullptr);
    EXPECT_EQ(img.record(1), nullptr);
    EXPECT_EQ(img.repetition(5), 0);
}

TEST(WaterfallImage, NoRowsMeansOnlyTheStagingRowChanges) {
    WaterfallImage img;
    ASSERT_TRUE(img.resize(4, 4));
    pushLine(img, 1, 1);
    pushLine(img, 2, 0);
    EXPECT_EQ(img.row(0)[0], 2);
    EXPECT_EQ(img.row(1)[0], 1);
    EXPECT_EQ(img.totalLines(), 1u);
}

TEST(WaterfallImage, MoreRowsThanTheImageHoldsFillsIt) {
    WaterfallImage img;
    ASSERT_TRUE(img.resize(4, 3));
    pushLine(img, 1, 1);
    pushLine(img, 9, 200);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(img.row(y)[0], 9);
    }
    EXPECT_EQ(img.linesOnScreen(), 3u);
    EXPECT_EQ(img.totalLines(), 201u);

    WaterfallImage one;
    ASSERT_TRUE(one.resize(4, 1));
    pushLine(one, 5, 3);
    EXPECT_EQ(one.row(0)[0], 5);
}

TEST(WaterfallImage, HighlightRowScrollsWithTheImage) {
    WaterfallImage img;
    ASSERT_TRUE(img.resize(4, 6));
    pushLine(img, 1, 1);
    img.fillRow(1, 255);
    pushLine(img, 2, 1);
    EXPECT_EQ(img.row(2)[0], 255);
    EXPECT_EQ(img.row(2)[3], 255);
    EXPECT_EQ(img.row(1)[0], 2);
}

TEST(WaterfallImage, RepetitionHistoryMovesOncePerPing) {
    WaterfallImage img;
    ASSERT_TRUE(img.resize(4, 8));
    img.pushRepetition(3);
    img.pushRepetition(1);
    img.pushRepetition(400);
    EXPECT_EQ(img.repetition(0), 255);
    EXPECT_EQ(img.repetition(1), 255);
    EXPECT_EQ(img.repetition(2), 1);
    EXPECT_EQ(img.repetition(3), 3);
    EXPECT_EQ(img.repetition(4), 0);
}

TEST(WaterfallImage, ClearPixelsKeepsRecordsButClearZeroesAll) {
    WaterfallImage img;
    ASSERT_TRUE(img.resize(4, 4));
    pushLine(img, 7, 1, "12:00:00.000");
    img.pushRepetition(2);
    img.clearPixels();
    EXPECT_EQ(img.row(1)[0], 0);
    EXPECT_EQ(img.record(1)->time(), "12:00:00.000");
    img.clear();
    EXPECT_EQ(img.record(1)->time(), "");
    EXPECT_EQ(img.record(1)->marker, 0);
    EXPECT_EQ(img.repetition(0), 0);
    EXPECT_EQ(img.totalLines(), 0u);
    EXPECT_EQ(img.linesOnScreen(), 0u);
}

TEST(WaterfallImage, PainterLearnsHowManyTopRowsChanged) {
    WaterfallImage img;
    ASSERT_TRUE(img.resize(4, 100));
    const WaterfallImage::Stamp fresh = img.stamp();
    EXPECT_EQ(img.rowsChangedSince(fresh), 1);  // the staging row may always have changed
    pushLine(img, 1, 1);
    pushLine(img, 2, 3);
    EXPECT_EQ(img.rowsChangedSince(fresh), 5);
    const WaterfallImage::Stamp afterScroll = img.stamp();
    img.fillRow(50, 255);
    EXPECT_EQ(img.rowsChangedSince(afterScroll), 100);
    const WaterfallImage::Stamp afterFill = img.stamp();
    pushLine(img, 3, 500);
    EXPECT_EQ(img.rowsChangedSince(afterFill), 100);
}

TEST(RowRecord, TextsAreCutToTheirFields) {
    RowRecord r;
    r.setTime("12:34:56.789EXTRA");
    EXPECT_EQ(r.time(), "12:34:56.789");
    r.setGpsText(0, std::string(100, 'x'));
    EXPECT_EQ(r.gpsText(0).size(), RowRecord::kGpsTextCapacity - 1);
    r.setGpsText(6, "ignored");
    EXPECT_EQ(r.gpsText(6), "");
    r.setGpsText(2, "");
    EXPECT_EQ(r.gpsText(2), "");
}
}  // namespace
