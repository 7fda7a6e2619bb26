#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include "display/qt/CKeelbrookView.h"
#include "document/CKeelbrookDoc.h"
#include "support/FakeDocument.h"

namespace {

// A connected document at 50 m, both sides; the view draws the image 400 pixels wide, so the
// track runs at x 200 and one pixel is a quarter metre.
class MeasureViewTest : public ::testing::Test {
  protected:
    MeasureViewTest() : fake(dir.path().toStdString() + "/"), view(fake.doc) {
        fake.connect();
        fake.doc.settings().showGrid = false;
        view.resize(408, 300);
        view.show();
        for (int i = 0; i < 300; ++i) {
            fake.ping(40, 40);
        }
    }
    QImage paint() {
        QImage img(view.size(), QImage::Format_RGB32);
        QPainter p(&img);
        view.paintView(p);
        return img;
    }
    void click(int x, int y) { QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(x, y)); }

    QTemporaryDir dir;
    FakeDocument fake;
    CKeelbrookView view;
};

const QColor kLine(0, 200, 200);
const QColor kEndCross(0, 250, 250);

TEST_F(MeasureViewTest, RangeClickDrawsALabelledLineFromTheTrack) {
    view.execute(CommandId::MeasureRange);
    EXPECT_EQ(view.isChecked(CommandId::MeasureRange), true);
    click(300, 150);
    EXPECT_EQ(view.isChecked(CommandId::MeasureRange), false);
    ASSERT_EQ(view.measureTools().items().size(), 1u);
    EXPECT_DOUBLE_EQ(view.measureTools().items()[0].value, 25.0);

    const QImage img = paint();
    EXPECT_EQ(img.pixelColor(250, 150), kLine);
    EXPECT_EQ(img.pixelColor(200, 150), kLine);  // it starts on the track
    EXPECT_EQ(img.pixelColor(308, 150), kEndCross);
    EXPECT_EQ(img.pixelColor(300, 142), kEndCross);
    EXPECT_EQ(img.pixelColor(190, 150), QColor(40, 40, 40));
    // "25.00 m" on its black box above right of the end: 63 x 18 from (298, 123).
    EXPECT_EQ(img.pixelColor(299, 124), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(360, 139), QColor(0, 0, 0));
    int white = 0;
    for (int y = 125; y < 141; ++y) {
        for (int x = 300; x < 360; ++x) {
            white += img.pixelColor(x, y) == QColor(255, 255, 255);
        }
    }
    EXPECT_GT(white, 30) << "the label's text";

    view.execute(CommandId::ShowMarkShadow);
    EXPECT_EQ(paint().pixelColor(299, 124), QColor(40, 40, 40));  // no box without the shadow
}

TEST_F(MeasureViewTest, TargetPaneFollowsTheMouseInTheChosenUnit) {
    QTest::mouseMove(&view, QPoint(120, 60));
    paint();
    EXPECT_EQ(view.targetText(), QStringLiteral("Port: 20.00 m"));
    fake.doc.execute(CommandId::Imperial);
    QTest::mouseMove(&view, QPoint(240, 60));
    paint();
    EXPECT_EQ(view.targetText(), QStringLiteral("Stbd: 32.81 ft"));
}

TEST_F(MeasureViewTest, HeightStepsPromptOnTheTargetRowAndEndWithTheHeight) {
    view.execute(CommandId::TargetHeight);
    click(280, 100);  // target 20 m out
    click(240, 130);  // first return 10 m: Hf
    click(320, 90);   // shadow start 30 m: Rs
    QTest::mouseMove(&view, QPoint(340, 200));
    const QImage waiting = paint();
    // The waiting line runs on the target's row, not the mouse's.
    EXPECT_EQ(waiting.pixelColor(330, 100), kLine);
    EXPECT_NE(waiting.pixelColor(330, 200), kLine);
    click(340, 200);  // shadow 5 m long
    ASSERT_EQ(view.measureTools().items().size(), 4u);
    EXPECT_NEAR(view.measureTools().items().back().value, 5.0 * 10.0 / 35.0, 1e-9);
    EXPECT_EQ(view.isChecked(CommandId::TargetHeight), false);
}

TEST_F(MeasureViewTest, ZoomRestoreAndClearDropTheItems) {
    const CommandId clearing[] = {CommandId::ZoomIn, CommandId::ZoomOut, CommandId::Restore,
                                  CommandId::ClearLinesMarks};
    for (CommandId id : clearing) {
        view.execute(CommandId::PlusMark);
        click(100, 100);
        ASSERT_EQ(view.measureTools().items().size(), 1u);
        view.execute(id);
        EXPECT_TRUE(view.measureTools().items().empty()) << static_cast<int>(id);
    }
}

TEST_F(MeasureViewTest, WithAToolActiveAClickMeasuresInsteadOfPanning) {
    view.execute(CommandId::ZoomIn);
    view.execute(CommandId::MeasureDistance);
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(150, 150));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(150, 150));
    EXPECT_EQ(view.navigation().pan(), (waterfall_view::Point{0, 0}));
    EXPECT_TRUE(view.measureTools().firstPointSet());
}

}  // namespace
