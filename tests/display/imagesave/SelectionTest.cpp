#include <gtest/gtest.h>

#include "display/imagesave/Selection.h"

namespace {
using Rect = waterfall_view::Rect;

TEST(Selection, SelectArmsAndDisarmsAndTheRectangleCompletesOnRelease) {
    Selection s;
    EXPECT_FALSE(s.press({10, 10}));  // off: the press is the view's own
    s.toggle();
    EXPECT_EQ(s.state(), Selection::State::Armed);
    EXPECT_FALSE(s.canSave());
    EXPECT_FALSE(s.outline());
    ASSERT_TRUE(s.press({10, 20}));
    EXPECT_TRUE(s.dragging());
    EXPECT_TRUE(s.move({50, 60}));
    EXPECT_FALSE(s.canSave());  // still being dragged
    ASSERT_TRUE(s.release({70, 90}));
    EXPECT_EQ(s.state(), Selection::State::Complete);
    EXPECT_TRUE(s.canSave());
    const auto outline = s.outline();
    ASSERT_TRUE(outline);
    EXPECT_EQ((*outline)[1], (waterfall_view::Point{10, 90}));
    EXPECT_EQ((*outline)[3], (waterfall_view::Point{70, 20}));

    // A new press starts a new rectangle; Save Selected waits for its release.
    s.press({5, 5});
    EXPECT_FALSE(s.canSave());
    s.release({6, 6});
    EXPECT_TRUE(s.canSave());

    s.toggle();
    EXPECT_EQ(s.state(), Selection::State::Off);
    EXPECT_FALSE(s.canSave());
    EXPECT_FALSE(s.area(800, 600));
}

TEST(Selection, AreaIsTheSameWhicheverWayItWasDraggedAndStaysInsideTheWindow) {
    struct Case {
        waterfall_view::Point from, to;
        std::optional<Rect> area;
    };
    const Case cases[] = {
        {{10, 20}, {110, 70}, Rect{10, 20, 100, 50}},
        {{110, 70}, {10, 20}, Rect{10, 20, 100, 50}},
        {{110, 20}, {10, 70}, Rect{10, 20, 100, 50}},
        {{-30, 580}, {50, 650}, Rect{0, 580, 50, 20}},  // dragged past the window's edges
        {{40, 40}, {40, 90}, std::nullopt},             // no width: nothing to save
        {{900, 10}, {950, 50}, std::nullopt},           // wholly outside
    };
    for (const Case& c : cases) {
        Selection s;
        s.toggle();
        s.press(c.from);
        s.release(c.to);
        EXPECT_EQ(s.area(800, 600), c.area) << c.from.x << "," << c.from.y;
        EXPECT_EQ(s.canSave(), c.from.x != c.to.x && c.from.y != c.to.y);
    }
}

}  // namespace
