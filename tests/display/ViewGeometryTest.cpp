#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/ColourTables.h"
#include "display/ViewGeometry.h"
#include "display/ViewTexts.h"

namespace {
using namespace waterfall_view;

constexpr int kRange50m = 9;
constexpr int kRange125m = 13;

std::vector<int> linePositions(const RangeScale& s) {
    std::vector<int> xs;
    for (const ScaleLine& l : s.lines) {
        xs.push_back(l.x);
    }
    return xs;
}

std::vector<std::string> labelTexts(const RangeScale& s) {
    std::vector<std::string> texts;
    for (const ScaleLabel& l : s.labels) {
        texts.push_back(l.text);
    }
    return texts;
}

RangeScaleRequest request(SideLayout layout, bool imperial, int rangeIndex = kRange50m) {
    RangeScaleRequest rq;
    rq.layout = layout;
    rq.imperial = imperial;
    rq.rangeIndex = rangeIndex;
    rq.drawnWidth = 1012;
    rq.imageHeight = 600;
    return rq;
}

TEST(ViewLayout, ClientWidthIsCutToAMultipleOfFourAndIndicatorTakesTheLastEight) {
    const auto layout = layoutForClient(1023, 700, true);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->imageWidth, 1020);
    EXPECT_EQ(layout->imageHeight, 700);
    EXPECT_EQ(layout->drawnWidth, 1012);
    ASSERT_TRUE(layout->indicator);
    EXPECT_EQ(*layout->indicator, (Rect{1012, 0, 8, 700}));
}

TEST(ViewLayout, WithoutIndicatorTheImageUsesTheFullWidth) {
    const auto layout = layoutForClient(1023, 700, false);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->imageWidth, 1020);
    EXPECT_EQ(layout->drawnWidth, 1020);
    EXPECT_FALSE(layout->indicator);
}

TEST(ViewLayout, SizesThatLeaveNoImageAreIgnored) {
    EXPECT_FALSE(layoutForClient(0, 700, true));
    EXPECT_FALSE(layoutForClient(800, 0, true));
    EXPECT_FALSE(layoutForClient(-4, 700, false));
    EXPECT_FALSE(layoutForClient(3, 700, false));
    const auto narrow = layoutForClient(4, 10, true);
    ASSERT_TRUE(narrow);
    EXPECT_EQ(narrow->drawnWidth, 0);
}

TEST(RangeScale, MetricPortOnlyRunsFromFarRangeAtTheLeftEdge) {
    const RangeScale s = rangeScale(request(SideLayout::PortOnly, false));
    // 202.4 steps: 607.2 and 809.6 are truncated, not rounded.
    EXPECT_EQ(linePositions(s), (std::vector<int>{0, 202, 404, 607, 809, 1012}));
    EXPECT_EQ(labelTexts(s), (std::vector<std::string>{"50m", "40m", "30m", "20m", "10m", "0m"}));
}

TEST(RangeScale, MetricStarboardOnlyRunsFromTheTrackAtTheLeftEdge) {
    const RangeScale s = rangeScale(request(SideLayout::StarboardOnly, false));
    EXPECT_EQ(linePositions(s), (std::vector<int>{0, 202, 404, 607, 809, 1012}));
    EXPECT_EQ(labelTexts(s), (std::vector<std::string>{"0m", "10m", "20m", "30m", "40m", "50m"}));
}

TEST(RangeScale, MetricBothSidesIsZeroAtTheCentre) {
    const RangeScale s = rangeScale(request(SideLayout::BothSides, false));
    EXPECT_EQ(linePositions(s),
              (std::vector<int>{0, 101, 202, 303, 404, 506, 607, 708, 809, 910, 1012}));
    EXPECT_EQ(labelTexts(s), (std::vector<std::string>{"50m", "40m", "30m", "20m", "10m", "0m",
                                                       "10m", "20m", "30m", "40m", "50m"}));
}

TEST(RangeScale, ImperialPortOnlyStartsInsetAndStepsThirtyFeetAt50m) {
    const RangeScale s = rangeScale(request(SideLayout::PortOnly, true));
    // Offset 0.0856 E = 86.6, step 0.2 (E - offset) = 185.07; the track line stays at the edge.
    EXPECT_EQ(linePositions(s), (std::vector<int>{86, 271, 456, 641, 826, 1012}));
    EXPECT_EQ(labelTexts(s),
              (std::vector<std::string>{"150ft", "120ft", "90ft", "60ft", "30ft", "0ft"}));
    EXPECT_EQ(rangeText(kRange50m, true), "150 ft");
}

