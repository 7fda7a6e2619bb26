#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "app/qt/CMainFrame.h"
#include "app/qt/QtPlatform.h"
#include "datafile/PlaybackEngine.h"
#include "document/CKeelbrookDoc.h"
#include "support/FakeDocument.h"

namespace {

constexpr int kPings = 300;
constexpr std::uint64_t kRecordBytes = 4096;

// A recording made by the program itself, played in the real frame on the real clock and timers.
class PlaybackFrameTest : public ::testing::Test {
  protected:
    PlaybackFrameTest()
        : doc(DocPorts{link, clock, timers, prompts, frame}, dir.path().toStdString() + "/", 1920,
              1080) {
        {
            FakeDocument recorder(dir.path().toStdString() + "/");
            recorder.connect();
            recorder.prompts.saveChoices.push_back(FileChoice{path(), 0});
            recorder.doc.execute(CommandId::RecordData);
            for (int i = 0; i < kPings; ++i) {
                recorder.ping(static_cast<std::uint8_t>(i), 40);
            }
            recorder.doc.execute(CommandId::StopRecording);
        }
        timers.setDocument(&doc);
        frame.attachDocument(doc);
        doc.initialise();
        frame.resize(800, 600);
        frame.show();
    }
    ~PlaybackFrameTest() override { timers.setDocument(nullptr); }

    std::string path() const { return dir.path().toStdString() + "/run.dsx"; }
    std::uint64_t played() const { return doc.pipeline().image().totalLines(); }
    std::uint64_t position() const { return doc.player()->position(); }
    QSlider* slider() const { return frame.playbackBar()->findChild<QSlider*>("playbackPosition"); }

    QTemporaryDir dir;
    QtClock clock;
    QtTimers timers;
    FakeLink link;
    FakePrompts prompts;
    CMainFrame frame;
    CKeelbrookDoc doc;
};

// A point in the groove between the handle and the right end, wherever the style puts them.
QPoint rightOfHandle(const QSlider& bar) {
    QStyleOptionSlider opt;
    opt.initFrom(&bar);
    opt.orientation = bar.orientation();
    opt.minimum = bar.minimum();
    opt.maximum = bar.maximum();
    opt.sliderPosition = bar.sliderPosition();
    opt.sliderValue = bar.value();
    opt.tickPosition = bar.tickPosition();
    opt.tickInterval = bar.tickInterval();
    opt.subControls = QStyle::SC_All;
    const QStyle* style = bar.style();
    const QRect groove =
        style->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, &bar);
    const QRect handle =
        style->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, &bar);
    return {(handle.right() + groove.right()) / 2, groove.center().y()};
}

}  // namespace

TEST_F(PlaybackFrameTest, PlaySpeedSetsPingsPerScreenRefresh) {
    doc.openFileForPlayback(path());
    QSpinBox* speed = frame.playbackBar()->findChild<QSpinBox*>("playbackSpeed");
    for (int s : {1, 5}) {
        SCOPED_TRACE(s);
        speed->setValue(s);
        ASSERT_EQ(doc.pacer().speed(), s);
        const std::uint64_t before = played();
        QElapsedTimer t;
        t.start();
        QTest::qWait(400);
        const std::uint64_t count = played() - before;
        // Never more than s pings per refresh at 60 a second; unpaced it would be thousands.
        EXPECT_LE(count, static_cast<std::uint64_t>((t.elapsed() * 60 / 1000 + 2) * s));
        EXPECT_GT(count, 0u);
    }
}

TEST_F(PlaybackFrameTest, SliderSeeksOnKeysClicksAndTheEndOfADrag) {
    doc.openFileForPlayback(path());
    doc.execute(CommandId::Hold);  // nothing plays: the position is where the seek put it
    QSlider* bar = slider();
    const std::uint64_t step = doc.player()->stepLength();
    auto recordAt = [&](int value) { return value * step / kRecordBytes * kRecordBytes; };

    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_PageUp);
    EXPECT_EQ(position(), recordAt(10));
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(position(), recordAt(11));

    // While dragging only the value at the release counts.
    bar->setSliderDown(true);
    bar->setValue(60);
    EXPECT_EQ(position(), recordAt(11));
    EXPECT_TRUE(doc.player()->dragging());
    bar->setSliderDown(false);
    EXPECT_EQ(position(), recordAt(60));

    const std::uint64_t before = position();
    QTest::mouseClick(bar, Qt::LeftButton, {}, rightOfHandle(*bar));
    EXPECT_GT(position(), before) << "a click in the groove right of the handle moves on";
    EXPECT_EQ(position(), recordAt(bar->value()));

    // The right end is the start of the file.
    QTest::keyClick(bar, Qt::Key_End);
    EXPECT_EQ(position(), 0u);
    doc.execute(CommandId::Hold);
    QTest::qWait(100);
    EXPECT_LT(bar->value(), 10) << "the bar follows playback back to the start";
}

TEST_F(PlaybackFrameTest, MenuTextsOfTheMeasureTools) {
    EXPECT_EQ(frame.action(CommandId::PlusMark)->text(), QStringLiteral("Draw '+' Mark"));
    EXPECT_EQ(frame.action(CommandId::TargetHeight)->text(),
              QStringLiteral("Measure Target &Height"));
}
