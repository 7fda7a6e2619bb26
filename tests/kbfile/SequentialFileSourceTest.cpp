#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "kbfile/KbfileTestFiles.h"
#include "kbfile/SequentialFileSource.h"

namespace {
using kbfile::SequentialFileSource;
using namespace kbfile_test;

std::vector<std::uint8_t> pattern(std::size_t n) {
    std::vector<std::uint8_t> b(n);
    for (std::size_t i = 0; i < n; ++i) {
        b[i] = static_cast<std::uint8_t>(i * 31 + i / 256);
    }
    return b;
}

class SequentialSource : public ::testing::Test {
  protected:
    void SetUp() override { writeBytes(path, bytes); }
    TempDir dir;
    std::string path = dir.file("data.bin");
    std::vector<std::uint8_t> bytes = pattern(1000);
};

// Whatever the block and the read-ahead, every read gives the file's bytes: forward, backward,
// across block ends, longer than a block, and cut at the end of the file.
TEST_F(SequentialSource, EveryReadGivesTheFilesBytesWhateverTheWindow) {
    for (const auto& [window, ahead] : std::vector<std::pair<std::size_t, std::size_t>>{
             {1, 1}, {7, 3}, {64, 1}, {64, 8}, {999, 2}, {4096, 4}}) {
        SequentialFileSource source(path, window, ahead);
        ASSERT_TRUE(source.isOpen());
        ASSERT_EQ(source.size(), 1000u);
        for (std::uint64_t at : {0u, 5u, 60u, 3u, 500u, 990u, 10u}) {
            for (std::size_t len : {1u, 13u, 100u, 2000u}) {
                std::vector<std::uint8_t> out(len, 0xEE);
                const std::size_t got = source.readAt(at, out);
                const std::size_t want = std::min<std::size_t>(len, 1000 - at);
                ASSERT_EQ(got, want) << window << " " << at << " " << len;
                ASSERT_TRUE(std::equal(out.begin(), out.begin() + got, bytes.begin() + at));
            }
        }
        EXPECT_FALSE(source.readFailed());
    }
}

// A walk as the record reader makes it: records of varying length one after another, each read
// as a header and then as a whole, with now and then a step back to an earlier record or a
// jump ahead, over a file of many blocks read ahead by the thread.
TEST(SequentialSourceWalk, RecordsReadInTurnMatchTheFile) {
    TempDir dir;
    const std::vector<std::uint8_t> bytes = pattern(300000);
    writeBytes(dir.file("walk.bin"), bytes);
    std::mt19937 gen(5);
    for (const auto& [block, ahead] :
         std::vector<std::pair<std::size_t, std::size_t>>{{4096, 1}, {4096, 4}, {10000, 2}}) {
        SequentialFileSource source(dir.file("walk.bin"), block, ahead);
        std::uint64_t at = 0;
        std::vector<std::uint64_t> starts;
        while (at < bytes.size()) {
            const std::size_t len = 20 + gen() % 3000;
            for (std::size_t n : {std::size_t{16}, len}) {
                std::vector<std::uint8_t> out(n);
                const std::size_t got = source.readAt(at, out);
                ASSERT_EQ(got, std::min<std::size_t>(n, bytes.size() - at)) << at;
                ASSERT_TRUE(std::equal(out.begin(), out.begin() + got, bytes.begin() + at)) << at;
            }
            starts.push_back(at);
            const unsigned turn = gen() % 50;
            if (turn == 0 && starts.size() > 5) {
                at = starts[starts.size() - 5];  // back a few records
            } else if (turn == 1) {
                at += 5 * block;  // over blocks never read
            } else {
                at += len;
            }
        }
        EXPECT_FALSE(source.readFailed());
    }
}

TEST_F(SequentialSource, ReadsAtOrPastTheEndGiveNothing) {
    SequentialFileSource source(path, 64);
    std::vector<std::uint8_t> out(10);
    EXPECT_EQ(source.readAt(1000, out), 0u);
    EXPECT_EQ(source.readAt(1u << 30, out), 0u);
}

TEST(SequentialSourceOpen, AMissingFileOrAFolderIsNotOpen) {
    TempDir dir;
    SequentialFileSource missing(dir.file("nothing.dsx"));
    EXPECT_FALSE(missing.isOpen());
    EXPECT_NE(missing.openError(), 0);
    std::vector<std::uint8_t> out(4);
    EXPECT_EQ(missing.readAt(0, out), 0u);
    SequentialFileSource folder("/tmp");
    EXPECT_FALSE(folder.isOpen());
}

}  // namespace
