#include <gtest/gtest.h>

#include "display/ViewNavigation.h"

namespace {
using namespace waterfall_view;

constexpr int kDrawnWidth = 1012;
constexpr int kClientHeight = 700;

// Drags the picture by (dx, dy) with the left button, starting inside the image.
void drag(ViewNavigation& nav, Point from, int dx, int dy) {
    nav.moveMouse(from, kDrawnWidth, kClientHeight);
    ASSERT_TRUE(nav.pressLeft(from, false));
    nav.moveMouse({from.x + dx, from.y + dy}, kDrawnWidth, kClientHeight);
    nav.releaseLeft();
}

TEST(ViewZoom, ZoomInFiveTimesFromOneReturnsToOneWithThePanReset) {
    ViewNavigation nav;
    drag(nav, {300, 300}, -40, -25);
    ASSERT_EQ(nav.pan(), (Point{40, 25}));
    for (double expected : {2.0, 3.0, 4.0, 5.0}) {
        EXPECT_EQ(nav.zoomIn(), ZoomResult::Zoomed);
        EXPECT_EQ(nav.zoom(), expected);
        EXPECT_EQ(nav.pan(), (Point{40, 25}));  // plain zoom keeps the pan
    }
    EXPECT_EQ(nav.zoomIn(), ZoomResult::Restored);
    EXPECT_EQ(nav.zoom(), 1.0);
    EXPECT_EQ(nav.pan(), (Point{}));
    EXPECT_EQ(nav.savedPan(), (Point{}));
    EXPECT_EQ(nav.dragStart(), (Point{}));
}

TEST(ViewZoom, ZoomOutBelowOneRestores) {
    ViewNavigation nav;
    nav.zoomIn();
    nav.zoomIn();
    drag(nav, {100, 100}, 10, 10);
    EXPECT_EQ(nav.zoomOut(), ZoomResult::Zoomed);
    EXPECT_EQ(nav.zoom(), 2.0);
    EXPECT_EQ(nav.pan(), (Point{-10, -10}));
    EXPECT_EQ(nav.zoomOut(), ZoomResult::Zoomed);
    EXPECT_EQ(nav.zoomOut(), ZoomResult::Restored);
    EXPECT_EQ(nav.zoom(), 1.0);
    EXPECT_EQ(nav.pan(), (Point{}));
}

TEST(ViewZoom, ZoomAboutTheMouseKeepsThePixelUnderThePointer) {
    ViewNavigation nav;
    nav.moveMouse({100, 50}, kDrawnWidth, kClientHeight);
    EXPECT_EQ(nav.zoomAboutMouse(), ZoomResult::Zoomed);
    EXPECT_EQ(nav.zoom(), 2.0);
    EXPECT_EQ(nav.pan(), (Point{100, 50}));  // 2 x trunc(100 / 1) - 100
    EXPECT_EQ(nav.savedPan(), nav.pan());
    ASSERT_TRUE(nav.cellUnderMouse(1020, 700));
    EXPECT_EQ(*nav.cellUnderMouse(1020, 700), (ImageCell{50, 100}));

    // From zoom 2 with pan (100, 50) and the mouse at (101, 33):
    // x: 3 x trunc(201 / 2) - 101 = 199, y: 3 x trunc(83 / 2) - 33 = 90.
    nav.moveMouse({101, 33}, kDrawnWidth, kClientHeight);
    EXPECT_EQ(nav.zoomAboutMouse(), ZoomResult::Zoomed);
    EXPECT_EQ(nav.zoom(), 3.0);
    EXPECT_EQ(nav.pan(), (Point{199, 90}));
    EXPECT_EQ(nav.savedPan(), (Point{199, 90}));
}

TEST(ViewZoom, ZoomAboutTheMousePastFiveRestores) {
    ViewNavigation nav;
    nav.moveMouse({10, 10}, kDrawnWidth, kClientHeight);
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(nav.zoomAboutMouse(), ZoomResult::Zoomed);
    }
    ASSERT_EQ(nav.zoom(), 5.0);
    EXPECT_EQ(nav.zoomAboutMouse(), ZoomResult::Restored);
    EXPECT_EQ(nav.zoom(), 1.0);
    EXPECT_EQ(nav.pan(), (Point{}));
    EXPECT_EQ(nav.savedPan(), (Point{}));
}

