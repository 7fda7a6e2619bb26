#include "sensorcfg/CommSetupForm.h"
#include "sensorcfg/CommandTable.h"
#include "sensorcfg/DocFixture.h"
#include "sensorcfg/MonitorRows.h"
#include "sensorcfg/NmeaSelectForm.h"
#include "sensorcfg/SensorButtons.h"
#include "sensorcfg/WindowPlacement.h"

namespace {
TEST_F(DocTest, SentenceSelectionEnablingFollowsTheModel) {
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE(model);
        config.model = model;
        const NmeaSelectForm f(*doc);
        for (int s = 0; s < kSentenceCount; ++s) {
            bool expected = true;
            if (model == 1) {
                expected = false;
            } else if (s == LCGLL || s == LCVTG) {
                expected = model == 6;
            } else if (s == PTVRM || s == GPGLL) {
                expected = model != 6;
            }
            EXPECT_EQ(f.enabled(s), expected) << sentenceName(s);
        }
        EXPECT_EQ(f.resetEnabled(), model != 1);
    }
}

TEST_F(DocTest, SentenceSelectionResetsAndStores) {
    resetToDefaults(config, 2);
    NmeaSelectForm f(*doc);
    f.reset(NmeaSelectForm::ResetChoice::LoranSpecific);
    for (int s = 0; s < kSentenceCount; ++s) {
        const bool loran = s == GPGGA || s == GPGSA || s == GPGSV || s == GPRMC || s == PTVRT;
        EXPECT_EQ(f.checked(s), loran) << sentenceName(s);
    }
    EXPECT_FALSE(doc->isModified()) << "nothing is stored before OK";
    f.reset(NmeaSelectForm::ResetChoice::GpsSpecific);
    f.setChecked(GPGLL, true);
    f.apply();
    EXPECT_EQ(config.sentences[GPGLL], 1);
    EXPECT_EQ(config.sentences[GPVTG], 1);
    EXPECT_TRUE(doc->isModified());
}

TEST_F(DocTest, CommSetupWritesPortAndBaudSelection) {
    config.model = 2;
    config.port = 3;
    CommSetupForm f(*doc, *profile);
    EXPECT_EQ(CommSetupForm::portNames().front(), "COM1");
    EXPECT_EQ(CommSetupForm::portNames().back(), "COM8");
    EXPECT_EQ(f.portSelection(), 2);
    EXPECT_FALSE(f.manual());
    EXPECT_FALSE(f.rateListVisible());
    EXPECT_EQ(f.rateNames().back(), "38400");
    EXPECT_EQ(f.rateNames()[static_cast<std::size_t>(f.rateSelection())], "4800");
    f.setManual(true);
    f.selectPort(7);
    f.selectRate(7);
    f.apply();
    EXPECT_EQ(config.port, 8);
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(profile->readInt("Communications", "ManualBaudSelect", -1), 1);
    EXPECT_EQ(profile->readInt("Communications", "ManualBaudRate", -1), 8);

    config.model = 6;
    CommSetupForm again(*doc, *profile);
    EXPECT_TRUE(again.rateListVisible());
    EXPECT_EQ(again.rateNames().back(), "19200");
    EXPECT_EQ(again.rateSelection(), -1) << "38400 is not offered for model 6";
    again.selectRate(-1);
    EXPECT_EQ(again.rateCode(), 3);
}

