#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include "sensorcfg/ConfigFile.h"
#include "sensorcfg/ConfigFiles.h"
#include "sensorcfg/FakePrompts.h"
#include "sensorcfg/qt/CMainFrame.h"
#include "sensorcfg/qt/CQuorelView.h"
#include "sensorcfg/qt/CSentrimApp.h"

namespace {
using S = SensorCommand;

class MainFrameTest : public ::testing::Test {
  protected:
    std::string profilePath() const { return dir.filePath("sentrim.ini").toStdString(); }
    std::string file(const char* name) const { return dir.filePath(name).toStdString(); }
    // One run of the program: start (answering the base model question), then whatever the
    // test does, then close as the user would.
    std::unique_ptr<CSentrimApp> start(int model, const std::string& fileArg = {}) {
        auto app = std::make_unique<CSentrimApp>(profilePath(), &prompts);
        app->start(fileArg, [model] { return std::optional<int>(model); });
        return app;
    }

    QTemporaryDir dir;
    FakePrompts prompts;
};

TEST_F(MainFrameTest, MenusKeysAndToolbarFollowTheCommandTable) {
    auto app = start(2);
    CMainFrame& frame = app->frame();
    QStringList menus;
    for (QAction* a : frame.menuBar()->actions()) {
        menus << a->text();
    }
    EXPECT_EQ(menus, (QStringList{"&File", "&Comm", "C&onfig", "&View", "&Help"}));
    EXPECT_EQ(frame.action(S::SensorConfiguration)->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_EQ(frame.action(S::UpdateSoftware)->shortcut(), QKeySequence(Qt::Key_F12));
    EXPECT_EQ(frame.action(S::FileNew)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(frame.action(S::FileOpen)->statusTip(), "Open an existing configuration file");
    QStringList tips;
    for (QAction* a : frame.toolbar()->actions()) {
        tips << (a->isSeparator() ? "|" : a->toolTip());
    }
    EXPECT_EQ(tips,
              (QStringList{"Open", "Save", "|", "Connect", "Disconnect", "Get Config from GPS",
                           "Send Config to GPS", "|", "Configure", "|", "Print"}));
    // Not connected: the commands that need a link are disabled, those that open one enabled.
    frame.updateCommandStates();
    for (S id : {S::Disconnect, S::GetConfiguration, S::SendConfiguration, S::ViewMonitor}) {
        EXPECT_FALSE(frame.action(id)->isEnabled()) << static_cast<int>(id);
    }
    for (S id :
         {S::CommSetup, S::Connect, S::SwitchToNmeaMode, S::SwitchToTavrinMode, S::UpdateSoftware,
          S::SensorConfiguration, S::NmeaSelections, S::FileSave, S::FilePrint}) {
        EXPECT_TRUE(frame.action(id)->isEnabled()) << static_cast<int>(id);
    }
    EXPECT_EQ(frame.windowTitle(), "Untitled - TAVRIN Sensor Configuration Software");
    frame.close();
}

TEST_F(MainFrameTest, WindowOpensCentredThenComesBackMaximised) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    {
        auto app = start(0);
        CMainFrame& frame = app->frame();
        EXPECT_EQ(frame.geometry(),
                  QRect(screen.width() / 2 - 250, screen.height() / 2 - 250, 500, 500));
        frame.setGeometry(40, 50, 600, 400);
        frame.runCommand(S::ViewToolbar);
        frame.showMaximized();
        ASSERT_TRUE(frame.close());
    }
    FakePrompts quiet;
    Profile profile(profilePath());
    EXPECT_EQ(profile.readString("Window size", "Rect", ""), "0040 0050 0640 0450");
    EXPECT_EQ(profile.readInt("Window size", "max", -1), 1);
    EXPECT_EQ(profile.readInt("Window size", "tool", -1), 0);
    EXPECT_EQ(profile.readInt("Window size", "status", -1), 1);
    {
        auto app = start(0);
        CMainFrame& frame = app->frame();
        EXPECT_TRUE(frame.isMaximized());
        EXPECT_TRUE(frame.toolbar()->isHidden());
        frame.showNormal();
        EXPECT_EQ(frame.geometry(), QRect(40, 50, 600, 400));
        frame.close();
    }
}

TEST_F(MainFrameTest, StartOpensTheGivenFileOrTheLastOne) {
    SensorConfig written = test_files::everyFieldSet();
    test_files::writeFile(file("a.cfg"), config_file::store(written));
    test_files::writeFile(file("b.cfg"), config_file::store(SensorConfig{}));
    {
        auto app = start(3, file("a.cfg"));
        EXPECT_EQ(app->config().model, 3) << "the base model comes from the question";
        EXPECT_EQ(app->config().lat_deg, 57);
        EXPECT_EQ(app->frame().windowTitle(), "a.cfg - TAVRIN Sensor Configuration Software");
        app->doc().openFile(file("b.cfg"));
        app->frame().updateCommandStates();
        EXPECT_EQ(app->frame().action(S::RecentFile2)->text(),
                  QString::fromStdString("&2 " + file("a.cfg")));
        app->frame().runCommand(S::RecentFile2);
        EXPECT_EQ(app->doc().title(), "a.cfg");
        app->frame().close();
    }
    auto app = start(1);
    EXPECT_EQ(app->doc().title(), "a.cfg");
    EXPECT_EQ(app->config().model, 1);
    EXPECT_TRUE(prompts.messages.empty());
    app->frame().close();
}

TEST_F(MainFrameTest, SummaryIsPaintedWithBlueLabelsAndPrintsToPdf) {
    auto app = start(6);
    app->config().datum = kUserDatum;
    app->config().lat_deg = 48;
    app->frame().documentChanged();
    CQuorelView* view = app->frame().view();
    view->resize(700, 500);
    QImage image(view->viewport()->size(), QImage::Format_RGB32);
    view->viewport()->render(&image);
    int blue = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            blue += c.blue() > 200 && c.red() < 60 && c.green() < 60;
            dark += c.blue() < 60 && c.red() < 60 && c.green() < 60;
        }
    }
    EXPECT_GT(blue, 500) << "bold blue labels";
    EXPECT_GT(dark, 300) << "values in the text colour";

