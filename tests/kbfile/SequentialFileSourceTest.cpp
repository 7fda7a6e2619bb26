#include <gtest/gtest.h>

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

// Whatever the window, every read gives the file's bytes: forward, backward, across window
// ends, longer than the window, and cut at the end of the file.
TEST_F(SequentialSource, EveryReadGivesTheFilesBytesWhateverTheWindow) {
    for (std::size_t window : {1u, 7u, 64u, 999u, 4096u}) {
        SequentialFileSource source(path, window);
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