TEST(RangeScale, ImperialStarboardOnlyStopsShortOfTheRightEdge) {
    const RangeScale s = rangeScale(request(SideLayout::StarboardOnly, true));
    EXPECT_EQ(linePositions(s), (std::vector<int>{0, 185, 370, 555, 740, 925}));
    EXPECT_EQ(labelTexts(s),
              (std::vector<std::string>{"0ft", "30ft", "60ft", "90ft", "120ft", "150ft"}));
}

TEST(RangeScale, ImperialBothSidesIsInsetOnBothEdgesAndCentredOnTheTrack) {
    const RangeScale s = rangeScale(request(SideLayout::BothSides, true));
    EXPECT_EQ(linePositions(s),
              (std::vector<int>{43, 135, 228, 320, 413, 506, 598, 691, 783, 876, 968}));
    EXPECT_EQ(labelTexts(s),
              (std::vector<std::string>{"150ft", "120ft", "90ft", "60ft", "30ft", "0ft", "30ft",
                                        "60ft", "90ft", "120ft", "150ft"}));
}

TEST(RangeScale, WholePositionsSurviveFloatingPointRounding) {
    // At W' = 512 the inset arithmetic lands a hair below 256 and 512; truncating that would
    // draw the track line one pixel off the middle or the edge.
    RangeScaleRequest rq = request(SideLayout::BothSides, true);
    rq.drawnWidth = 512;
    EXPECT_EQ(rangeScale(rq).lines[5].x, 256);
    rq.layout = SideLayout::PortOnly;
    EXPECT_EQ(rangeScale(rq).lines[5].x, 512);
}

TEST(RangeScale, FeetLabelsAreThreeTimesTheMetresRange) {
    RangeScaleRequest rq = request(SideLayout::StarboardOnly, true, kRange125m);
    EXPECT_EQ(labelTexts(rangeScale(rq)),
              (std::vector<std::string>{"0ft", "75ft", "150ft", "225ft", "300ft", "375ft"}));
}

TEST(RangeScale, ZoomWidensTheScaleAndPanShiftsItWhole) {
    RangeScaleRequest rq = request(SideLayout::BothSides, false);
    rq.zoom = 2.0;
    const std::vector<int> unpanned = linePositions(rangeScale(rq));
    EXPECT_EQ(unpanned,
              (std::vector<int>{0, 202, 404, 607, 809, 1012, 1214, 1416, 1619, 1821, 2024}));
    for (int pan : {1, 301, -7}) {
        rq.panX = pan;
        const RangeScale s = rangeScale(rq);
        for (std::size_t i = 0; i < unpanned.size(); ++i) {
            EXPECT_EQ(s.lines[i].x, unpanned[i] - pan) << "pan " << pan << " line " << i;
            EXPECT_EQ(s.labels[i].centreX, unpanned[i] - pan);
        }
    }
}

TEST(RangeScale, GridLinesReachTheTopAndOnlyTheBothSidesCentreIsHighlighted) {
    const int h = 600;
    const RangeScale both = rangeScale(request(SideLayout::BothSides, false));
    ASSERT_EQ(both.lines.size(), 11u);
    for (std::size_t i = 0; i < both.lines.size(); ++i) {
        EXPECT_EQ(both.lines[i].fromY, 0);
        EXPECT_EQ(both.lines[i].toY, h - 20);
        EXPECT_EQ(both.lines[i].colour, i == 5 ? kHighlightColour : kGridColour) << i;
    }
    for (const ScaleLine& l : rangeScale(request(SideLayout::PortOnly, false)).lines) {
        EXPECT_EQ(l.colour, kGridColour);
    }
}

TEST(RangeScale, WithTheGridOffOnlyShortTicksAboveTheLabels) {
    RangeScaleRequest rq = request(SideLayout::StarboardOnly, true);
    rq.showGrid = false;
    const RangeScale s = rangeScale(rq);
    ASSERT_EQ(s.lines.size(), 6u);
    EXPECT_EQ(s.labels.size(), 6u);
    for (const ScaleLine& l : s.lines) {
        EXPECT_EQ(l.fromY, 575);
        EXPECT_EQ(l.toY, 580);
        EXPECT_EQ(l.colour, kHighlightColour);
    }
}

