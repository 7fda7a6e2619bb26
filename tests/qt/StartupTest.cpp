#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWidget>

#include "app/qt/CKeelbrookApp.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/RecentFileStore.h"
#include "document/CKeelbrookDoc.h"
#include "support/FakeDocument.h"

namespace {

// Writes a short recording with the program's own document.
std::string recordFile(const QTemporaryDir& dir, const std::string& name) {
    FakeDocument fake(dir.path().toStdString() + "/");
    fake.connect();
    const std::string path = dir.path().toStdString() + "/" + name;
    fake.prompts.saveChoices.push_back(FileChoice{path, 0});
    fake.doc.execute(CommandId::RecordData);
    for (int i = 0; i < 5; ++i) {
        fake.ping(30, 30);
    }
    fake.doc.execute(CommandId::StopRecording);
    return path;
}

}  // namespace

TEST(Startup, FileOnTheCommandLinePlaysWithoutTheConnectionDialog) {
    QStandardPaths::setTestModeEnabled(true);  // the per-user store of a test, not the user's
    QTemporaryDir dir;
    const std::string path = recordFile(dir, "start.DSX");
    bool dialogShown = false;
    // Should any modal dialog appear, note it and close it so the test cannot hang.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            dialogShown = true;
            w->close();
        }
    });
    watchdog.start(50);

    // A GPS on a pseudo-terminal for this run, so the GPS source opens without a message
    // whatever the settings beside the executable say.
    int master = -1, slave = -1;
    char gps[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, gps, nullptr, nullptr), 0);

    CKeelbrookApp app(CKeelbrookApp::parseCommandLine(
        {QStringLiteral("keelbrook"), QStringLiteral("--gps-device"), QString::fromLatin1(gps),
         QString::fromStdString(path)}));
    app.start();
    QTest::qWait(300);
    EXPECT_FALSE(dialogShown);
    EXPECT_TRUE(app.document().playback());
    EXPECT_EQ(app.document().title(), "Playback (start.DSX)");
    EXPECT_EQ(app.document().connectionState(), ConnectionState::Offline);
    EXPECT_FALSE(app.frame().playbackBar()->isHidden());
    EXPECT_GT(app.document().pipeline().image().totalLines(), 0u);
    EXPECT_EQ(app.document().recentFiles().entry(1), path);

    // Working in the sonar window leaves the track window in sight, at its own size.
    if (!app.document().gps().commandEnabled(CommandId::ShowGpsTrackPlotter, false).value()) {
        app.frame().runCommand(CommandId::ShowGpsTrackPlotter);
    }
    QMdiArea* area = app.frame().mdiArea();
    QMdiSubWindow* track = nullptr;
    QMdiSubWindow* sonar = nullptr;
    for (QMdiSubWindow* w : area->subWindowList()) {
        (w->windowTitle() == "Sonar" ? sonar : track) = w;
    }
    ASSERT_TRUE(track && sonar);
    const QSize size = track->size();
    area->setActiveSubWindow(track);
    area->setActiveSubWindow(sonar);
    EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder).back(), track);
    EXPECT_EQ(track->size(), size);
    EXPECT_EQ(sonar->geometry(), area->viewport()->rect());
    ::close(master);
    ::close(slave);
}

TEST(Startup, RecentFilesSurviveInThePerUserStore) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("store.ini"));
    RecentFileList list;
    list.add("/data/a.dsx");
    list.add("/data/b.xtf");
    RecentFileStore(ini).save(list);
    const RecentFileList back = RecentFileStore(ini).load();
    EXPECT_EQ(back.entry(1), "/data/b.xtf");
    EXPECT_EQ(back.entry(2), "/data/a.dsx");
    EXPECT_EQ(back.entry(3), "");
    QSettings raw(ini, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Recent File List/File1")).toString(),
              QStringLiteral("/data/b.xtf"));
}
