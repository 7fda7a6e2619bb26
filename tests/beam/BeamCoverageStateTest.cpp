#include <gtest/gtest.h>

#include "beam/BeamCoverageState.h"

using beam::BeamButton;
using beam::BeamCoverageState;
using beam::Units;

namespace {

struct Start {
    int range = 50;
    int height = 90;
    Units units = Units::Metres;
    int gain = 20;
    const char* frequency = "Low";
};

BeamCoverageState stateAt(const Start& s) {
    BeamCoverageState state;
    state.press(s.units == Units::Feet ? BeamButton::Feet : BeamButton::Meters);
    state.setRange(s.range);
    state.setHeight(s.height);
    state.setGain(s.gain);
    state.setFrequency(s.frequency);
    return state;
}

struct ButtonCase {
    const char* what;
    Start start;
    BeamButton button;
    int range, height, gain;
    const char* frequency;
    bool changed;
};

}  // namespace

TEST(BeamButtons, EachButtonStepsItsValueWithinItsRules) {
    const Units m = Units::Metres, f = Units::Feet;
    const ButtonCase cases[] = {
        {"range up", {50}, BeamButton::RangeUp, 60, 90, 20, "Low", true},
        {"range up 150", {150}, BeamButton::RangeUp, 200, 90, 20, "Low", true},
        {"range up stays 200", {200}, BeamButton::RangeUp, 200, 90, 20, "Low", false},
        {"range up unlisted", {55}, BeamButton::RangeUp, 200, 90, 20, "Low", true},
        {"range down", {125}, BeamButton::RangeDown, 100, 90, 20, "Low", true},
        {"range down 20", {20}, BeamButton::RangeDown, 10, 90, 20, "Low", true},
        {"range down stays 10", {10}, BeamButton::RangeDown, 10, 90, 20, "Low", false},
        {"range down unlisted", {55}, BeamButton::RangeDown, 10, 90, 20, "Low", true},
        {"feet up", {50, 90, f}, BeamButton::HeightUp, 50, 91, 20, "Low", true},
        {"feet up stays 600", {50, 600, f}, BeamButton::HeightUp, 50, 600, 20, "Low", false},
        {"feet down", {50, 90, f}, BeamButton::HeightDown, 50, 89, 20, "Low", true},
        {"feet down stays 1", {50, 1, f}, BeamButton::HeightDown, 50, 1, 20, "Low", false},
        {"metres up", {50, 90, m}, BeamButton::HeightUp, 50, 93, 20, "Low", true},
        {"metres up 593", {50, 593, m}, BeamButton::HeightUp, 50, 596, 20, "Low", true},
        {"metres up past 596", {50, 594, m}, BeamButton::HeightUp, 50, 600, 20, "Low", true},
        {"metres up stays 600", {50, 600, m}, BeamButton::HeightUp, 50, 600, 20, "Low", false},
        {"metres down", {50, 90, m}, BeamButton::HeightDown, 50, 87, 20, "Low", true},
        {"metres down 7", {50, 7, m}, BeamButton::HeightDown, 50, 4, 20, "Low", true},
        {"metres down 5", {50, 5, m}, BeamButton::HeightDown, 50, 3, 20, "Low", true},
        {"metres down stays 3", {50, 3, m}, BeamButton::HeightDown, 50, 3, 20, "Low", false},
        {"gain up", {50, 90, m, 20}, BeamButton::GainUp, 50, 90, 21, "Low", true},
        {"gain up stays 100", {50, 90, m, 100}, BeamButton::GainUp, 50, 90, 100, "Low", false},
        {"gain down", {50, 90, m, 20}, BeamButton::GainDown, 50, 90, 19, "Low", true},
        {"gain down stays 0", {50, 90, m, 0}, BeamButton::GainDown, 50, 90, 0, "Low", false},
        {"freq up low", {}, BeamButton::FrequencyUp, 50, 90, 20, "Medium", true},
        {"freq up medium",
         {50, 90, m, 20, "Medium"},
         BeamButton::FrequencyUp,
         50,
         90,
         20,
         "High",
         true},
        {"freq up high", {50, 90, m, 20, "High"}, BeamButton::FrequencyUp, 50, 90, 20, "Low", true},
        {"freq down low", {}, BeamButton::FrequencyDown, 50, 90, 20, "High", true},
        {"freq down medium",
         {50, 90, m, 20, "Medium"},
         BeamButton::FrequencyDown,
         50,
         90,
         20,
         "Low",
         true},
        {"freq down high",
         {50, 90, m, 20, "High"},
         BeamButton::FrequencyDown,
         50,
         90,
         20,
         "Medium",
         true},
        {"meters raises 1 ft", {50, 1, f}, BeamButton::Meters, 50, 3, 20, "Low", true},
        {"meters raises 2 ft", {50, 2, f}, BeamButton::Meters, 50, 3, 20, "Low", true},
        {"meters keeps 90 ft", {50, 90, f}, BeamButton::Meters, 50, 90, 20, "Low", true},
        {"feet keeps 1 ft", {50, 1, m}, BeamButton::Feet, 50, 1, 20, "Low", true},
        {"print changes nothing", {}, BeamButton::Print, 50, 90, 20, "Low", false},
    };
    for (const ButtonCase& c : cases) {
        BeamCoverageState s = stateAt(c.start);
        EXPECT_EQ(s.press(c.button), c.changed) << c.what;
        EXPECT_EQ(s.range(), c.range) << c.what;
        EXPECT_EQ(s.height(), c.height) << c.what;
        EXPECT_EQ(s.gain(), c.gain) << c.what;
        EXPECT_EQ(s.frequency(), c.frequency) << c.what;
    }
}

