#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "display/qt/CKeelbrookView.h"
#include "document/CKeelbrookDoc.h"
#include "support/FakeDocument.h"

namespace {

struct Counts {
    int red = 0, white = 0, other = 0;
};

// Counts text pixels in the band where the connection text goes.
Counts bannerPixels(CKeelbrookView& view) {
    const QImage img = view.grab().toImage();
    Counts c;
    for (int y = img.height() - 140; y < img.height() - 110; ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (p.red() > 200 && p.green() < 60 && p.blue() < 60) {
                ++c.red;
            } else if (p.red() > 200 && p.green() > 200 && p.blue() > 200) {
                ++c.white;
            } else if (p != Qt::black) {
                ++c.other;
            }
        }
    }
    return c;
}

class SonarViewTest : public ::testing::Test {
  protected:
    SonarViewTest() : fake(dir.path().toStdString() + "/"), doc(fake.doc), view(doc) {
        view.resize(1023, 600);
    }
    void noRxPing() { fake.ping(0, 0, true); }
    void connect() { fake.connect("127.0.0.8"); }

    QTemporaryDir dir;
    FakeDocument fake;
    CKeelbrookDoc& doc;
    CKeelbrookView view;
};

}  // namespace

TEST_F(SonarViewTest, ImageWidthFollowsTheClientWidth) {
    EXPECT_EQ(view.imageWidth(), 1020);
    EXPECT_EQ(view.drawnWidth(), 1012);
    doc.execute(CommandId::ColorIndicator);
    EXPECT_EQ(view.drawnWidth(), 1020);
}

TEST_F(SonarViewTest, OfflineAndConnectingShowRedTextOnBlack) {
    const Counts offline = bannerPixels(view);
    EXPECT_GT(offline.red, 50);
    EXPECT_EQ(offline.white, 0);

    fake.prompts.answers.push_back("127.0.0.8");
    doc.Connect();
    const Counts connecting = bannerPixels(view);
    EXPECT_GT(connecting.red, offline.red);  // the longer text

    doc.OnConnectResult(true);
    const Counts connected = bannerPixels(view);
    EXPECT_EQ(connected.red + connected.white, 0);
}

TEST_F(SonarViewTest, NoRxDataBlinksOnEverySixthRepaintRedThenWhite) {
    connect();
    noRxPing();
    ASSERT_TRUE(doc.noRxData());
    std::vector<Counts> paints;
    for (int i = 0; i < 12; ++i) {
        paints.push_back(bannerPixels(view));
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(paints[i].red + paints[i].white, 0) << i;
        EXPECT_EQ(paints[6 + i].red + paints[6 + i].white, 0) << i;
    }
    EXPECT_GT(paints[5].white + paints[5].red, 30);
    EXPECT_GT(paints[11].white + paints[11].red, 30);
    // The two visible paints use the two colours.
    EXPECT_TRUE((paints[5].white > 0) != (paints[11].white > 0));
}
