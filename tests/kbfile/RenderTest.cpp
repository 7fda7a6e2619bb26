#include <gtest/gtest.h>

#include "display/ColourTables.h"
#include "kbfile/KbfileTestFiles.h"
#include "kbfile/Renderer.h"

namespace {
using namespace kbfile;
using namespace kbfile_test;

// A ping whose port half holds port and whose starboard half holds stbd.
PingRecord twoLevelPing(std::uint32_t number, std::uint8_t port, std::uint8_t stbd) {
    PingRecord rec = ping(number);
    const int half = rec.ping.samplesTotal() / 2;
    std::fill_n(rec.ping.samples(), half, port);
    std::fill_n(rec.ping.samples() + half, half, stbd);
    return rec;
}

ColourTables::Rgb pixel(const RgbPicture& p, int x, int y) {
    return p.palette[p.indices[static_cast<std::size_t>(y) * p.width + x]];
}

class Render : public ::testing::Test {
  protected:
    RgbPicture render(SourceKind kind, const std::vector<PingRecord>& list,
                      const RenderOptions& options) {
        const std::string path = dir.file(std::string("f") + (kind == SourceKind::Dsx   ? ".dsx"
                                                              : kind == SourceKind::Ss2 ? ".ss2"
                                                                                        : ".xtf"));
        writeFile(path, kind, list);
        RenderOutcome out = renderFile(path, options);
        EXPECT_FALSE(out.problem);
        return std::move(out.picture);
    }
    TempDir dir;
    ColourTables tables;
};

TEST_F(Render, OneRowPerPingAtTheGivenWidthFirstPingOnTop) {
    std::vector<PingRecord> list;
    for (std::uint32_t i = 0; i < 7; ++i) {
        list.push_back(twoLevelPing(i + 1, static_cast<std::uint8_t>(10 * i), 20));
    }
    RenderOptions o;
    o.width = 400;
    const RgbPicture p = render(SourceKind::Dsx, list, o);
    EXPECT_EQ(p.width, 400);
    EXPECT_EQ(p.height, 7);
    EXPECT_EQ(p.pings, 7u);
    EXPECT_EQ(p.pingsPerRow, 1u);
    ASSERT_EQ(p.indices.size(), 400u * 7u);
    for (int y = 0; y < 7; ++y) {
        EXPECT_EQ(pixel(p, 10, y), (ColourTables::Rgb{std::uint8_t(10 * y), std::uint8_t(10 * y),
                                                      std::uint8_t(10 * y)}))
            << y;
    }
}

TEST_F(Render, PixelsAreTheTablesColoursOfTheSamples) {
    RenderOptions o;
    o.width = 200;
    o.table = ColourTables::NormalHigh;
    // 255 is the highlight entry, which samples never reach.
    const RgbPicture p = render(SourceKind::Dsx, {twoLevelPing(1, 90, 255)}, o);
    const ColourTables::Table& t = tables.table(ColourTables::NormalHigh);
    // Pixel 99's window reaches the first starboard sample.
    for (int x = 0; x < 99; ++x) {
        ASSERT_EQ(pixel(p, x, 0), t[90]) << x;
    }
    for (int x = 100; x < 199; ++x) {
        ASSERT_EQ(pixel(p, x, 0), t[254]) << x;
    }
}

TEST_F(Render, ARowIsThePipelinesPeakHoldLineOfTheSamples) {
    PingRecord rec = ping(1);
    for (int i = 0; i < 2000; ++i) {
        rec.ping.samples()[i] = static_cast<std::uint8_t>((i * 13) % 200);
    }
    RenderOptions o;
    o.width = 1000;
    const RgbPicture p = render(SourceKind::Dsx, {rec}, o);
    ASSERT_EQ(p.width, 1000);
    const ColourTables::Table& grey = tables.table(ColourTables::Grey);
    auto s = [&](int i) { return rec.ping.samples()[i]; };
    // Two samples a pixel: pixel 0 takes samples 0..2, pixel k samples 2k+1 and 2k+2, and the
    // last pixel's window reaches past the samples, so it is black.
    EXPECT_EQ(pixel(p, 0, 0), grey[std::max({s(0), s(1), s(2)})]);
    for (int k = 1; k < 999; ++k) {
        ASSERT_EQ(pixel(p, k, 0), grey[std::max(s(2 * k + 1), s(2 * k + 2))]) << k;
    }
    EXPECT_EQ(pixel(p, 999, 0), grey[0]);
}

TEST_F(Render, PortAndStarboardLayoutsDrawOneHalfAcrossTheWidth) {
    const std::vector<PingRecord> list = {twoLevelPing(1, 50, 150)};
    const ColourTables::Table& grey = tables.table(ColourTables::Grey);
    RenderOptions o;
    o.width = 300;
    o.layout = SideLayout::PortOnly;
    const RgbPicture port = render(SourceKind::Dsx, list, o);
    o.layout = SideLayout::StarboardOnly;
    const RgbPicture stbd = render(SourceKind::Dsx, list, o);
    o.layout = SideLayout::BothSides;
    const RgbPicture both = render(SourceKind::Dsx, list, o);
    for (int x = 0; x < 299; ++x) {
        ASSERT_EQ(pixel(port, x, 0), grey[50]) << x;
        ASSERT_EQ(pixel(stbd, x, 0), grey[150]) << x;
    }
    EXPECT_EQ(pixel(both, 10, 0), grey[50]);
    EXPECT_EQ(pixel(both, 290, 0), grey[150]);
}

TEST_F(Render, CompactRecordsAreDrawnAtDoubleStrength) {
    RenderOptions o;
    o.width = 100;
    const RgbPicture p = render(SourceKind::Ss2, {twoLevelPing(1, 60, 200)}, o);
    const ColourTables::Table& grey = tables.table(ColourTables::Grey);
    EXPECT_EQ(pixel(p, 10, 0), grey[120]);
    EXPECT_EQ(pixel(p, 90, 0), grey[254]);
}

TEST_F(Render, XtfFilesDrawLikeTheirSource) {
    RenderOptions o;
    o.width = 100;
    const RgbPicture p = render(SourceKind::Xtf, {twoLevelPing(1, 60, 200)}, o);
    EXPECT_EQ(p.height, 1);
    EXPECT_EQ(pixel(p, 10, 0), tables.table(ColourTables::Grey)[60]);
}

TEST_F(Render, AFileProblemGivesNoPicture) {
    writeBytes(dir.file("bad.xtf"), std::vector<std::uint8_t>(2000, 7));
    const RenderOutcome out = renderFile(dir.file("bad.xtf"), RenderOptions{});
    ASSERT_TRUE(out.problem);
    EXPECT_EQ(out.problem->what, "not an XTF file");
    EXPECT_TRUE(out.picture.indices.empty());
}

}  // namespace
