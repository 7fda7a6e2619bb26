#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/qt/CMainFrame.h"
#include "beam/qt/CBeamChildFrm.h"
#include "beam/qt/CBeamCoverView.h"
#include "document/CKeelbrookDoc.h"
#include "support/FakePorts.h"

using beam::BeamButton;

namespace {

// Sonar settings as the document would hand them over.
struct FixedSource : BeamSettingsSource {
    BeamStartSettings settings;
    BeamStartSettings beamStartSettings() const override { return settings; }
};

// The main frame over a document on fake ports, as the program runs it.
class BeamWindowTest : public ::testing::Test {
  protected:
    BeamWindowTest()
        : doc(DocPorts{link, clock, timers, prompts, frame}, dir.path().toStdString() + "/", 1600,
              1000) {
        frame.attachDocument(doc);
        doc.initialise();
        frame.resize(1600, 1000);
        frame.show();
    }
    CBeamCoverView* open() {
        frame.runCommand(CommandId::BeamCoverage);
        return frame.beamWindow() ? frame.beamWindow()->view() : nullptr;
    }
    void closeBeamWindow() {
        frame.beamWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frame.updateCommandStates();
    }

    QTemporaryDir dir;
    FakeLink link;
    FakeClock clock;
    FakeTimers timers;
    FakePrompts prompts;
    CMainFrame frame;
    CKeelbrookDoc doc;
};

// The view alone on given sonar settings, at 1190 x 800: H = 505, towfish at (515, 130).
class BeamViewTest : public ::testing::Test {
  protected:
    BeamViewTest() : view((source.settings = {9, 0, 20, 0}, source), {}) { view.resize(1190, 800); }
    QImage screen() {
        QImage img(view.size(), QImage::Format_RGB32);
        QPainter p(&img);
        view.paintView(p);
        return img;
    }
    void click(BeamButton b) { QTest::mouseClick(view.button(b), Qt::LeftButton); }

    FixedSource source;
    CBeamCoverView view;
};

QColor rgb(int r, int g, int b) {
    return QColor(r, g, b);
}

int countRow(const QImage& img, int y, QColor c) {
    int n = 0;
    for (int x = 0; x < img.width(); ++x) {
        n += img.pixelColor(x, y) == c ? 1 : 0;
    }
    return n;
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << p.readAllStandardError().data();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

TEST_F(BeamWindowTest, HelpCommandOpensOneWindowFromTheSonarSettings) {
    // Units first: the open settings dialog, refreshed by them, would bring High mode to 50 m.
    doc.execute(CommandId::Imperial);
    doc.head().command().setRangeIndex(13);
    doc.head().command().setModeFreq(2);
    doc.head().command().setDataGain(35);

    CBeamCoverView* view = open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(frame.beamWindow()->windowTitle(), QStringLiteral("Keelbrook - Beam Coverage"));
    EXPECT_TRUE(frame.findChild<QMdiArea*>()->subWindowList().contains(frame.beamWindow()));
    EXPECT_FALSE(frame.action(CommandId::BeamCoverage)->isEnabled());
    EXPECT_EQ(view->state().range(), 125);
    EXPECT_EQ(view->state().frequency(), "High");
    EXPECT_EQ(view->state().gain(), 35);
    EXPECT_EQ(view->state().rangeText(), "375 ft");

    // Its values are its own: they never reach the head, and die with the window.
    QTest::mouseClick(view->button(BeamButton::RangeUp), Qt::LeftButton);
    EXPECT_EQ(view->state().range(), 150);
    EXPECT_EQ(doc.head().command().rangeIndex(), 13);
    CBeamChildFrm* first = frame.beamWindow();
    frame.runCommand(CommandId::BeamCoverage);
    EXPECT_EQ(frame.beamWindow(), first);

    // Working in the sonar window leaves the beam window in sight.
    QMdiArea* area = frame.findChild<QMdiArea*>();
    area->setActiveSubWindow(area->subWindowList().front());
    EXPECT_NE(area->activeSubWindow(), frame.beamWindow());
    EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder).back(), frame.beamWindow());

    closeBeamWindow();
    EXPECT_EQ(frame.beamWindow(), nullptr);
    EXPECT_TRUE(frame.action(CommandId::BeamCoverage)->isEnabled());
    EXPECT_EQ(open()->state().range(), 125);
}

TEST_F(BeamWindowTest, PreviewHoldsTheSonarImageAndTitlesTheMainWindow) {
    CBeamCoverView* view = open();
    ASSERT_NE(view, nullptr);
    const QString title = frame.windowTitle();
    view->printPreview();
    ASSERT_NE(view->previewDialog(), nullptr);
    EXPECT_EQ(view->previewDialog()->windowTitle(),
              QStringLiteral("Keelbrook - Beam Coverage - Print Preview"));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Keelbrook - Beam Coverage - Print Preview"));
    EXPECT_TRUE(doc.hold());
    // The panel stays usable while the preview follows.
    QTest::mouseClick(view->button(BeamButton::GainUp), Qt::LeftButton);
    EXPECT_EQ(view->state().gain(), 71);
    view->previewDialog()->close();
    EXPECT_EQ(frame.windowTitle(), title);
    EXPECT_FALSE(doc.hold());
}

