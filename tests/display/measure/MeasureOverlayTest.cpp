#include <gtest/gtest.h>

#include "display/ColourTables.h"
#include "display/measure/MeasureOverlay.h"

namespace {
using namespace measure;

const Scale kScale{SideLayout::BothSides, 1000, 1.0, 50};

TEST(LabelPlacement, AboveRightOfThePointUnlessNearTheRightOrTopEdge) {
    struct Case {
        Point at;
        Point origin;
    };
    const Case cases[] = {
        {{500, 300}, {500, 275}}, {{950, 300}, {950, 275}},  // exactly 50 from the right edge still
                                                             // fits
        {{951, 300}, {901, 275}}, {{500, 25}, {500, 0}},    {{500, 24}, {500, 49}},
        {{990, 5}, {940, 30}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(labelOrigin(c.at, kScale), c.origin) << c.at.x << "," << c.at.y;
    }
    // The right edge is the zoomed picture's, not the window's.
    EXPECT_EQ(labelOrigin({1500, 300}, {SideLayout::BothSides, 1000, 2.0, 50}), (Point{1500, 275}));
}

TEST(LabelBoxes, SizeFollowsTheTextAndPromptsRiseAboveThePoint) {
    OverlayStyle style;
    style.textPixels = 14;
    style.pan = {100, 50};
    struct Case {
        std::string text;
        LabelKind kind;
        Point textAt;
        waterfall_view::Rect box;
    };
    // At (500, 300) with the pan (100, 50) the plain label text starts at (400, 225).
    const Case cases[] = {
        // "25.00 m": 7 characters, 14 + 14 * 7 / 2 wide, 14 + 4 high.
        {"25.00 m", LabelKind::Value, {400, 225}, {398, 223, 63, 18}},
        // 19 characters: normal width 147, the box 14 + 147 / 2; two lines 2 x 18 high; 24 up.
        {"Click on\nthe Target", LabelKind::TwoLinePrompt, {400, 201}, {398, 199, 87, 36}},
        // 28 characters: normal width 210, the box 14 + 10 + 210 / 3; 3 x 14 + 8 high; 38 up.
        {"Click on\nShadow End\nH=1.43 m",
         LabelKind::ThreeLinePrompt,
         {400, 187},
         {398, 185, 94, 50}},
    };
    for (const Case& c : cases) {
        const OverlayLabel l = makeLabel(c.text, c.kind, {500, 300}, kScale, style, true);
        EXPECT_EQ(l.textAt, c.textAt) << c.text;
        EXPECT_EQ(l.box, c.box) << c.text;
        EXPECT_EQ(l.textPixels, 14);
    }
    style.textPixels = 18;
    EXPECT_EQ(makeLabel("25.00 m", LabelKind::Value, {500, 300}, kScale, style, true).box,
              (waterfall_view::Rect{398, 223, 18 + 18 * 7 / 2, 22}));
}

TEST(LabelColours, WhiteOnBlackOrRedOnWhiteOverReverseGreyAndNoBoxWithoutShadow) {
    OverlayStyle style;
    OverlayLabel l = makeLabel("1.00 m", LabelKind::Value, {500, 300}, kScale, style, true);
    EXPECT_EQ(l.textColour, waterfall_view::kWhite);
    EXPECT_EQ(l.boxColour, waterfall_view::kBlack);
    style.colourTable = ColourTables::ReverseGrey;
    l = makeLabel("1.00 m", LabelKind::Value, {500, 300}, kScale, style, false);
    EXPECT_EQ(l.textColour, waterfall_view::kRed);
    EXPECT_EQ(l.boxColour, waterfall_view::kWhite);
    EXPECT_FALSE(l.boxShown);
}

TEST(HeightPrompts, OnePerStepTheLastWithTheHeightInTheChosenUnit) {
    EXPECT_EQ(heightPrompt(0, 0.0, false), "Click on\nthe Target");
    EXPECT_EQ(heightPrompt(1, 0.0, false), "Click on First\n(Bottom) Return");
    EXPECT_EQ(heightPrompt(2, 0.0, false), "Click on\nShadow Start");
    EXPECT_EQ(heightPrompt(3, 1.428571, false), "Click on\nShadow End\nH=1.43 m");
    EXPECT_EQ(heightPrompt(3, 1.0, true), "Click on\nShadow End\nH=3.28 ft");
}

TEST(Overlay, StoredItemsDrawLinesCrossesAndLabelsInWindowPixels) {
    MeasureTools tools;
    const LiveContext c{kScale, true, {}};
    tools.toggle(Tool::Mark);
    tools.press({40, 60}, c);
    tools.toggle(Tool::Distance);
    tools.press({100, 100}, c);
    tools.press({130, 140}, c);
    OverlayStyle style;
    style.pan = {10, 20};
    const Overlay o = buildOverlay(tools, kScale, style, std::nullopt, 0.0);
    const std::vector<OverlayLine> expected = {
        // The mark: a 17-pixel cross.
        {{22, 40}, {38, 40}, kLineColour},
        {{30, 32}, {30, 48}, kLineColour},
        // The distance: its line, a cross at the start, a brighter cross at the end.
        {{90, 80}, {120, 120}, kLineColour},
        {{82, 80}, {98, 80}, kLineColour},
        {{90, 72}, {90, 88}, kLineColour},
        {{112, 120}, {128, 120}, kEndCrossColour},
        {{120, 112}, {120, 128}, kEndCrossColour},
    };
    EXPECT_EQ(o.lines, expected);
    ASSERT_EQ(o.labels.size(), 1u);
    EXPECT_EQ(o.labels[0].text, "5.00 m");
    EXPECT_EQ(o.labels[0].textAt, (Point{120, 95}));
}

TEST(Overlay, WaitingToolFollowsTheMouseOnlyWhileOverThePicture) {
    MeasureTools tools;
    const LiveContext c{kScale, true, {}};
    tools.toggle(Tool::Range);
    OverlayStyle style;
    EXPECT_TRUE(buildOverlay(tools, kScale, style, std::nullopt, 0.0).lines.empty());
    const double v = tools.liveValue({300, 50}, c);
    const Overlay o = buildOverlay(tools, kScale, style, Point{300, 50}, v);
    ASSERT_EQ(o.lines.size(), 3u);
    EXPECT_EQ(o.lines[0], (OverlayLine{{500, 50}, {300, 50}, kLineColour}));
    ASSERT_EQ(o.labels.size(), 1u);
    EXPECT_EQ(o.labels[0].text, "20.00 m");

    // The height tool's later steps draw on the target's row whatever the mouse's row.
    tools.toggle(Tool::Height);
    tools.press({700, 300}, c);
    tools.release();
    const Overlay h = buildOverlay(tools, kScale, style, Point{650, 420}, 0.0);
    ASSERT_EQ(h.lines.size(), 3u + 3u);  // the stored target line and end cross, then the tool
    EXPECT_EQ(h.lines[3], (OverlayLine{{500, 300}, {650, 300}, kLineColour}));
    EXPECT_EQ(h.labels.back().text, "Click on First\n(Bottom) Return");
}

}  // namespace
