// sentrim's windows against the GPS sensor simulator: what the user sees while an operation
// runs, and after.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "sensorcfg/FakePrompts.h"
#include "sensorcfg/qt/CMainFrame.h"
#include "sensorcfg/qt/CMonitorDlg.h"
#include "sensorcfg/qt/CSentrimApp.h"
#include "sensorcfg/qt/CWaitDlg.h"
#include "sensorcfg/qt/SensorLinkController.h"
#include "sensorcfg_sim/SensorSim.h"

namespace {
using S = SensorCommand;
constexpr int kLongWaitMs = 20000;

class SensorWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim = std::make_unique<SensorSim>(std::vector<std::string>{"--model", "2", "--baud", "4"});
        ASSERT_FALSE(sim->device().empty());
        {
            // COM3 pointed at the simulator, as a user does; straight to its rate.
            Profile profile(dir.filePath("sentrim.ini").toStdString());
            profile.writeString("Serial Ports", "COM3", sim->device());
            profile.writeInt("Communications", "Port", 3);
            profile.writeInt("Communications", "ManualBaudSelect", 1);
            profile.writeInt("Communications", "ManualBaudRate", 4);
        }
        app = std::make_unique<CSentrimApp>(dir.filePath("sentrim.ini").toStdString(), &prompts);
        app->start({}, [] { return std::optional<int>(2); });
    }
    void TearDown() override {
        app->frame().close();
        app.reset();
    }
    CMainFrame& frame() { return app->frame(); }
    SensorSession& session() { return frame().link().session(); }
    bool enabled(S id) {
        frame().updateCommandStates();
        return frame().action(id)->isEnabled();
    }

    QTemporaryDir dir;
    FakePrompts prompts;
    std::unique_ptr<SensorSim> sim;
    std::unique_ptr<CSentrimApp> app;
};

TEST_F(SensorWindowsTest, ConnectDownloadMonitorAndDisconnect) {
    frame().runCommand(S::Connect);
    // While it runs: the main window takes nothing, the wait box says what is going on.
    EXPECT_FALSE(frame().menuBar()->isEnabled());
    EXPECT_FALSE(frame().toolbar()->isEnabled());
    EXPECT_FALSE(enabled(S::FileOpen));
    CWaitDlg* wait = frame().link().waitBox();
    ASSERT_NE(wait, nullptr);
    EXPECT_TRUE(wait->isVisible());
    EXPECT_TRUE(wait->isEnabled());
    EXPECT_EQ(wait->text(), "Trying Baud Rate 9600");
    QTRY_VERIFY_WITH_TIMEOUT(!session().busy(), kLongWaitMs);
    ASSERT_TRUE(session().connected());
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Connection Success. Baud rate detected at 9600 bps."});
    EXPECT_TRUE(frame().menuBar()->isEnabled());
    EXPECT_FALSE(enabled(S::Connect));
    EXPECT_TRUE(enabled(S::Disconnect));

    frame().runCommand(S::ViewMonitor);
    CMonitorDlg* monitor = frame().link().monitor();
    ASSERT_NE(monitor, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(monitor->rowText(1001).startsWith("$GPGGA,"), kLongWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(monitor->rowText(1012).startsWith("$GPGSV,3,2,"), kLongWaitMs);

    // Get Configuration: the unit's sentences come back into the summary's selection.
    app->config().sentences = {};
    frame().runCommand(S::GetConfiguration);
    EXPECT_FALSE(frame().menuBar()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!session().busy(), kLongWaitMs);
    EXPECT_EQ(app->config().sentences, defaultSentences(2));
    EXPECT_TRUE(app->doc().isModified());

    frame().runCommand(S::Disconnect);
    EXPECT_FALSE(session().connected());
    EXPECT_EQ(monitor->rowText(1001), "---");
    EXPECT_TRUE(enabled(S::Connect));
}

TEST_F(SensorWindowsTest, CancelInTheWaitBoxStopsAnUpload) {
    frame().runCommand(S::Connect);
    QTRY_VERIFY_WITH_TIMEOUT(!session().busy(), kLongWaitMs);
    ASSERT_TRUE(session().connected());
    prompts.messages.clear();
    frame().runCommand(S::SendConfiguration);
    QTest::qWait(1200);
    CWaitDlg* wait = frame().link().waitBox();
    ASSERT_NE(wait, nullptr);
    EXPECT_TRUE(wait->text().startsWith("Sending to GPS: $PTVRO,"));
    QTest::mouseClick(wait->findChild<QPushButton*>("waitCancel"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!session().busy(), 2000);
    EXPECT_FALSE(app->doc().isUploaded());
    EXPECT_TRUE(prompts.messages.empty());
    QTRY_VERIFY(frame().link().waitBox() == nullptr);
    EXPECT_TRUE(frame().menuBar()->isEnabled());
    EXPECT_TRUE(session().connected());
}

TEST_F(SensorWindowsTest, TheSensorGoingAwayIsReportedAndEndsTheLink) {
    frame().runCommand(S::Connect);
    QTRY_VERIFY_WITH_TIMEOUT(!session().busy(), kLongWaitMs);
    ASSERT_TRUE(session().connected());
    prompts.messages.clear();
    sim->stop();
    QTRY_VERIFY_WITH_TIMEOUT(!session().connected(), 5000);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"The serial port was lost."});
    EXPECT_TRUE(enabled(S::Connect));
}
}  // namespace
