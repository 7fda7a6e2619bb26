#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

#include "acquisition/ReturnFramer.h"

namespace {
std::vector<std::uint8_t> stream(std::size_t returns, std::size_t len) {
    std::vector<std::uint8_t> s(returns * len);
    std::iota(s.begin(), s.end(), std::uint8_t{0});
    return s;
}

std::vector<std::vector<std::uint8_t>> drain(ReturnFramer& f, std::size_t len) {
    std::vector<std::vector<std::uint8_t>> out;
    while (const std::uint8_t* r = f.next()) {
        out.emplace_back(r, r + len);
    }
    return out;
}
}  // namespace

TEST(ReturnFramer, ShortReturnIsKeptUntilComplete) {
    constexpr std::size_t len = 1013;
    const auto s = stream(3, len);
    // Split the same input at every byte position of the first return.
    for (std::size_t cut = 1; cut < len + 5; ++cut) {
        ReturnFramer f(len);
        f.append(s.data(), cut);
        auto first = drain(f, len);
        f.append(s.data() + cut, s.size() - cut);
        auto rest = drain(f, len);
        first.insert(first.end(), rest.begin(), rest.end());
        ASSERT_EQ(first.size(), 3u) << cut;
        for (std::size_t i = 0; i < 3; ++i) {
            ASSERT_TRUE(std::equal(first[i].begin(), first[i].end(), s.begin() + i * len))
                << "cut " << cut << " return " << i;
        }
        EXPECT_EQ(f.pending(), 0u);
    }
}

TEST(ReturnFramer, RandomSegmentsAndOneByteFeedsDeliverEveryReturnInOrder) {
    constexpr std::size_t len = 1013;
    const auto s = stream(20, len);
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        ReturnFramer f(len);
        std::vector<std::vector<std::uint8_t>> got;
        std::size_t pos = 0;
        while (pos < s.size()) {
            const std::size_t n =
                round == 0 ? 1 : std::min<std::size_t>(s.size() - pos, 1 + rng() % 3000);
            f.append(s.data() + pos, n);
            pos += n;
            auto d = drain(f, len);
            got.insert(got.end(), d.begin(), d.end());
        }
        ASSERT_EQ(got.size(), 20u);
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_TRUE(std::equal(got[i].begin(), got[i].end(), s.begin() + i * len));
        }
    }
}

TEST(ReturnFramer, ClearDropsPartialBytes) {
    ReturnFramer f(10);
    const auto s = stream(2, 10);
    f.append(s.data(), 7);
    f.clear();
    f.append(s.data() + 10, 10);
    const std::uint8_t* r = f.next();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r[0], 10);
    EXPECT_EQ(f.next(), nullptr);
}