TEST(BeamUnits, MetresShowFeetDividedByThree) {
    BeamCoverageState s;  // 90 ft, 50 m, metres
    EXPECT_EQ(s.heightText(), "30 m");
    EXPECT_EQ(s.heightLabel(), "H: 30 m");
    EXPECT_EQ(s.rangeText(), "50 m");
    EXPECT_EQ(s.rangeLabel(), "Range = 50 m");
    EXPECT_EQ(s.unitsText(), "meters");
    s.press(BeamButton::HeightDown);
    EXPECT_EQ(s.height(), 87);
    EXPECT_EQ(s.heightText(), "29 m");

    s.press(BeamButton::Feet);
    EXPECT_EQ(s.heightText(), "87 ft");
    EXPECT_EQ(s.rangeText(), "150 ft");
    EXPECT_EQ(s.rangeLabel(), "Range = 150 ft");
    EXPECT_EQ(s.heightLabel(), "H: 87 ft");
    EXPECT_EQ(s.unitsText(), "feet");
    EXPECT_EQ(s.gainText(), "20%");
}

TEST(BeamStart, TakesRangeFrequencyGainAndUnitsFromTheSonar) {
    struct Case {
        BeamStartSettings sonar;
        int range;
        const char* frequency;
        int gain;
        Units units;
    };
    const Case cases[] = {
        {{5, 0, 70, 0}, 10, "Low", 70, Units::Metres},
        {{13, 1, 35, 1}, 125, "Medium", 35, Units::Feet},
        {{12, 0, 35, 1}, 100, "Low", 35, Units::Feet},
        {{14, 2, 0, 0}, 150, "High", 0, Units::Metres},
        {{15, 2, 100, 1}, 200, "High", 100, Units::Feet},
        {{3, 7, 50, 2}, 200, "Low", 50, Units::Metres},      // unknown index, mode and units
        {{255, 0, 250, 0}, 200, "Low", 100, Units::Metres},  // a stray gain byte
    };
    for (const Case& c : cases) {
        BeamCoverageState s;
        s.takeSonarSettings(c.sonar);
        EXPECT_EQ(s.range(), c.range) << c.sonar.rangeIndex;
        EXPECT_EQ(s.frequency(), c.frequency) << c.sonar.mode;
        EXPECT_EQ(s.gain(), c.gain) << c.sonar.dataGain;
        EXPECT_EQ(s.units(), c.units) << c.sonar.units;
        EXPECT_EQ(s.height(), 90);  // the sonar knows no height
    }
}
