#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "display/LineResampler.h"
#include "display/PingPipeline.h"

namespace {
using namespace line_resampler;

std::vector<std::uint8_t> scrambled(std::size_t n) {
    std::vector<std::uint8_t> v(n);
    std::uint32_t x = 12345;
    for (auto& b : v) {
        x = x * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>((x >> 16) % 255);
    }
    return v;
}

TEST(Resample, HalvingKeepsThePeakOfEachWindowAndBlacksTheLastPixel) {
    const auto s = scrambled(2000);
    std::vector<std::uint8_t> line(1000, 99);
    EXPECT_FLOAT_EQ(resample(s.data(), s.size(), line.data(), line.size()), 2.0f);
    EXPECT_EQ(line[0], std::max({s[0], s[1], s[2]}));
    for (std::size_t k = 1; k <= 998; ++k) {
        ASSERT_EQ(line[k], std::max(s[2 * k + 1], s[2 * k + 2])) << "pixel " << k;
    }
    EXPECT_EQ(line[999], 0);
}

// Each pixel is the peak of its window, windows as a plain walk lays them out, whatever the
// ratio: windows of one to eight samples (looked up from running peaks), wider ones, a ping
// that ends before the last pixel, sizes changing from ping to ping, full-scale samples.
TEST(Resample, EveryPixelIsThePeakOfItsWindowAtAnyRatio) {
    auto walk = [](const std::vector<std::uint8_t>& s, std::size_t width) {
        std::vector<std::uint8_t> line(width, 0);
        const double r = static_cast<float>(s.size()) / static_cast<float>(width);
        std::size_t p = 0;
        double b = r;
        for (std::size_t x = 0; x < width; ++x) {
            const std::size_t last = std::max(static_cast<std::size_t>(b), p);
            if (last >= s.size()) {
                break;
            }
            std::uint8_t peak = 0;
            for (std::size_t i = p; i <= last; ++i) {
                peak = std::max(peak, s[i]);
            }
            line[x] = std::min<std::uint8_t>(peak, 254);
            p = last + 1;
            b += r;
        }
        return line;
    };
    std::uint32_t seed = 7;
    for (const auto& [n, width] : std::vector<std::pair<std::size_t, std::size_t>>{{2000, 1024},
                                                                                   {2000, 1000},
                                                                                   {2000, 1920},
                                                                                   {1000, 1000},
                                                                                   {2000, 256},
                                                                                   {2000, 250},
                                                                                   {2001, 250},
                                                                                   {2000, 249},
                                                                                   {131070, 1024},
                                                                                   {999, 7},
                                                                                   {64, 4},
                                                                                   {2000, 1024}}) {
        std::vector<std::uint8_t> s(n);
        for (std::uint8_t& v : s) {
            seed = seed * 1664525u + 1013904223u;
            v = static_cast<std::uint8_t>(seed >> 24);
        }
        for (int ping = 0; ping < 2; ++ping) {
            s[ping] = 255;
            std::vector<std::uint8_t> line(width, 77);
            resample(s.data(), s.size(), line.data(), width);
            ASSERT_EQ(line, walk(s, width)) << n << " samples on " << width << " pixels";
        }
    }
}

TEST(Resample, FewerSamplesThanPixelsRepeatTheNearestSample) {
    const auto s = scrambled(400);
    std::vector<std::uint8_t> line(800);
    EXPECT_FLOAT_EQ(resample(s.data(), s.size(), line.data(), line.size()), 0.5f);
    for (std::size_t k = 0; k < 800; ++k) {
        ASSERT_EQ(line[k], s[k / 2]) << "pixel " << k;
    }
}

TEST(Resample, ShortPingIsReadOnlyUpToItsOwnLength) {
    // Exactly sized so a read past the ping is caught by the sanitizers.
    const auto s = scrambled(1500);
    std::vector<std::uint8_t> line(500, 99);
    resample(s.data(), s.size(), line.data(), line.size());
    EXPECT_EQ(line[0], std::max({s[0], s[1], s[2], s[3]}));
    EXPECT_EQ(line[498], std::max({s[1495], s[1496], s[1497]}));
    EXPECT_EQ(line[499], 0);
}

TEST(Resample, OddAndTinyPingsStayInBounds) {
    for (std::size_t n : {0u, 1u, 3u, 7u, 999u, 1001u}) {
        const auto s = scrambled(n);
        for (std::size_t w : {1u, 4u, 500u, 1920u}) {
            std::vector<std::uint8_t> line(w, 255);  // samples here never reach 255
            resample(n ? s.data() : nullptr, n, line.data(), w);
            if (n == 0) {
                EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](auto v) { return v == 0; }));
            }
            EXPECT_TRUE(std::none_of(line.begin(), line.end(), [](auto v) { return v == 255; }))
                << n << " samples on " << w << " pixels left pixels unwritten";
        }
    }
}

