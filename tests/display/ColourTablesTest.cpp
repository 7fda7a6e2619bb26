#include <gtest/gtest.h>

#include "display/ColourIndicator.h"
#include "display/ColourTables.h"
#include "display/DisplaySettings.h"
#include "display/PingPipeline.h"

namespace {
using Rgb = ColourTables::Rgb;

struct ScaleEntry {
    int index;
    Rgb colour;
};

// First and last entry of every row of the normal scale, worked out by hand.
const ScaleEntry kScaleBoundaries[] = {
    {0, {0, 0, 0}},         {40, {0, 0, 80}},       {41, {0, 20, 80}},      {81, {0, 100, 0}},
    {82, {0, 102, 0}},      {91, {0, 120, 0}},      {92, {2, 122, 0}},      {101, {20, 140, 0}},
    {102, {20, 142, 0}},    {112, {20, 162, 0}},    {113, {25, 164, 0}},    {123, {75, 184, 0}},
    {124, {80, 185, 0}},    {136, {140, 125, 0}},   {137, {145, 118, 0}},   {138, {150, 110, 0}},
    {139, {153, 108, 0}},   {142, {160, 100, 0}},   {143, {163, 100, 0}},   {158, {200, 100, 0}},
    {159, {203, 103, 0}},   {164, {215, 115, 0}},   {165, {213, 118, 0}},   {166, {210, 120, 0}},
    {178, {150, 150, 0}},   {179, {153, 153, 0}},   {197, {198, 198, 0}},   {198, {200, 200, 50}},
    {216, {245, 245, 140}}, {217, {180, 180, 180}}, {235, {216, 216, 216}}, {236, {160, 0, 0}},
    {254, {160, 0, 0}},
};

TEST(ColourTables, NormalLowIsTheNormalScaleAtEveryRowBoundary) {
    const ColourTables tables;
    for (const ScaleEntry& e : kScaleBoundaries) {
        EXPECT_EQ(tables.table(ColourTables::NormalLow)[e.index], e.colour) << "entry " << e.index;
        EXPECT_EQ(ColourTables::normalScale(e.index), e.colour) << "entry " << e.index;
    }
}

TEST(ColourTables, NormalHighBoostsByHalfAndClipsAt255) {
    const ColourTables tables;
    const auto& high = tables.table(ColourTables::NormalHigh);
    EXPECT_EQ(high[40], (Rgb{0, 0, 120}));
    EXPECT_EQ(high[139], (Rgb{229, 162, 0}));  // 153 x 1.5 = 229.5 truncates
    EXPECT_EQ(high[216], (Rgb{255, 255, 210}));
    EXPECT_EQ(high[235], (Rgb{255, 255, 255}));
    EXPECT_EQ(high[236], (Rgb{240, 0, 0}));
}

TEST(ColourTables, GreyAndReverseGreyAreRamps) {
    const ColourTables tables;
    EXPECT_EQ(tables.table(ColourTables::Grey)[100], (Rgb{100, 100, 100}));
    EXPECT_EQ(tables.table(ColourTables::ReverseGrey)[0], (Rgb{255, 255, 255}));
    EXPECT_EQ(tables.table(ColourTables::ReverseGrey)[254], (Rgb{1, 1, 1}));
    EXPECT_EQ(tables.table(ColourTables::Green)[77], (Rgb{0, 77, 0}));
}

TEST(ColourTables, WaveTablesShareTheirSineAndCosineRamps) {
    const ColourTables tables;
    // At entry 128 the quarter wave gives S = 216 and C = 89.
    EXPECT_EQ(tables.table(ColourTables::BrownYellow)[128], (Rgb{216, 89, 0}));
    EXPECT_EQ(tables.table(ColourTables::GreenBlue)[128], (Rgb{0, 216, 89}));
    EXPECT_EQ(tables.table(ColourTables::GreenYellow)[128], (Rgb{89, 216, 0}));
    EXPECT_EQ(tables.table(ColourTables::Blue)[128], (Rgb{0, 89, 216}));
    EXPECT_EQ(tables.table(ColourTables::BrownYellow)[64], (Rgb{117, 23, 0}));
    EXPECT_EQ(tables.table(ColourTables::BrownYellow)[0], (Rgb{0, 0, 0}));
    EXPECT_EQ(tables.table(ColourTables::Blue)[254], (Rgb{0, 255, 255}));
}

TEST(ColourTables, EntryTwoFiftyFiveIsTheHighlightInEveryTable) {
    const ColourTables tables;
    for (int t = 0; t < ColourTables::kTableCount; ++t) {
        EXPECT_EQ(tables.table(t)[255], (Rgb{200, 200, 0})) << "table " << t;
    }
}

TEST(ColourTables, UnknownIndexFallsBackToGrey) {
    const ColourTables tables;
    EXPECT_EQ(&tables.table(-1), &tables.table(ColourTables::Grey));
    EXPECT_EQ(&tables.table(9), &tables.table(ColourTables::Grey));
}

TEST(ColourIndicator, ShowsEntry254AtTheTopAndEntry0AtTheBottom) {
    const ColourTables tables;
    ColourIndicator indicator;
    indicator.paint(tables.table(ColourTables::ReverseGrey));
    for (int x = 0; x < ColourIndicator::kWidth; ++x) {
        EXPECT_EQ(indicator.pixel(x, 0), (Rgb{1, 1, 1}));
        EXPECT_EQ(indicator.pixel(x, 254), (Rgb{255, 255, 255}));
        EXPECT_EQ(indicator.pixel(x, 154), (Rgb{155, 155, 155}));
    }
    const std::uint8_t* top = indicator.data();
    EXPECT_EQ(top[0], 1);
    EXPECT_EQ(top[ColourIndicator::kStride * 254 + 2], 255);
}

TEST(DisplaySettings, SelectingTheCurrentTableChangesNothing) {
    DisplaySettings s;
    EXPECT_EQ(s.colourTable(), 3);
    EXPECT_EQ(s.previousColourTable(), 0);
    EXPECT_FALSE(s.selectColourTable(3));
    EXPECT_EQ(s.previousColourTable(), 0);
    EXPECT_TRUE(s.selectColourTable(5));
    EXPECT_EQ(s.colourTable(), 5);
    EXPECT_EQ(s.previousColourTable(), 3);
    EXPECT_FALSE(s.selectColourTable(9));
    EXPECT_FALSE(s.selectColourTable(-1));
    EXPECT_EQ(s.colourTable(), 5);
}

TEST(DisplaySettings, TogglesAndSideLayoutOnlyStoreTheSetting) {
    DisplaySettings s;
    EXPECT_FALSE(s.verticalBlending());
    EXPECT_FALSE(s.speedCorrection());
    EXPECT_TRUE(s.colourIndicatorShown());
    EXPECT_EQ(s.sideLayout(), SideLayout::BothSides);
    s.toggleVerticalBlending();
    s.toggleSpeedCorrection();
    s.toggleColourIndicator();
    EXPECT_TRUE(s.verticalBlending());
    EXPECT_TRUE(s.speedCorrection());
    EXPECT_FALSE(s.colourIndicatorShown());
    EXPECT_TRUE(s.setSideLayout(1));
    EXPECT_EQ(s.sideLayout(), SideLayout::PortOnly);
    EXPECT_FALSE(s.setSideLayout(0));
    EXPECT_FALSE(s.setSideLayout(4));
    EXPECT_EQ(s.sideLayout(), SideLayout::PortOnly);
}

TEST(PingPipelineColours, ChangingTheTableRepaintsTheIndicator) {
    PingPipeline p;
    EXPECT_EQ(p.indicator().pixel(0, 254), (Rgb{0, 0, 0}));  // Grey: entry 0 is black
    EXPECT_TRUE(p.selectColourTable(ColourTables::ReverseGrey));
    EXPECT_EQ(p.indicator().pixel(0, 254), (Rgb{255, 255, 255}));
    EXPECT_EQ(p.palette()[0], (Rgb{255, 255, 255}));
    EXPECT_FALSE(p.selectColourTable(ColourTables::ReverseGrey));
    EXPECT_EQ(p.settings().previousColourTable(), ColourTables::Grey);
}
}  // namespace