TEST_F(DocTest, WindowPlacementRoundTripsAndFallsBackToACentredWindow) {
    WindowPlacement none = readWindowPlacement(*profile);
    EXPECT_FALSE(none.normal);
    EXPECT_TRUE(none.toolbar);
    EXPECT_TRUE(none.statusBar);
    EXPECT_EQ(normalRect(none, 1920, 1080), (WindowRect{710, 290, 1210, 790}));
    EXPECT_EQ(windowShow(none), WindowShow::Normal);

    writeWindowPlacement(*profile, {WindowRect{12, 34, 812, 634}, false, true, false, true});
    EXPECT_EQ(profile->readString("Window size", "Rect", ""), "0012 0034 0812 0634");
    const WindowPlacement back = readWindowPlacement(*profile);
    EXPECT_EQ(normalRect(back, 1920, 1080), (WindowRect{12, 34, 812, 634}));
    EXPECT_EQ(windowShow(back), WindowShow::Maximized);
    EXPECT_FALSE(back.toolbar);
    EXPECT_TRUE(back.statusBar);

    struct Case {
        bool minimized, maximized;
        WindowShow show;
    };
    for (const Case& k : {Case{true, false, WindowShow::Minimized},
                          Case{true, true, WindowShow::MinimizedRestoringMaximized},
                          Case{false, false, WindowShow::Normal}}) {
        WindowPlacement p;
        p.minimized = k.minimized;
        p.maximized = k.maximized;
        EXPECT_EQ(windowShow(p), k.show);
    }
    // A position left on a screen that is no longer there, or garbage, opens centred.
    profile->writeString("Window size", "Rect", "3000 100 3500 600");
    EXPECT_EQ(normalRect(readWindowPlacement(*profile), 1024, 768),
              (WindowRect{262, 134, 762, 634}));
    profile->writeString("Window size", "Rect", "10 20 abc");
    EXPECT_FALSE(readWindowPlacement(*profile).normal);
}

TEST(SensorCommands, EnablingFollowsConnectionModelAndLink) {
    using S = SensorCommand;
    struct Case {
        S id;
        bool connected;
        bool link;
        int model;
        bool enabled;
    };
    const Case cases[] = {
        {S::CommSetup, false, false, 0, true},
        {S::CommSetup, true, true, 0, false},
        {S::Connect, false, true, 0, true},
        {S::Connect, true, true, 0, false},
        {S::Connect, false, false, 0, false},
        {S::Disconnect, true, true, 0, true},
        {S::Disconnect, false, true, 0, false},
        {S::GetConfiguration, false, true, 2, false},
        {S::GetConfiguration, true, true, 2, true},
        {S::SendConfiguration, true, true, 1, true},
        {S::ViewMonitor, false, true, 2, false},
        {S::ViewMonitor, true, true, 2, true},
        {S::SwitchToNmeaMode, false, true, 2, true},
        {S::SwitchToNmeaMode, false, true, 1, false},
        {S::SwitchToNmeaMode, true, true, 2, false},
        {S::SwitchToTavrinMode, true, true, 1, true},
        {S::UpdateSoftware, false, true, 0, true},
        {S::UpdateSoftware, false, true, 1, false},
        {S::UpdateSoftware, false, true, 6, false},
        {S::UpdateSoftware, false, false, 0, false},
        {S::SensorConfiguration, true, false, 1, true},
        {S::NmeaSelections, false, false, 1, true},
        {S::FileOpen, true, true, 1, true},
        {S::FilePrint, false, false, 1, true},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(isSensorCommandEnabled(k.id, {k.connected, k.link, k.model}), k.enabled)
            << static_cast<int>(k.id) << " connected " << k.connected << " model " << k.model;
    }
}