TEST(RangeScale, LabelBoxWidthAndTextOffsetFollowTheTextSize) {
    struct Case {
        int size, halfWidth, textOffset;
    };
    for (const Case c : {Case{14, 22, 2}, Case{16, 24, 1}, Case{18, 27, 0}}) {
        RangeScaleRequest rq = request(SideLayout::StarboardOnly, false);
        rq.textPixels = c.size;
        const ScaleLabel label = rangeScale(rq).labels[1];  // on x = 202
        EXPECT_EQ(label.box, (Rect{202 - c.halfWidth, 580, 2 * c.halfWidth, 20})) << c.size;
        EXPECT_EQ(label.textTop, 580 + c.textOffset) << c.size;
        EXPECT_EQ(label.textPixels, c.size);
    }
    EXPECT_EQ(labelHalfWidth(20), 27);
}

TEST(RangeScale, UnknownLayoutOrBrokenZoomDrawsNoScale) {
    RangeScaleRequest rq = request(static_cast<SideLayout>(7), false);
    EXPECT_TRUE(rangeScale(rq).lines.empty());
    rq = request(SideLayout::BothSides, false);
    rq.zoom = -1.0;
    EXPECT_TRUE(rangeScale(rq).lines.empty());
    rq.zoom = 1e300;
    EXPECT_TRUE(rangeScale(rq).labels.empty());
}

TEST(ViewTexts, ReverseGreyTurnsTextsRedAndBoxesWhite) {
    RangeScaleRequest rq = request(SideLayout::BothSides, false);
    const ScaleLabel usual = rangeScale(rq).labels[0];
    EXPECT_EQ(usual.fill, kBlack);
    EXPECT_EQ(usual.textColour, (Colour{200, 200, 0}));
    EXPECT_EQ(usual.border, (Colour{150, 150, 0}));

    rq.colourTable = ColourTables::ReverseGrey;
    const RangeScale reversed = rangeScale(rq);
    EXPECT_EQ(reversed.labels[0].fill, kWhite);
    EXPECT_EQ(reversed.labels[0].textColour, kRed);
    EXPECT_EQ(reversed.labels[0].border, (Colour{150, 150, 0}));
    EXPECT_EQ(reversed.lines[0].colour, kGridColour);  // lines are not texts

    const int reverse = ColourTables::ReverseGrey;
    EXPECT_EQ(rangeTextItem(kRange50m, false, reverse).colour, kRed);
    EXPECT_EQ(heldTagItem(1012, reverse).colour, kRed);
    EXPECT_EQ(connectionTextItem("No RX Data !", kWhite, 1012, 700, reverse).colour, kRed);
    for (int table : {0, 3, 5, 8}) {
        EXPECT_EQ(textColour(kWhite, table), kWhite) << table;
        EXPECT_EQ(textBackground(table), kBlack) << table;
    }
}

TEST(ViewTexts, RangeTextInMetresOrFeetAtTheTopLeft) {
    const TextItem metric = rangeTextItem(kRange125m, false, ColourTables::Grey);
    EXPECT_EQ(metric.text, "125 m");
    EXPECT_EQ(metric.x, 8);
    EXPECT_EQ(metric.y, 0);
    EXPECT_EQ(metric.pixelSize, 22);
    EXPECT_EQ(metric.colour, (Colour{255, 255, 0}));
    EXPECT_EQ(rangeText(kRange125m, true), "375 ft");
    EXPECT_EQ(rangeText(99, false), "200 m");  // unknown index: the widest range
}

TEST(ViewTexts, HeldTagAndConnectionTextFollowTheDrawnWidth) {
    const TextItem held = heldTagItem(1012, ColourTables::Grey);
    EXPECT_EQ(held.text, " (HELD)");
    EXPECT_EQ(held.x, 912);
    EXPECT_EQ(held.y, 0);
    EXPECT_EQ(held.colour, kStatusYellow);
    EXPECT_EQ(connectionTextPosition(1013, 700), (TextPosition{516, 560}));
    const TextItem banner = connectionTextItem("No Connection !", kRed, 1012, 700, 3);
    EXPECT_EQ(banner.x, 516);
    EXPECT_EQ(banner.y, 560);
    EXPECT_EQ(banner.pixelSize, 22);
}

TEST(ViewTexts, ZoomStatusIsAPercentage) {
    EXPECT_EQ(zoomText(1.0), "100%");
    EXPECT_EQ(zoomText(3.0), "300%");
    EXPECT_EQ(zoomText(5.0), "500%");
}
}  // namespace
