#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

#include "display/qt/CKeelbrookView.h"
#include "document/CKeelbrookDoc.h"
#include "support/FakeDocument.h"

namespace {

// A waterfall of a few grey levels with grid, labels, texts, indicator and a range measurement.
class ImageSaveTest : public ::testing::Test {
  protected:
    ImageSaveTest() : fake(dir.path().toStdString() + "/"), view(fake.doc) {
        fake.connect();
        view.resize(408, 300);
        view.show();
        const std::uint8_t levels[] = {20, 60, 110, 170, 230};
        for (int i = 0; i < 300; ++i) {
            fake.ping(levels[i % 5], levels[(i / 7) % 5]);
        }
        view.execute(CommandId::MeasureRange);
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(300, 150));
    }
    QString save(CommandId id, const QString& name) {
        const QString path = dir.filePath(name);
        fake.prompts.saveChoices.push_back(FileChoice{path.toStdString(), 0});
        view.execute(id);
        return path;
    }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(&view, Qt::LeftButton, {}, from);
        QTest::mouseMove(&view, (from + to) / 2);
        QTest::mouseMove(&view, to);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, to);
    }

    QTemporaryDir dir;
    FakeDocument fake;
    CKeelbrookView view;
};

TEST_F(ImageSaveTest, EveryFormatReadsBackWithTheViewsSizeAndOverlay) {
    struct Case {
        const char* name;
        const char* format;  // as the reader recognises the file's contents
        int tolerance;
    };
    // The GIF may let the indicator's top level merge with the label's white (see below).
    const Case cases[] = {{"screen.bmp", "bmp", 0},
                          {"screen.gif", "gif", 1},
                          {"screen.jpg", "jpeg", 12},
                          {"screen.tif", "tiff", 0},
                          {"SCREEN.PNG", "png", 0}};
    for (const Case& c : cases) {
        const QString path = save(CommandId::SaveScreen, QString::fromLatin1(c.name));
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), QByteArray(c.format)) << c.name;
        const QImage back = reader.read();
        ASSERT_FALSE(back.isNull()) << c.name;
        EXPECT_EQ(back.size(), QSize(408, 300)) << c.name;
        // The colour indicator's top entry, and (lossless formats) the measurement line.
        const QColor top = back.pixelColor(404, 0);
        EXPECT_NEAR(top.red(), 254, c.tolerance) << c.name;
        EXPECT_NEAR(top.blue(), 254, c.tolerance) << c.name;
        if (c.tolerance <= 1) {
            EXPECT_EQ(back.pixelColor(250, 150), QColor(0, 200, 200)) << c.name;
        }
    }
    EXPECT_TRUE(fake.prompts.messages.empty());
}

TEST_F(ImageSaveTest, GifKeepsEveryColourOfTheWaterfallExactly) {
    // Without the colour indicator the picture holds the waterfall's levels and the overlay's
    // colours: far fewer than 256, so every pixel comes back as it was.
    fake.doc.execute(CommandId::ColorIndicator);
    const QImage shown = view.composeImage();
    const QImage back(save(CommandId::SaveScreen, QStringLiteral("exact.gif")));
    ASSERT_EQ(back.size(), shown.size());
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), shown);
}

TEST_F(ImageSaveTest, GifWithTheIndicatorShiftsOnlyIndicatorLevelsByOne) {
    // The indicator shows all 255 entries of the table; with the overlay's colours that is more
    // than a GIF holds. The waterfall must still come back exactly; the few indicator levels
    // that give way take their neighbour.
    const QImage shown = view.composeImage();
    const QImage back(save(CommandId::SaveScreen, QStringLiteral("indicator.gif")));
    ASSERT_EQ(back.size(), shown.size());
    const int drawn = view.drawnWidth();
    int shifted = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QColor want = shown.pixelColor(x, y);
            const QColor got = back.pixelColor(x, y);
            if (got == want) {
                continue;
            }
            ++shifted;
            ASSERT_GE(x, drawn) << "a waterfall or overlay pixel changed at " << x << "," << y;
            EXPECT_LE(std::abs(got.red() - want.red()), 1);
            EXPECT_EQ(got.red(), got.blue());
        }
    }
    EXPECT_GT(shifted, 0);
}

TEST_F(ImageSaveTest, SelectionDraggedEitherWaySavesTheSameArea) {
    EXPECT_FALSE(view.isEnabled(CommandId::SaveSelected));
    view.execute(CommandId::Select);
    EXPECT_EQ(view.isChecked(CommandId::Select), true);
    EXPECT_FALSE(view.isEnabled(CommandId::SaveSelected));
    drag(QPoint(250, 120), QPoint(350, 200));
    ASSERT_TRUE(view.isEnabled(CommandId::SaveSelected));
    const QImage forward(save(CommandId::SaveSelected, QStringLiteral("forward.png")));
    drag(QPoint(350, 200), QPoint(250, 120));
    const QImage backward(save(CommandId::SaveSelected, QStringLiteral("backward.png")));

    ASSERT_EQ(forward.size(), QSize(100, 80));
    EXPECT_EQ(forward.convertToFormat(QImage::Format_RGB32),
              backward.convertToFormat(QImage::Format_RGB32));
    // The area holds what the view shows there (the measurement's end cross at 300, 150), and
    // not the selection's own dashed outline.
    EXPECT_EQ(forward.pixelColor(50, 30), QColor(0, 250, 250));
    EXPECT_EQ(forward.convertToFormat(QImage::Format_RGB32),
              view.composeImage().copy(250, 120, 100, 80));
}

TEST_F(ImageSaveTest, SelectIsIgnoredWhileAToolWaits) {
    view.execute(CommandId::PlusMark);
    view.execute(CommandId::Select);
    EXPECT_EQ(view.isChecked(CommandId::Select), false);
}

}  // namespace