TEST_F(BeamWindowTest, ContextMenuRunsHoldAndShowsTheRestDisabled) {
    CBeamCoverView* view = open();
    ASSERT_NE(view, nullptr);
    std::unique_ptr<QMenu> menu(view->createContextMenu());
    const QList<QAction*> entries = menu->actions();
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&Default Layout"));
    EXPECT_EQ(entries[1]->text(), QStringLiteral("Hold"));
    EXPECT_EQ(entries[2]->text(), QStringLiteral("Maximum Window"));
    EXPECT_EQ(entries[3]->text(), QStringLiteral("&Zoom Factor"));
    EXPECT_TRUE(entries[0]->isEnabled());
    EXPECT_FALSE(entries[2]->isEnabled());
    QStringList zooms;
    for (QAction* z : entries[3]->menu()->actions()) {
        zooms << z->text();
        EXPECT_FALSE(z->isEnabled());
    }
    EXPECT_EQ(zooms, (QStringList{"100 %", "200 %", "300 %", "400 %"}));

    EXPECT_FALSE(entries[1]->isChecked());
    entries[1]->trigger();
    EXPECT_TRUE(doc.hold());
    std::unique_ptr<QMenu> again(view->createContextMenu());
    EXPECT_TRUE(again->actions()[1]->isChecked());
}

TEST_F(BeamViewTest, ScreenPictureGreyPanelBlackDiagramBlueFan) {
    const QImage img = screen();
    EXPECT_EQ(img.pixelColor(1100, 790), rgb(0x78, 0x78, 0x78));  // the panel
    EXPECT_EQ(img.pixelColor(4, 400), rgb(0x78, 0x78, 0x78));     // the left margin
    EXPECT_EQ(img.pixelColor(300, 470), rgb(0, 0, 0));            // below the bottom
    // On the beam axis, 400 pixels out: gain 20 gives blue 160, and mirrored to port.
    for (const int x : {515 + 376, 515 - 376}) {
        const QColor axis = img.pixelColor(x, 130 + 137);
        EXPECT_EQ(axis.red(), 0);
        EXPECT_EQ(axis.green(), 0);
        EXPECT_NEAR(axis.blue(), 160, 4);
    }
    EXPECT_EQ(img.pixelColor(515, 120), rgb(255, 0, 0));  // the towfish circle
    // The dashed bottom line, 5 pixels wide, at 30 m of 50.
    EXPECT_GT(countRow(img, 433, rgb(255, 255, 0)), 500);
    EXPECT_LE(countRow(img, 440, rgb(255, 255, 0)), 2);  // only the frame's sides
}

TEST_F(BeamViewTest, ButtonsMoveTheBottomAndTheGainShadesTheFan) {
    click(BeamButton::RangeUp);  // 60 m: 30 m of height now lies at 505 * 30 / 60
    const QImage deeper = screen();
    EXPECT_GT(countRow(deeper, 130 + 252, rgb(255, 255, 0)), 500);
    EXPECT_LE(countRow(deeper, 433, rgb(255, 255, 0)), 2);

    for (int i = 0; i < 20; ++i) {
        click(BeamButton::GainDown);
    }
    EXPECT_EQ(view.state().gain(), 0);
    EXPECT_NEAR(screen().pixelColor(515 + 376, 130 + 137).blue(), 25, 2);  // pale
    view.findChild<QPushButton*>(QStringLiteral("beamButton41012"))->click();
    EXPECT_EQ(view.state().gain(), 1);
}

TEST_F(BeamViewTest, HoldingHeightUpRepeatsUntilReleased) {
    QPushButton* up = view.button(BeamButton::HeightUp);
    QTest::mousePress(up, Qt::LeftButton);
    EXPECT_EQ(view.state().height(), 93);  // one metre at once
    QTest::qWait(900);
    QTest::mouseRelease(up, Qt::LeftButton);
    const int held = view.state().height();
    EXPECT_GT(held, 96);  // past the half second, it ran on by itself
    QTest::qWait(100);
    EXPECT_EQ(view.state().height(), held);
}

TEST_F(BeamViewTest, PrintsToAPdfFileThroughThePrintPath) {
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("beam.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageOrientation(QPageLayout::Landscape);
        view.print(&printer);
    }
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));

    // Read back by an independent reader: the texts a crew reads, and the picture.
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const char* expected : {"Keelbrook - Beam Coverage", "Range = 50 m", "H: 30 m", "Bottom",
                                 "Marovant", "Gain 20%"}) {
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected;
    }
    EXPECT_TRUE(run(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression("Pages:\\s+1")));
    const QString stem = out.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), pdf, stem});
    const QImage png(stem + QStringLiteral(".png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_GT(png.width(), png.height());  // landscape
    EXPECT_EQ(png.pixelColor(2, 2), rgb(255, 255, 255));
    int blue = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            const QColor c = png.pixelColor(x, y);
            blue += (c.blue() > 200 && c.red() < 140 && c.red() == c.green()) ? 1 : 0;
        }
    }
    EXPECT_GT(blue, png.width() * png.height() / 50);  // the shaded fan
}
