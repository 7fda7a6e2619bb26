#include <gtest/gtest.h>

#include <map>
#include <string>

#include "display/DiagnosticsFields.h"
#include "display/SonarSettingsForm.h"
#include "document/DocumentFixture.h"

namespace doctest {
namespace {

std::map<int, std::string> fieldsOf(const CKeelbrookDoc& doc) {
    std::map<int, std::string> texts;
    for (const DiagnosticsField& f :
         diagnosticsFields({doc.decoded(), doc.head().command(), doc.pingIntervalMs(),
                            doc.settings().units == 1, doc.playback()})) {
        texts[f.control] = f.text;
    }
    return texts;
}

TEST_F(DocumentTest, SettingsDialogChangeTravelsWithTheNextCommand) {
    connectYes();
    ping(1, 0);   // mode acknowledged ...
    ping(2, 9);   // ... range ...
    ping(3, 30);  // ... balance: the handshake is done
    ASSERT_EQ(doc->head().command().linkCommand(), SwitchCommand::None);

    sonar_settings::moveBalance(doc->head().command(), 45);
    receive(headReturn(0));
    EXPECT_EQ(lastSent(SwitchCommand::kGainBalance), 45);
    EXPECT_EQ(lastSent(SwitchCommand::kLinkCommand), SwitchCommand::ApplyBalance);

    sonar_settings::chooseMode(doc->head().command(), 2);
    receive(headReturn(2));
    EXPECT_EQ(lastSent(SwitchCommand::kModeFreq), 2);
    EXPECT_EQ(lastSent(SwitchCommand::kLinkCommand), SwitchCommand::ApplyMode);
}

TEST_F(DocumentTest, RangeCommandsStopAt10And200MetresAndRefreshTheDialogOnChange) {
    connectYes();
    struct Case {
        int from;
        CommandId command;
        int to;
        bool refreshed;
    };
    const Case cases[] = {{15, CommandId::IncreaseRange, 15, false},
                          {5, CommandId::DecreaseRange, 5, false},
                          {14, CommandId::IncreaseRange, 15, true},
                          {6, CommandId::DecreaseRange, 5, true}};
    for (const Case& c : cases) {
        doc->head().command().setRangeIndex(static_cast<std::uint8_t>(c.from));
        doc->head().command().setLinkCommand(SwitchCommand::None);
        const int refreshes = frame.settingsDialogRefreshes;
        doc->execute(c.command);
        EXPECT_EQ(doc->head().command().rangeIndex(), c.to) << c.from;
        EXPECT_EQ(frame.settingsDialogRefreshes - refreshes, c.refreshed ? 1 : 0) << c.from;
        EXPECT_EQ(doc->head().command().linkCommand(),
                  c.refreshed ? SwitchCommand::ApplyRange : SwitchCommand::None);
    }
    const int refreshes = frame.settingsDialogRefreshes;
    doc->execute(CommandId::IncreaseGain);
    doc->execute(CommandId::Imperial);
    EXPECT_EQ(frame.settingsDialogRefreshes - refreshes, 2);
}

TEST_F(DocumentTest, SettingsFileDecidesWhetherTheDialogOpens) {
    writeSettings("[Settings]\r\nSettings Dialog Visible=0\r\n");
    doc->initialise();
    EXPECT_EQ(frame.settingsDialogShown, std::vector<bool>{false});
    writeSettings("[Settings]\r\nSettings Dialog Visible=1\r\n");
    doc->loadSettingsFile();
    EXPECT_EQ(frame.settingsDialogShown, (std::vector<bool>{false, true}));
    fs::remove(dir / "Keelbrook.cfg");
    frame.settingsDialogShown.clear();
    doc->initialise();  // no file: the default opens it
    EXPECT_EQ(frame.settingsDialogShown, std::vector<bool>{true});
}

TEST_F(DocumentTest, DiagnosticsShowTheLastReturnAndTheSettingsInForce) {
    connectYes();
    clock.tick += 125;
    // runType 2 in bits 4..1, echo value 9 in bits 12..5 (0000 1001), bit 0 clear.
    ping(2, 9);
    const auto live = fieldsOf(*doc);
    EXPECT_EQ(live.at(1003), "SON");
    EXPECT_EQ(live.at(1006), "0x2");  // the starboard return came last
    EXPECT_EQ(live.at(1043), "0");
    EXPECT_EQ(live.at(1045), "9");
    EXPECT_EQ(live.at(1011), "2");
    EXPECT_EQ(live.at(1015), "125");
    EXPECT_EQ(live.at(1019), "30");
    EXPECT_EQ(live.at(1020), "70");
    EXPECT_EQ(live.at(1046), "50 m");
    EXPECT_EQ(live.at(1038), "0");
    EXPECT_EQ(live.at(1036), "0010");
    EXPECT_EQ(live.at(1054), "1001");
    EXPECT_EQ(live.at(1055), "0000");
    EXPECT_EQ(live.at(1056), "0000");
    EXPECT_EQ(live.at(1059), "00");
    // The range acknowledge moved the handshake on to the balance.
    EXPECT_EQ(live.at(1021), "3");
    doc->execute(CommandId::Imperial);
    EXPECT_EQ(fieldsOf(*doc).at(1046), "150 ft");
}

TEST_F(DocumentTest, DiagnosticsBeforeAnyPingShowNothingKnown) {
    const auto fields = fieldsOf(*doc);
    EXPECT_EQ(fields.at(1003), "n/a");
    EXPECT_EQ(fields.at(1036), "0000");
}

}  // namespace
}  // namespace doctest
