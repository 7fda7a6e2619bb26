#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "display/imagesave/GifEncoder.h"

namespace {

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
};

// Reads a GIF back with giflib's decoder, independently of the encoder's own tables.
Decoded decodeGif(const std::vector<std::uint8_t>& bytes) {
    struct Reader {
        const std::vector<std::uint8_t>* data;
        std::size_t at;
    } reader{&bytes, 0};
    auto read = [](GifFileType* gif, GifByteType* out, int n) -> int {
        auto* r = static_cast<Reader*>(gif->UserData);
        const int k = static_cast<int>(std::min<std::size_t>(n, r->data->size() - r->at));
        std::memcpy(out, r->data->data() + r->at, static_cast<std::size_t>(k));
        r->at += static_cast<std::size_t>(k);
        return k;
    };
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, read, &error);
    Decoded d;
    if (!gif || DGifSlurp(gif) != GIF_OK || gif->ImageCount != 1) {
        return d;
    }
    const ColorMapObject* map = gif->SColorMap;
    d.width = gif->SWidth;
    d.height = gif->SHeight;
    const GifByteType* raster = gif->SavedImages[0].RasterBits;
    for (int i = 0; i < d.width * d.height; ++i) {
        const GifColorType c = map->Colors[raster[i]];
        d.rgb.push_back(static_cast<std::uint32_t>(c.Red) << 16 |
                        static_cast<std::uint32_t>(c.Green) << 8 | c.Blue);
    }
    DGifCloseFile(gif, &error);
    return d;
}

std::uint32_t grey(int i) {
    return static_cast<std::uint32_t>(0xFF000000u | i << 16 | i << 8 | i);
}

TEST(GifEncoder, AWaterfallWithOverlayColoursComesBackExactly) {
    // 253 grey levels of the waterfall, the highlight entry, and two overlay lines (the grid
    // colour and the measurement colour): 256 colours, the most a GIF holds.
    const int w = 300, h = 200;
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            px[static_cast<std::size_t>(y) * w + x] = grey((x + y) % 253);
        }
    }
    for (int y = 0; y < h; ++y) {
        px[static_cast<std::size_t>(y) * w + 150] = 0xFF964B00u;  // grid line (150, 75, 0)
        px[static_cast<std::size_t>(y) * w + 40] = 0xFF00C8C8u;   // measurement (0, 200, 200)
    }
    px[5] = 0xFFC8C800u;  // the highlight (200, 200, 0)
    const PixelView view{px.data(), w, h, w};
    const GifPalette palette = gifPaletteFor(view);
    EXPECT_TRUE(palette.exact);
    EXPECT_EQ(palette.colours.size(), 256u);

    const auto bytes = encodeGif(view);
    ASSERT_TRUE(bytes);
    const Decoded d = decodeGif(*bytes);
    ASSERT_EQ(d.width, w);
    ASSERT_EQ(d.height, h);
    for (std::size_t i = 0; i < px.size(); ++i) {
        ASSERT_EQ(d.rgb[i], px[i] & 0xFFFFFFu) << "pixel " << i;
    }
}

TEST(GifEncoder, PartOfALargerPictureIsEncodedWithItsOwnStride) {
    std::vector<std::uint32_t> px(10 * 4, 0xFF000000u);
    px[1 * 10 + 3] = 0xFFFF0000u;
    const PixelView whole{px.data(), 10, 4, 10};
    const auto bytes = encodeGif(whole.part(2, 1, 5, 2));
    ASSERT_TRUE(bytes);
    const Decoded d = decodeGif(*bytes);
    ASSERT_EQ(d.width, 5);
    ASSERT_EQ(d.height, 2);
    EXPECT_EQ(d.rgb[1], 0xFF0000u);
    EXPECT_EQ(d.rgb[0], 0u);
}

TEST(GifEncoder, MoreThan256ColoursKeepTheCommonOnesAndMapTheRestToTheNearest) {
    // 256 frequent colours (4 pixels each) and 44 rare ones, each one level off a frequent one.
    std::vector<std::uint32_t> px;
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t c = 0xFF000000u | static_cast<std::uint32_t>(i) << 8;
        px.insert(px.end(), 4, c);
    }
    for (int i = 0; i < 44; ++i) {
        px.push_back(0xFF000000u | static_cast<std::uint32_t>(i * 5) << 8 | 1u);
    }
    const PixelView view{px.data(), static_cast<int>(px.size()), 1, static_cast<int>(px.size())};
    const GifPalette palette = gifPaletteFor(view);
    EXPECT_FALSE(palette.exact);
    ASSERT_EQ(palette.colours.size(), 256u);
    const auto bytes = encodeGif(view);
    ASSERT_TRUE(bytes);
    const Decoded d = decodeGif(*bytes);
    for (int i = 0; i < 256 * 4; ++i) {
        EXPECT_EQ(d.rgb[static_cast<std::size_t>(i)], px[static_cast<std::size_t>(i)] & 0xFFFFFFu);
    }
    for (int i = 0; i < 44; ++i) {
        EXPECT_EQ(d.rgb[static_cast<std::size_t>(256 * 4 + i)], static_cast<std::uint32_t>(i * 5)
                                                                    << 8)
            << "rare colour " << i << " takes its neighbour, not a dither";
    }
}

TEST(GifEncoder, ARareOverlayColourOutlivesNeighbouringGreyLevels) {
    // All 255 grey levels (100 pixels each), a short yellow text and a cyan cross: 257 colours.
    // Two neighbouring greys merge; yellow and cyan stay exact.
    std::vector<std::uint32_t> px;
    for (int i = 0; i < 255; ++i) {
        px.insert(px.end(), 100, grey(i));
    }
    px.insert(px.end(), 10, 0xFFFFFF00u);
    px.insert(px.end(), 10, 0xFF00FAFAu);
    const PixelView view{px.data(), static_cast<int>(px.size()), 1, static_cast<int>(px.size())};
    const auto bytes = encodeGif(view);
    ASSERT_TRUE(bytes);
    const Decoded d = decodeGif(*bytes);
    int changed = 0;
    for (std::size_t i = 0; i < px.size(); ++i) {
        const std::uint32_t want = px[i] & 0xFFFFFFu;
        if (d.rgb[i] != want) {
            ++changed;
            const int level = static_cast<int>(want & 0xFF);
            const int got = static_cast<int>(d.rgb[i] & 0xFF);
            EXPECT_EQ(d.rgb[i], grey(got) & 0xFFFFFFu) << "still a grey";
            EXPECT_EQ(std::abs(got - level), 1) << "the neighbouring level";
        }
    }
    EXPECT_EQ(changed, 100);  // one grey level moved to its neighbour, nothing else
    EXPECT_EQ(d.rgb[px.size() - 1], 0x00FAFAu);
    EXPECT_EQ(d.rgb[px.size() - 11], 0xFFFF00u);
}

TEST(GifEncoder, RefusesWhatGifCannotHold) {
    std::vector<std::uint32_t> px(1, 0);
    EXPECT_FALSE(encodeGif(PixelView{px.data(), 0, 1, 1}));
    EXPECT_FALSE(encodeGif(PixelView{px.data(), 70000, 1, 0}));
}

}  // namespace