TEST(ClipSample, CompactRecordsAreDoubledAndNothingReachesTheHighlight) {
    EXPECT_EQ(clipSample(100, kKindCompact), 200);
    EXPECT_EQ(clipSample(127, kKindCompact), 254);
    EXPECT_EQ(clipSample(128, kKindCompact), 254);
    EXPECT_EQ(clipSample(255, kKindCompact), 254);
    EXPECT_EQ(clipSample(128, kKindLive), 128);
    EXPECT_EQ(clipSample(254, kKindLive), 254);
    EXPECT_EQ(clipSample(255, kKindLive), 254);
    EXPECT_EQ(clipSample(255, kKindXtf), 254);
}

TEST(SelectSide, HalvesFollowTheStoredOrder) {
    EXPECT_EQ(selectSide(2000, SideLayout::PortOnly).count, 1000u);
    EXPECT_EQ(selectSide(2000, SideLayout::PortOnly).offset, 0u);
    EXPECT_EQ(selectSide(2000, SideLayout::StarboardOnly).offset, 1000u);
    EXPECT_EQ(selectSide(2000, SideLayout::BothSides).count, 2000u);
    // An odd ping: the middle sample belongs to neither half.
    EXPECT_EQ(selectSide(7, SideLayout::StarboardOnly).offset, 4u);
    EXPECT_EQ(selectSide(7, SideLayout::StarboardOnly).count, 3u);
    EXPECT_EQ(selectSide(7, SideLayout::PortOnly).count, 3u);
}

TEST(PrepareSamples, SelectsTheWantedSideAndClips) {
    PingPipeline p;
    std::vector<std::uint8_t> ping(10);
    for (std::size_t i = 0; i < ping.size(); ++i) {
        ping[i] = static_cast<std::uint8_t>(i < 5 ? 10 + i : 200 + i);
    }
    p.settings().setSideLayout(2);
    p.prepareSamples(ping.data(), ping.size(), kKindCompact);
    EXPECT_EQ(p.workingSamples(), (std::vector<std::uint8_t>{254, 254, 254, 254, 254}));
    p.settings().setSideLayout(1);
    p.prepareSamples(ping.data(), ping.size(), kKindCompact);
    EXPECT_EQ(p.workingSamples(), (std::vector<std::uint8_t>{20, 22, 24, 26, 28}));
    p.settings().setSideLayout(3);
    p.prepareSamples(ping.data(), ping.size(), kKindLive);
    EXPECT_EQ(p.workingSamples().size(), 10u);
    EXPECT_EQ(p.workingSamples()[9], 209);
    p.prepareSamples(nullptr, 2000, kKindLive);
    EXPECT_TRUE(p.workingSamples().empty());
}

TEST(PrepareSamples, OneSideOfALivePingSpansTheWholeLine) {
    PingPipeline p;
    ASSERT_TRUE(p.resize(1000, 4));
    p.settings().setSideLayout(2);
    std::vector<std::uint8_t> ping(2000, 0);
    std::fill(ping.begin() + 1000, ping.end(), 50);
    p.prepareSamples(ping.data(), ping.size(), kKindLive);
    ASSERT_TRUE(p.resampleLine("", nullptr));
    EXPECT_FLOAT_EQ(p.samplesPerPixel(), 1.0f);
    EXPECT_EQ(p.blendHistory().line(0)[0], 50);
    EXPECT_EQ(p.blendHistory().line(0)[998], 50);
    EXPECT_EQ(p.blendHistory().line(0)[999], 0);  // its window reaches the 1000th sample
}
}  // namespace
