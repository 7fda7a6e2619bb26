#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/DiagnosticsFields.h"
#include "display/SonarSettingsForm.h"

namespace {
namespace ss = sonar_settings;

TEST(SonarSettingsForm, GainBalanceShowsOppositeDecibelsPerSide) {
    struct Case {
        int balance;
        const char* port;
        const char* stbd;
    };
    const Case cases[] = {
        {0, "3.0", "-3.0"}, {30, "0.0", "0.0"}, {45, "-1.5", "1.5"}, {60, "-3.0", "3.0"}};
    for (const Case& c : cases) {
        EXPECT_EQ(ss::portDecibels(c.balance), c.port) << c.balance;
        EXPECT_EQ(ss::starboardDecibels(c.balance), c.stbd) << c.balance;
    }
}

TEST(SonarSettingsForm, HighModeOffersUpTo50MetresAndLowersALargerRange) {
    SwitchCommand cmd;
    cmd.setRangeIndex(14);  // 150 m
    const ss::Choices low = ss::rangeChoices(cmd, false);
    EXPECT_EQ(low.entries.size(), 11u);
    EXPECT_EQ(low.entries.back(), "200 m");
    EXPECT_EQ(low.selected, 9);

    ss::chooseMode(cmd, 2);
    EXPECT_EQ(cmd.linkCommand(), SwitchCommand::ApplyMode);
    const ss::Choices high = ss::rangeChoices(cmd, false);
    EXPECT_EQ(high.entries, (std::vector<std::string>{"10 m", "20 m", "30 m", "40 m", "50 m"}));
    EXPECT_EQ(high.selected, 4);
    EXPECT_EQ(cmd.rangeIndex(), 9);

    const ss::Choices feet = ss::rangeChoices(cmd, true);
    EXPECT_EQ(feet.entries,
              (std::vector<std::string>{"30 ft", "60 ft", "90 ft", "120 ft", "150 ft"}));
    ss::chooseMode(cmd, 0);
    EXPECT_EQ(ss::rangeChoices(cmd, true).entries.back(), "600 ft");
}

TEST(SonarSettingsForm, EachControlWritesItsSettingAndNamesItForTheHead) {
    SwitchCommand cmd;
    cmd.setLinkCommand(SwitchCommand::None);
    ss::chooseGain(cmd, 35);
    EXPECT_EQ(cmd.dataGain(), 35);
    EXPECT_EQ(cmd.linkCommand(), SwitchCommand::None);  // the gain goes with every command
    ss::chooseRange(cmd, 2);
    EXPECT_EQ(cmd.rangeIndex(), 7);
    EXPECT_EQ(cmd.linkCommand(), SwitchCommand::ApplyRange);
    EXPECT_TRUE(ss::moveBalance(cmd, 45));
    EXPECT_EQ(cmd.gainBalance(), 45);
    EXPECT_EQ(cmd.linkCommand(), SwitchCommand::ApplyBalance);

    // Nothing selected (-1) or out of the lists changes nothing.
    const SwitchCommand before = cmd;
    ss::chooseRange(cmd, -1);
    ss::chooseRange(cmd, 11);
    ss::chooseGain(cmd, 101);
    ss::chooseMode(cmd, 3);
    EXPECT_FALSE(ss::moveBalance(cmd, 61));
    EXPECT_FALSE(ss::moveBalance(cmd, -1));
    EXPECT_EQ(cmd.bytes(), before.bytes());
}

TEST(SonarSettingsForm, ListsSelectTheCurrentSettingsOrNothingForStrayValues) {
    SwitchCommand cmd;
    cmd.setModeFreq(1);
    cmd.setDataGain(100);
    EXPECT_EQ(ss::modeChoices(cmd).entries, (std::vector<std::string>{"Low", "Medium", "High"}));
    EXPECT_EQ(ss::modeChoices(cmd).selected, 1);
    EXPECT_EQ(ss::gainChoices(cmd).entries.size(), 101u);
    EXPECT_EQ(ss::gainChoices(cmd).selected, 100);
    cmd.setModeFreq(7);  // from a damaged settings file
    cmd.setRangeIndex(3);
    EXPECT_EQ(ss::modeChoices(cmd).selected, -1);
    EXPECT_EQ(ss::rangeChoices(cmd, false).selected, -1);
}

TEST(DiagnosticsFields, StatusWordBitsPrintAsDigitGroups) {
    EXPECT_EQ(bitDigits(0b1011, 3, 4), "1011");
    EXPECT_EQ(bitDigits(0b0011, 3, 4), "0011");
    EXPECT_EQ(bitDigits(1u << 22, 22, 2), "10");
    EXPECT_EQ(bitDigits(1u, 0, 1), "1");
}

}  // namespace