TEST(SensorCommands, TableGivesMenusKeysAndTheToolbarOrder) {
    EXPECT_EQ(sensorMenus(),
              (std::vector<std::string>{"&File", "&Comm", "C&onfig", "&View", "&Help"}));
    struct Key {
        SensorCommand id;
        const char* key;
        const char* text;
    };
    for (const Key& k : {Key{SensorCommand::SensorConfiguration, "F6", "&Sensor Configuration"},
                         Key{SensorCommand::NmeaSelections, "F7", "&NMEA Sentence Selections"},
                         Key{SensorCommand::GetConfiguration, "F8", "&Get Configuration from GPS"},
                         Key{SensorCommand::SendConfiguration, "F9", "&Send Configuration to GPS"},
                         Key{SensorCommand::SwitchToNmeaMode, "F10", "Switch to NMEA &Mode"},
                         Key{SensorCommand::SwitchToTavrinMode, "F11", "Switch to &Tavrin Mode"},
                         Key{SensorCommand::UpdateSoftware, "F12", "Up&date Software"},
                         Key{SensorCommand::FileOpen, "Ctrl+O", "&Open..."},
                         Key{SensorCommand::FileSave, "Ctrl+S", "&Save"},
                         Key{SensorCommand::FilePrint, "Ctrl+P", "&Print..."},
                         Key{SensorCommand::FileNew, "Ctrl+N", "&New"}}) {
        const SensorCommandEntry* e = findSensorCommand(k.id);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->key, k.key);
        EXPECT_EQ(e->text, k.text);
    }
    std::vector<std::string> tips;
    for (const auto& id : sensorToolbar()) {
        tips.push_back(id ? findSensorCommand(*id)->tip : "|");
    }
    EXPECT_EQ(tips, (std::vector<std::string>{"Open", "Save", "|", "Connect", "Disconnect",
                                              "Get Config from GPS", "Send Config to GPS", "|",
                                              "Configure", "|", "Print"}));
    EXPECT_EQ(findSensorCommand(SensorCommand::GetConfiguration)->prompt,
              "Download configuration from sensor board.");
}

TEST(SensorButtons, NotConnectedMessagesAndFailures) {
    FakePrompts prompts;
    std::vector<std::string> sent;
    pressSensorButton(SensorButton::ResetNonVol, false, prompts, {});
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              "You must be connected before you can reset non-vol. memory!");
    EXPECT_EQ(prompts.messages[0].title, "Please connect first");
    EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Information);

    prompts.messages.clear();
    // The echo is awaited without blocking: the failure shows only once the wait has ended.
    std::vector<std::function<void(bool)>> pending;
    auto send = [&](const std::string& s, std::function<void(bool)> done) {
        sent.push_back(s);
        pending.push_back(std::move(done));
    };
    pressSensorButton(SensorButton::TestMode, true, prompts, send);
    pressSensorButton(SensorButton::SetAutolocate, true, prompts, send);
    EXPECT_EQ(sent, (std::vector<std::string>{"$PTVRO,,T\r\n", "$PTVRI,,,,,,,A\r\n"}));
    EXPECT_TRUE(prompts.messages.empty());
    pending[0](false);
    pending[1](true);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Set to teste mode did not succeed.");
    EXPECT_EQ(prompts.messages[0].title, "Set test mode fail");
}

TEST(MonitorRows, LinesGoToTheRowOfTheirSentence) {
    MonitorRows rows;
    EXPECT_EQ(MonitorRows::rowIds().size(), 16u);
    EXPECT_EQ(rows.text(1012), "...");
    struct Case {
        const char* line;
        int row;
    };
    for (const Case& k :
         {Case{"$GPGGA,1,2\r\n", 1001}, Case{"$GPGSV,3,2,11\r\n", 1012},
          Case{"$GPGSV,3,3,11\r\n", 1013}, Case{"$GPGSV,3,1,11\r\n", 1003},
          Case{"$GPGSV,3,9,11\r\n", 1003}, Case{"xx$PTVRB,1\r\n", 1014}, Case{"$PTVRM,1\r\n", 1017},
          Case{"$GPGLL,1\r\n", 1075}, Case{"$GPZDA,1\r\n", 0}, Case{"no dollar\r\n", 0}}) {
        EXPECT_EQ(MonitorRows::rowFor(k.line), k.row) << k.line;
    }
    EXPECT_TRUE(rows.show("\x7f$PTVRB,1,2\r\n"));
    EXPECT_EQ(rows.text(1014), "$PTVRB,1,2");
    rows.show("$PTVRM,9\r\n");
    rows.clear();
    EXPECT_EQ(rows.text(1014), "---");
    EXPECT_EQ(rows.text(1001), "---");
    EXPECT_EQ(rows.text(1017), "$PTVRM,9");
}
}  // namespace