TEST(ViewDrag, PanFollowsThePointerFromTheSavedPan) {
    ViewNavigation nav;
    nav.moveMouse({200, 200}, kDrawnWidth, kClientHeight);
    ASSERT_TRUE(nav.pressLeft({200, 200}, false));
    const MoveResult moved = nav.moveMouse({150, 230}, kDrawnWidth, kClientHeight);
    EXPECT_TRUE(moved.panned);
    EXPECT_EQ(nav.pan(), (Point{50, -30}));
    EXPECT_EQ(nav.savedPan(), (Point{}));  // saved only on release
    nav.releaseLeft();
    EXPECT_FALSE(nav.dragging());
    EXPECT_EQ(nav.savedPan(), (Point{50, -30}));

    // A second drag continues from there.
    ASSERT_TRUE(nav.pressLeft({400, 400}, false));
    nav.moveMouse({390, 410}, kDrawnWidth, kClientHeight);
    EXPECT_EQ(nav.pan(), (Point{60, -40}));
    EXPECT_EQ(nav.measurementPoint(), (Point{450, 370}));
}

TEST(ViewDrag, AnActiveToolGetsTheClickInsteadOfADrag) {
    ViewNavigation nav;
    EXPECT_FALSE(nav.pressLeft({200, 200}, true));
    const MoveResult moved = nav.moveMouse({100, 100}, kDrawnWidth, kClientHeight);
    EXPECT_TRUE(moved.inImage);
    EXPECT_FALSE(moved.panned);
    EXPECT_EQ(nav.pan(), (Point{}));
}

TEST(ViewDrag, MovesOutsideTheImageDoNotPan) {
    ViewNavigation nav;
    ASSERT_TRUE(nav.pressLeft({200, 200}, false));
    const MoveResult outside = nav.moveMouse({kDrawnWidth + 3, 200}, kDrawnWidth, kClientHeight);
    EXPECT_FALSE(outside.inImage);
    EXPECT_FALSE(outside.panned);
    EXPECT_FALSE(nav.mouseInImage());
    EXPECT_EQ(nav.pan(), (Point{}));
    EXPECT_EQ(nav.mouse(), (Point{kDrawnWidth + 3, 200}));  // still remembered
}

TEST(ViewDrag, LosingTheCaptureEndsTheDragWhereItIs) {
    ViewNavigation nav;
    ASSERT_TRUE(nav.pressLeft({200, 200}, false));
    nav.moveMouse({180, 200}, kDrawnWidth, kClientHeight);
    nav.captureLost();
    EXPECT_FALSE(nav.dragging());
    EXPECT_FALSE(nav.mouseInImage());
    EXPECT_EQ(nav.savedPan(), (Point{20, 0}));
    nav.moveMouse({100, 100}, kDrawnWidth, kClientHeight);
    EXPECT_EQ(nav.pan(), (Point{20, 0}));
}

TEST(ViewDrag, RestoreDuringADragStopsIt) {
    ViewNavigation nav;
    ASSERT_TRUE(nav.pressLeft({200, 200}, false));
    nav.restore();
    EXPECT_FALSE(nav.dragging());
    nav.moveMouse({300, 300}, kDrawnWidth, kClientHeight);
    EXPECT_EQ(nav.pan(), (Point{}));
}

TEST(ViewMouse, InsideMeansOverTheDrawnImageNotTheIndicator) {
    ViewNavigation nav;
    EXPECT_TRUE(nav.moveMouse({0, 0}, kDrawnWidth, kClientHeight).inImage);
    EXPECT_TRUE(
        nav.moveMouse({kDrawnWidth - 1, kClientHeight - 1}, kDrawnWidth, kClientHeight).inImage);
    EXPECT_FALSE(nav.moveMouse({kDrawnWidth, 10}, kDrawnWidth, kClientHeight).inImage);
    EXPECT_FALSE(nav.moveMouse({10, kClientHeight}, kDrawnWidth, kClientHeight).inImage);
    EXPECT_FALSE(nav.moveMouse({-1, 10}, kDrawnWidth, kClientHeight).inImage);
    EXPECT_FALSE(nav.moveMouse({10, -1}, kDrawnWidth, kClientHeight).inImage);
    EXPECT_FALSE(nav.cellUnderMouse(1020, 700));
}