    const QString pdf = dir.filePath("summary.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(view->print(printer));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(20000)) << "pdftotext (poppler-utils) is needed";
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains(QStringLiteral("GPS Base Model:"))) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QStringLiteral("Hadley")));
    EXPECT_TRUE(printed.contains(QString::fromUtf8("48\u00B0 00.000' N"))) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QStringLiteral("User Defined")));
    EXPECT_TRUE(printed.contains(QStringLiteral("DZ:")));
    EXPECT_EQ(printed.count(QChar('\f')), 1) << "one page";
    app->frame().close();
}

TEST_F(MainFrameTest, SummaryFromTheCommandLine) {
    test_files::writeFile(file("c.cfg"), config_file::store(test_files::everyFieldSet()));
    QProcess p;
    p.start(QStringLiteral(SENTRIM_PATH),
            {QStringLiteral("--summary"), QString::fromStdString(file("c.cfg")),
             QStringLiteral("--model"), QStringLiteral("4")});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(
        out.startsWith(QStringLiteral("Configuration file:  c.cfg\nGPS Base Model:      Farrow\n")))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QString::fromUtf8("123\u00B0 45.500' W")));

    QProcess bad;
    bad.start(QStringLiteral(SENTRIM_PATH),
              {QStringLiteral("--summary"), QStringLiteral("/nonexistent/x.cfg")});
    ASSERT_TRUE(bad.waitForFinished(20000));
    EXPECT_EQ(bad.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(bad.readAllStandardError()),
              "sentrim: cannot open /nonexistent/x.cfg\n");
}
}  // namespace
