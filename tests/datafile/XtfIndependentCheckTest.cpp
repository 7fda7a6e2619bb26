// Reads a recorded XTF file with its own offset code, not the program's reader, to confirm what
// lands in the file header, the ping headers and the channel headers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestPings.h"

namespace {
struct Le {
    const std::vector<std::uint8_t>& b;
    unsigned u8(std::size_t at) const { return b.at(at); }
    unsigned u16(std::size_t at) const { return b.at(at) | b.at(at + 1) << 8; }
    std::uint32_t u32(std::size_t at) const { return u16(at) | std::uint32_t{u16(at + 2)} << 16; }
    float f32(std::size_t at) const {
        const std::uint32_t v = u32(at);
        float f;
        std::memcpy(&f, &v, 4);
        return f;
    }
    double f64(std::size_t at) const {
        const std::uint64_t v = u32(at) | std::uint64_t{u32(at + 4)} << 32;
        double d;
        std::memcpy(&d, &v, 8);
        return d;
    }
    std::string str(std::size_t at, std::size_t max) const {
        std::string s;
        for (std::size_t i = at; i < at + max && b.at(i) != 0; ++i) {
            s += static_cast<char>(b.at(i));
        }
        return s;
    }
};

TEST(XtfIndependentCheck, FileHeaderCarriesTheProgramAndTwoChannels) {
    const auto file = makeFile(SourceKind::Xtf, 0);
    const Le f{file};
    EXPECT_EQ(f.u8(0), 123u);
    EXPECT_EQ(f.u8(1), 202u);
    EXPECT_EQ(f.str(2, 8), "Marovant");
    EXPECT_EQ(f.str(10, 8), "223");
    EXPECT_EQ(f.str(18, 16), "Keelbrook");
    EXPECT_EQ(f.u16(34), 14u);
    EXPECT_EQ(f.str(36, 64), "Marovant Technology Corp.");
    EXPECT_EQ(f.str(100, 64), "test.xtf");
    EXPECT_EQ(f.u16(164), 3u);
    EXPECT_EQ(f.u16(166), 2u);
    for (std::size_t at = 168; at < 256; ++at) {
        EXPECT_EQ(f.u8(at), 0u) << at;
    }
    const char* names[] = {"PORT", "STBD"};
    for (unsigned c = 0; c < 2; ++c) {
        const std::size_t ci = 256 + 128 * c;
        EXPECT_EQ(f.u8(ci), c + 1);
        EXPECT_EQ(f.u8(ci + 1), 0u);
        EXPECT_EQ(f.u16(ci + 2), 1u);
        EXPECT_EQ(f.u16(ci + 4), 1u);
        EXPECT_EQ(f.u16(ci + 6), 1u);
        EXPECT_EQ(f.u32(ci + 8), 1000u);
        EXPECT_EQ(f.str(ci + 12, 16), names[c]);
    }
    for (std::size_t at = 512; at < 1024; ++at) {
        EXPECT_EQ(f.u8(at), 0u) << at;
    }
}

TEST(XtfIndependentCheck, PingAndChannelHeadersCarryThePingsValues) {
    const auto file = makeFile(SourceKind::Xtf, 3);
    const Le f{file};
    for (unsigned n = 0; n < 3; ++n) {
        const std::size_t p = 1024 + 2384 * n;
        const PingRecord written = makePing(n + 1);
        EXPECT_EQ(f.u16(p), 0xFACEu);
        EXPECT_EQ(f.u16(p + 4), 2u);
        EXPECT_EQ(f.u32(p + 10), 2384u);
        EXPECT_EQ(f.u16(p + 14), 2007u);
        EXPECT_EQ(f.u8(p + 16), 3u);
        EXPECT_EQ(f.u8(p + 17), 5u);
        EXPECT_EQ(f.u8(p + 18), 22u);
        EXPECT_EQ(f.u8(p + 19), 54u);
        EXPECT_EQ(f.u8(p + 20), 44u);
        EXPECT_EQ(f.u8(p + 21), 12u);
        EXPECT_EQ(f.u16(p + 22), 64u);  // 5 March 2007
        EXPECT_EQ(f.u32(p + 24), 0u);
        EXPECT_EQ(f.u32(p + 28), n + 1);
        EXPECT_EQ(f.f32(p + 32), 750.0f);
        EXPECT_EQ(f.f32(p + 120), 5.57f);
        EXPECT_EQ(f.f64(p + 128), 49.274166);
        EXPECT_EQ(f.f64(p + 136), -123.185333);
        EXPECT_EQ(f.f32(p + 152), 5.57f);
        EXPECT_EQ(f.f32(p + 156), 0.0f);
        EXPECT_EQ(f.f64(p + 160), 49.274166);
        EXPECT_EQ(f.f64(p + 168), -123.185333);
        EXPECT_EQ(f.f32(p + 212), 54.75f);
        for (unsigned c = 0; c < 2; ++c) {
            const std::size_t h = p + 256 + c * 1064;
            EXPECT_EQ(f.u16(h), c);
            EXPECT_EQ(f.f32(h + 4), 50.0f);
            EXPECT_EQ(f.f32(h + 16), static_cast<float>(50 * 0.0013333333333333333));
            EXPECT_EQ(f.f32(h + 20), 0.15f);
            EXPECT_EQ(f.u16(h + 24), 260u);
            EXPECT_EQ(f.u32(h + 26), 1000u);
            EXPECT_EQ(f.u16(h + 30), 70u);
            EXPECT_EQ(f.u16(h + 32), 30u);
            EXPECT_EQ(f.u16(h + 34), 10u);
            EXPECT_EQ(f.u32(h + 42), 1000u);
            const std::uint8_t* s = written.ping.samples() + c * 1000;
            EXPECT_TRUE(std::equal(file.begin() + static_cast<long>(h + 64),
                                   file.begin() + static_cast<long>(h + 1064), s));
        }
    }
}
}  // namespace
