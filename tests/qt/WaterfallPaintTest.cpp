#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "display/qt/CKeelbrookView.h"
#include "document/CKeelbrookDoc.h"
#include "support/FakeDocument.h"

namespace {

// A connected document whose view shows pings of known echoes.
class WaterfallPaintTest : public ::testing::Test {
  protected:
    WaterfallPaintTest() : fake(dir.path().toStdString() + "/"), doc(fake.doc), view(doc) {
        fake.connect();
        view.resize(408, 300);  // image 408 wide, drawn 400 wide beside the indicator
        view.show();
    }
    void ping(std::uint8_t port, std::uint8_t stbd) { fake.ping(port, stbd); }
    QImage paint() {
        QImage img(view.size(), QImage::Format_RGB32);
        QPainter p(&img);
        view.paintView(p);
        return img;
    }

    QTemporaryDir dir;
    FakeDocument fake;
    CKeelbrookDoc& doc;
    CKeelbrookView view;
};

}  // namespace

TEST_F(WaterfallPaintTest, NewestPingsAtTheTopPortLeftStarboardRight) {
    doc.settings().showGrid = false;  // keep grid lines out of the sampled columns
    ping(40, 200);
    ping(100, 10);
    const QImage img = paint();
    // Grey table: index i is (i, i, i). Row 0 stages the newest ping, row 1 holds it too.
    EXPECT_EQ(img.pixelColor(50, 1), QColor(100, 100, 100));
    EXPECT_EQ(img.pixelColor(350, 1), QColor(10, 10, 10));
    EXPECT_EQ(img.pixelColor(50, 2), QColor(40, 40, 40));
    EXPECT_EQ(img.pixelColor(350, 2), QColor(200, 200, 200));
    EXPECT_EQ(img.pixelColor(350, 150), QColor(0, 0, 0));  // not reached yet
}

TEST_F(WaterfallPaintTest, ColourIndicatorFillsTheLastEightColumns) {
    const QImage img = paint();
    // Entry 254 at the top, entry 0 at the bottom of the bar, stretched to the view height.
    EXPECT_EQ(img.pixelColor(403, 0), QColor(254, 254, 254));
    EXPECT_EQ(img.pixelColor(407, 299), QColor(0, 0, 0));
    const QColor middle = img.pixelColor(404, 150);
    EXPECT_NEAR(middle.red(), 127, 3);

    doc.execute(CommandId::ColorIndicator);
    ping(90, 90);
    const QImage without = paint();
    EXPECT_EQ(without.pixelColor(403, 0), QColor(90, 90, 90));  // the image takes the columns
}

TEST_F(WaterfallPaintTest, ColourTableAndHoldChangeWhatIsShown) {
    doc.settings().showGrid = false;
    ping(30, 30);
    doc.execute(CommandId::ColourReverseGrey);
    EXPECT_EQ(paint().pixelColor(100, 1), QColor(225, 225, 225));

    doc.execute(CommandId::ColourGrey);
    doc.execute(CommandId::Hold);
    ping(200, 200);
    const QImage held = paint();
    EXPECT_EQ(held.pixelColor(100, 1), QColor(30, 30, 30));  // the held copy stands still
    doc.execute(CommandId::Hold);
    EXPECT_EQ(paint().pixelColor(100, 1), QColor(200, 200, 200));
}

TEST_F(WaterfallPaintTest, ZoomScalesAboutTheTopLeft) {
    doc.settings().showGrid = false;
    ping(10, 10);
    for (int i = 0; i < 20; ++i) {
        ping(120, 120);
    }
    ping(60, 60);
    // Rows 0..1 hold the 60 ping, rows 2..21 the 120 pings.
    view.execute(CommandId::ZoomIn);
    const QImage img = paint();
    EXPECT_EQ(img.pixelColor(10, 3), QColor(60, 60, 60));     // image row 1 covers y 2..3
    EXPECT_EQ(img.pixelColor(10, 4), QColor(120, 120, 120));  // image row 2 starts at y 4
    EXPECT_EQ(view.zoom(), 2.0);
}

TEST_F(WaterfallPaintTest, GridAndLabelsAreDrawnOverTheImage) {
    ping(0, 0);
    const QImage img = paint();
    // Both sides, metric: eleven lines; the centre line of drawn width 400 at x = 200 is
    // the highlight colour.
    EXPECT_EQ(img.pixelColor(200, 100), QColor(200, 200, 0));
    EXPECT_EQ(img.pixelColor(40, 100), QColor(150, 75, 0));
    // Label boxes along the bottom edge have the (150,150,0) border.
    EXPECT_EQ(img.pixelColor(200, 280), QColor(150, 150, 0));
}