TEST(ViewMouse, ArrowKeysNudgeThePointerByOnePixel) {
    EXPECT_EQ(nudge({10, 10}, ArrowKey::Down), (Point{10, 11}));
    EXPECT_EQ(nudge({10, 10}, ArrowKey::Left), (Point{9, 10}));
    EXPECT_EQ(nudge({10, 10}, ArrowKey::Right), (Point{11, 10}));
    EXPECT_EQ(nudge({10, 10}, ArrowKey::Up), (Point{10, 9}));

    ViewNavigation nav;
    nav.moveMouse({0, 5}, kDrawnWidth, kClientHeight);
    EXPECT_TRUE(nav.arrowKey(ArrowKey::Right, kDrawnWidth, kClientHeight).inImage);
    EXPECT_EQ(nav.mouse(), (Point{1, 5}));
    nav.arrowKey(ArrowKey::Left, kDrawnWidth, kClientHeight);
    EXPECT_FALSE(nav.arrowKey(ArrowKey::Left, kDrawnWidth, kClientHeight).inImage);
    EXPECT_EQ(nav.mouse(), (Point{-1, 5}));

    // During a drag a nudge pans like a mouse move.
    nav.moveMouse({100, 100}, kDrawnWidth, kClientHeight);
    ASSERT_TRUE(nav.pressLeft({100, 100}, false));
    EXPECT_TRUE(nav.arrowKey(ArrowKey::Up, kDrawnWidth, kClientHeight).panned);
    EXPECT_EQ(nav.pan(), (Point{0, 1}));
}

TEST(ViewMouse, RowAndColumnUnderTheMouseUseZoomAndPan) {
    // (mouse + pan) / zoom, truncated: (333 + 40) / 3 = 124.33, (101 + 20) / 3 = 40.33.
    EXPECT_EQ(imageCellAt({333, 101}, {40, 20}, 3.0, 1020, 700), (ImageCell{40, 124}));
    EXPECT_EQ(imageCellAt({5, 5}, {0, 0}, 2.0, 1020, 700), (ImageCell{2, 2}));
    EXPECT_EQ(imageCellAt({1019, 699}, {0, 0}, 1.0, 1020, 700), (ImageCell{699, 1019}));
}

TEST(ViewMouse, PointsOffTheImageGiveNoRow) {
    EXPECT_FALSE(imageCellAt({1020, 10}, {0, 0}, 1.0, 1020, 700));
    EXPECT_FALSE(imageCellAt({10, 700}, {0, 0}, 1.0, 1020, 700));
    EXPECT_FALSE(imageCellAt({10, 400}, {0, 1000}, 2.0, 1020, 700));  // 1400 / 2 = row 700
    // Left of a picture dragged to the right: -1 / 2 would truncate onto column 0.
    EXPECT_FALSE(imageCellAt({9, 10}, {-10, 0}, 2.0, 1020, 700));
    EXPECT_FALSE(imageCellAt({10, 9}, {0, -10}, 2.0, 1020, 700));
    EXPECT_FALSE(imageCellAt({10, 10}, {0, 0}, 0.0, 1020, 700));
}

TEST(ViewMouse, CellUnderMouseNeedsThePointerOverTheImage) {
    ViewNavigation nav;
    nav.zoomIn();
    nav.moveMouse({200, 300}, kDrawnWidth, kClientHeight);
    ASSERT_TRUE(nav.cellUnderMouse(1020, 700));
    EXPECT_EQ(*nav.cellUnderMouse(1020, 700), (ImageCell{150, 100}));
    nav.captureLost();
    EXPECT_FALSE(nav.cellUnderMouse(1020, 700));
}
}  // namespace
