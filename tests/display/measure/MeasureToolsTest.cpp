#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "display/ColourTables.h"
#include "display/measure/MeasureOverlay.h"
#include "display/measure/MeasureTools.h"

namespace {
using namespace measure;

// Both sides at 50 m over a 1000-pixel picture: the track at x 500, one pixel 0.1 m.
Scale bothSides50m(double zoom = 1.0) {
    return {SideLayout::BothSides, 1000, zoom, 50};
}

LiveContext context(Scale scale, int rowsPerPing = 1, bool speedCorrection = false) {
    return {scale, speedCorrection, [rowsPerPing](int) { return rowsPerPing; }};
}

// Clicks as the view does: press, then release.
void click(MeasureTools& tools, Point at, const LiveContext& c) {
    tools.press(at, c);
    tools.release();
}

std::vector<std::string> labelTexts(const Overlay& o) {
    std::vector<std::string> texts;
    for (const OverlayLabel& l : o.labels) {
        texts.push_back(l.text);
    }
    return texts;
}

std::string storedLabel(const MeasureTools& tools, const Scale& scale, bool imperial = false) {
    OverlayStyle style;
    style.imperial = imperial;
    const Overlay o = buildOverlay(tools, scale, style, std::nullopt, 0.0);
    return o.labels.empty() ? std::string("(none)") : o.labels.back().text;
}

struct RangeCase {
    const char* name;
    Scale scale;
    Point click;
    bool imperial;
    int trackX;
    const char* label;
    const char* target;
};

class RangeTool : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeTool, ClickStoresALineFromTheTrackLabelledWithTheRange) {
    const RangeCase& rc = GetParam();
    MeasureTools tools;
    tools.toggle(Tool::Range);
    click(tools, rc.click, context(rc.scale));
    ASSERT_EQ(tools.items().size(), 1u);
    const MeasureItem& item = tools.items().front();
    EXPECT_EQ(item.type, ItemType::Range);
    EXPECT_EQ(item.start, (Point{rc.trackX, rc.click.y}));
    EXPECT_EQ(item.end, rc.click);
    EXPECT_EQ(storedLabel(tools, rc.scale, rc.imperial), rc.label);
    EXPECT_EQ(targetText(targetRange(rc.click, rc.scale), rc.imperial), rc.target);
    EXPECT_EQ(tools.tool(), Tool::None);  // one measurement per activation
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, RangeTool,
    ::testing::Values(
        RangeCase{"BothSidesRightOfCentre",
                  bothSides50m(),
                  {750, 300},
                  false,
                  500,
                  "25.00 m",
                  "Stbd: 25.00 m"},
        RangeCase{"BothSidesLeftOfCentre",
                  bothSides50m(),
                  {400, 300},
                  false,
                  500,
                  "10.00 m",
                  "Port: 10.00 m"},
        RangeCase{"PortOnlyTrackAtTheRight",
                  {SideLayout::PortOnly, 1000, 1.0, 50},
                  {750, 80},
                  false,
                  1000,
                  "12.50 m",
                  "Port: 12.50 m"},
        RangeCase{"StarboardOnlyTrackAtTheLeft",
                  {SideLayout::StarboardOnly, 1000, 1.0, 50},
                  {750, 80},
                  false,
                  0,
                  "37.50 m",
                  "Stbd: 37.50 m"},
        RangeCase{
            "ZoomedTwice", bothSides50m(2.0), {1250, 300}, false, 1000, "12.50 m", "Stbd: 12.50 m"},
        // 25 m in true feet, not the range scale's round factor of 3.
        RangeCase{"ImperialUsesTrueFeet",
                  bothSides50m(),
                  {750, 300},
                  true,
                  500,
                  "82.02 ft",
                  "Stbd: 82.02 ft"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeightTool, ShadowLengthAndFirstReturnGiveTheTargetHeight) {
    MeasureTools tools;
    const LiveContext c = context(bothSides50m());
    tools.toggle(Tool::Height);
    OverlayStyle style;
    EXPECT_EQ(labelTexts(buildOverlay(tools, c.scale, style, Point{700, 300}, 0.0)),
              std::vector<std::string>{"Click on\nthe Target"});

    click(tools, {700, 300}, c);  // the target, 20 m out
    click(tools, {600, 310}, c);  // first bottom return 10 m from the track: Hf
    click(tools, {800, 290}, c);  // shadow starts 30 m out: Rs
    EXPECT_DOUBLE_EQ(tools.firstReturnRange(), 10.0);
    EXPECT_DOUBLE_EQ(tools.shadowStartRange(), 30.0);
    ASSERT_EQ(tools.heightStep(), 3);
    // While waiting for the shadow end the prompt carries the live height: 5 x 10 / 35.
    const double live = tools.liveValue({850, 500}, c);
    const Overlay waiting = buildOverlay(tools, c.scale, style, Point{850, 500}, live);
    EXPECT_EQ(labelTexts(waiting), std::vector<std::string>{"Click on\nShadow End\nH=1.43 m"});

    click(tools, {850, 500}, c);
    EXPECT_EQ(tools.tool(), Tool::None);
    ASSERT_EQ(tools.items().size(), 4u);
    const std::vector<ItemType> types = {ItemType::HeightTarget, ItemType::HeightBottom,
                                         ItemType::HeightShadowStart, ItemType::HeightShadowEnd};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(tools.items()[i].type, types[i]);
        EXPECT_EQ(tools.items()[i].end.y, 300) << "every line lies on the target's row";
        if (i > 0) {
            EXPECT_EQ(tools.items()[i].start, tools.items()[i - 1].end);
        }
    }
    EXPECT_NEAR(tools.items().back().value, 5.0 * 10.0 / 35.0, 1e-9);
    // Only the final step is labelled.
    EXPECT_EQ(labelTexts(buildOverlay(tools, c.scale, style, std::nullopt, 0.0)),
              std::vector<std::string>{"1.43 m"});
}

TEST(HeightTool, ZeroShadowStartPlusLengthKeepsThePreviousValue) {
    MeasureTools tools;
    const LiveContext c = context(bothSides50m());
    tools.toggle(Tool::Height);
    click(tools, {520, 100}, c);
    click(tools, {600, 100}, c);
    click(tools, {500, 100}, c);  // the shadow starts on the track: Rs = 0
    const double before = tools.liveValue({600, 100}, c);
    const double onTrack = tools.liveValue({500, 100}, c);  // shadow length 0 as well
    EXPECT_TRUE(std::isfinite(onTrack));
    EXPECT_DOUBLE_EQ(onTrack, before);
}

TEST(DistanceTool, VerticalPartCountsTheRowsEachPingStoodFor) {
    struct Case {
        Point a, b;
        double zoom;
        int rowsPerPing;
        bool speedCorrection;
        double metres;
    };
    const Case cases[] = {
        // Ten rows apart on a track where each ping stood for 3 rows: 30 rows.
        {{100, 20}, {100, 30}, 1.0, 3, false, 3.0},
        {{100, 30}, {100, 20}, 1.0, 3, false, 3.0},
        {{100, 20}, {140, 50}, 1.0, 3, false, std::sqrt(40.0 * 40.0 + 90.0 * 90.0) * 0.1},
        // Zoomed: rows are counted in image rows and scaled back up.
        {{200, 40}, {200, 60}, 2.0, 3, false, 3.0},
        // Points on one row have no vertical part.
        {{100, 20}, {160, 20}, 1.0, 3, false, 6.0},
        // With speed correction the picture is already at scale.
        {{100, 20}, {100, 30}, 1.0, 3, true, 1.0},
    };
    for (const Case& k : cases) {
        MeasureTools tools;
        const LiveContext c = context(bothSides50m(k.zoom), k.rowsPerPing, k.speedCorrection);
        tools.toggle(Tool::Distance);
        click(tools, k.a, c);
        EXPECT_TRUE(tools.firstPointSet());
        EXPECT_TRUE(tools.items().empty());
        click(tools, k.b, c);
        ASSERT_EQ(tools.items().size(), 1u);
        EXPECT_EQ(tools.items()[0].start, k.a);
        EXPECT_EQ(tools.items()[0].end, k.b);
        EXPECT_NEAR(tools.items()[0].value, k.metres, 1e-9)
            << k.a.y << " to " << k.b.y << " zoom " << k.zoom;
        EXPECT_EQ(tools.tool(), Tool::None);
    }
}

TEST(DistanceTool, UsesTheRowHistoryOfThePictureMeasured) {
    // A burst of speed: the pings on rows 5..7 each stood for 10 rows, the rest for 1.
    MeasureTools tools;
    LiveContext c = context(bothSides50m());
    c.repetition = [](int row) { return row >= 5 && row <= 7 ? 10 : 1; };
    tools.toggle(Tool::Distance);
    click(tools, {300, 0}, c);
    click(tools, {300, 10}, c);
    EXPECT_NEAR(tools.items()[0].value, (7 + 30) * 0.1, 1e-9);
}

TEST(MeasureTools, OneToolAtATimeAndTogglingResetsProgress) {
    MeasureTools tools;
    const LiveContext c = context(bothSides50m());
    tools.toggle(Tool::Distance);
    click(tools, {10, 10}, c);
    tools.toggle(Tool::Height);
    EXPECT_EQ(tools.tool(), Tool::Height);
    EXPECT_FALSE(tools.firstPointSet());
    click(tools, {700, 300}, c);
    EXPECT_EQ(tools.heightStep(), 1);
    tools.toggle(Tool::Height);
    EXPECT_EQ(tools.tool(), Tool::None);
    EXPECT_EQ(tools.heightStep(), 0);
    EXPECT_FALSE(tools.press({1, 1}, c));  // no tool: the click is not a measurement
}

TEST(MeasureTools, ClearingMidMeasurementStartsTheMeasurementAgain) {
    MeasureTools tools;
    const LiveContext c = context(bothSides50m());
    tools.toggle(Tool::Height);
    click(tools, {700, 300}, c);
    click(tools, {600, 300}, c);
    tools.clearItems();  // e.g. the zoom changed
    EXPECT_EQ(tools.tool(), Tool::Height);
    EXPECT_EQ(tools.heightStep(), 0);
    click(tools, {650, 200}, c);
    ASSERT_EQ(tools.items().size(), 1u);
    EXPECT_EQ(tools.items()[0].type, ItemType::HeightTarget);
}

TEST(MeasureTools, AtCapacityTheOldestItemMakesRoom) {
    MeasureTools tools;
    const LiveContext c = context(bothSides50m());
    for (int i = 0; i <= static_cast<int>(MeasureTools::kCapacity); ++i) {
        tools.toggle(Tool::Mark);
        click(tools, {i, i}, c);
    }
    ASSERT_EQ(tools.items().size(), MeasureTools::kCapacity);
    EXPECT_EQ(tools.items().front().start, (Point{1, 1}));
    EXPECT_EQ(tools.items().back().start, (Point{100, 100}));
}

TEST(MeasureTools, DegenerateScalesGiveZeroNeverNaN) {
    const Scale scales[] = {{SideLayout::BothSides, 0, 1.0, 50},
                            {SideLayout::BothSides, 1000, 0.0, 50},
                            {SideLayout::PortOnly, 1000, std::nan(""), 50},
                            {SideLayout::BothSides, 1000, 1.0, 0}};
    for (const Scale& s : scales) {
        MeasureTools tools;
        const LiveContext c = context(s, 3);
        tools.toggle(Tool::Distance);
        click(tools, {10, 10}, c);
        click(tools, {40, 50}, c);
        EXPECT_EQ(storedLabel(tools, s), "0.00 m");
        EXPECT_EQ(targetText(targetRange({40, 50}, s), false).substr(6), "0.00 m");
    }
}

}  // namespace
