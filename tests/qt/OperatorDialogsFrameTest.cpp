#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/qt/CMainFrame.h"
#include "app/qt/OperatorDialogs.h"
#include "document/CKeelbrookDoc.h"
#include "document/DocumentFixture.h"
#include "support/FakeDocument.h"

namespace {

// The whole frame on fake ports, so menus, dialogs and the document meet as in the program.
class FrameDialogsTest : public ::testing::Test {
  protected:
    FrameDialogsTest()
        : doc(DocPorts{link, clock, timers, prompts, frame}, dir.path().toStdString() + "/", 1920,
              1080) {
        frame.attachDocument(doc);
        doc.initialise();  // no settings file: the settings dialog opens
        frame.resize(1200, 800);
        frame.show();
    }
    void connect() {
        prompts.answers.push_back("127.0.0.73");
        doc.Connect();
        doc.OnConnectResult(true);
    }
    void ping(int runType, int echo) {
        for (std::uint8_t side : {0, 2}) {
            const auto r = doctest::headReturn(side, runType, echo);
            doc.OnReceive(r.data(), r.size());
        }
    }
    bool checked(CommandId id) {
        frame.updateCommandStates();
        return frame.action(id)->isChecked();
    }
    bool enabled(CommandId id) {
        frame.updateCommandStates();
        return frame.action(id)->isEnabled();
    }
    CSonarSettingsDlg* settingsDialog() { return frame.dialogs().sonarSettings(); }

    QTemporaryDir dir;
    FakeLink link;
    FakeClock clock;
    FakeTimers timers;
    FakePrompts prompts;
    CMainFrame frame;
    CKeelbrookDoc doc;
};

TEST_F(FrameDialogsTest, SettingsDialogOpensAtItsPlaceAndTogglesWithItsMenuItem) {
    ASSERT_TRUE(settingsDialog());
    EXPECT_TRUE(settingsDialog()->isVisible());
    EXPECT_EQ(settingsDialog()->windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(settingsDialog()->pos(), QPoint(800, 100));
    EXPECT_TRUE(checked(CommandId::SonarSettings));

    frame.runCommand(CommandId::SonarSettings);
    EXPECT_FALSE(settingsDialog()->isVisible());
    EXPECT_FALSE(checked(CommandId::SonarSettings));
    EXPECT_FALSE(doc.settings().settingsDialogVisible);
    frame.runCommand(CommandId::SonarSettings);
    EXPECT_TRUE(settingsDialog()->isVisible());
    EXPECT_TRUE(doc.settings().settingsDialogVisible);

    settingsDialog()->move(640, 220);
    EXPECT_EQ(doc.settings().settingsLeft, 640);
    EXPECT_EQ(doc.settings().settingsTop, 220);

    settingsDialog()->close();
    QTest::qWait(10);  // the dialog goes at the next turn of the event loop
    EXPECT_EQ(settingsDialog(), nullptr);
    EXPECT_FALSE(doc.settings().settingsDialogVisible);
    EXPECT_FALSE(checked(CommandId::SonarSettings));
}

TEST_F(FrameDialogsTest, ClosingTheProgramKeepsTheDialogForTheNextStart) {
    ASSERT_TRUE(settingsDialog()->isVisible());
    QApplication::closeAllWindows();  // as the platform does when the program quits
    QTest::qWait(10);
    EXPECT_TRUE(doc.settings().settingsDialogVisible);
}

TEST_F(FrameDialogsTest, ToolbarCommandsAndUnitsShowInTheOpenDialog) {
    connect();
    frame.runCommand(CommandId::IncreaseGain);
    frame.runCommand(CommandId::DecreaseRange);
    frame.runCommand(CommandId::Imperial);
    auto* gain = settingsDialog()->findChild<QComboBox*>(QStringLiteral("dataGain"));
    auto* range = settingsDialog()->findChild<QComboBox*>(QStringLiteral("range"));
    EXPECT_EQ(gain->currentText(), QStringLiteral("71"));
    EXPECT_EQ(range->currentText(), QStringLiteral("120 ft"));
}

TEST_F(FrameDialogsTest, DiagnosticsFollowEachPingAndItsMenuItemWaitsWhileShown) {
    connect();
    EXPECT_TRUE(enabled(CommandId::Diagnostics));
    frame.runCommand(CommandId::Diagnostics);
    CDiagnosticsDlg* diag = frame.dialogs().diagnostics();
    ASSERT_TRUE(diag && diag->isVisible());
    EXPECT_EQ(diag->windowTitle(), QStringLiteral("Diagnostics"));
    EXPECT_FALSE(enabled(CommandId::Diagnostics));
    EXPECT_EQ(diag->fieldText(1003), QStringLiteral("n/a"));
    ping(1, 0);
    EXPECT_EQ(diag->fieldText(1003), QStringLiteral("SON"));
    EXPECT_EQ(diag->fieldText(1011), QStringLiteral("1"));
    EXPECT_EQ(diag->fieldText(1036), QStringLiteral("0001"));
    ping(2, 9);
    EXPECT_EQ(diag->fieldText(1011), QStringLiteral("2"));
    EXPECT_EQ(diag->fieldText(1054), QStringLiteral("1001"));
}

TEST_F(FrameDialogsTest, PlaybackHidesTheSettingsDialogAndDiagnosticsNameTheFile) {
    // A short recording made by the program itself.
    const std::string path = dir.path().toStdString() + "/dialogs.dsx";
    {
        FakeDocument recorder(dir.path().toStdString() + "/rec/");
        recorder.connect();
        recorder.prompts.saveChoices.push_back(FileChoice{path, 0});
        recorder.doc.execute(CommandId::RecordData);
        for (int i = 0; i < 5; ++i) {
            recorder.ping(30, 30);
        }
        recorder.doc.execute(CommandId::StopRecording);
    }
    frame.runCommand(CommandId::Diagnostics);
    doc.openFileForPlayback(path);
    EXPECT_FALSE(settingsDialog()->isVisible());
    EXPECT_TRUE(doc.settings().settingsDialogVisible);  // it comes back with live data
    EXPECT_FALSE(enabled(CommandId::SonarSettings));
    frame.runCommand(CommandId::SonarSettings);
    EXPECT_FALSE(settingsDialog()->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return doc.pipeline().image().totalLines() >= 3; }));
    CDiagnosticsDlg* diag = frame.dialogs().diagnostics();
    EXPECT_EQ(diag->fieldText(1003), QStringLiteral("MRV"));
    EXPECT_EQ(diag->fieldText(1006), QStringLiteral("n/a"));
    EXPECT_EQ(diag->fieldText(1021), QStringLiteral("n/a"));
    EXPECT_EQ(diag->fieldText(1011), QStringLiteral("n/a"));
}

TEST_F(FrameDialogsTest, MainWindowKeysWorkWhileADialogHasTheFocus) {
    CSonarSettingsDlg* dlg = settingsDialog();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
    ASSERT_FALSE(doc.hold());
    QTest::keyClick(dlg, Qt::Key_H);
    EXPECT_TRUE(doc.hold());
}

}  // namespace
