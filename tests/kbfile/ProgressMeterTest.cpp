#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "kbfile/ProgressMeter.h"

namespace {
using kbfile::ProgressMeter;

constexpr std::uint64_t kBig = ProgressMeter::kMinBytes * 4;

std::string contents(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    std::string s;
    for (int c; (c = std::fgetc(f)) != EOF;) {
        s.push_back(static_cast<char>(c));
    }
    return s;
}

TEST(ProgressMeter, RewritesOneLineOnlyWhenThePercentageChanges) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    {
        ProgressMeter meter(f, "kbfile: reading a.dsx", true);
        for (std::uint64_t i = 0; i <= 1000; ++i) {
            meter.update(kBig * i / 1000, kBig);
        }
        const std::string shown = contents(f);
        EXPECT_EQ(std::count(shown.begin(), shown.end(), '\r'), 101);
        EXPECT_EQ(shown.find('\n'), std::string::npos);
        EXPECT_NE(shown.find("\rkbfile: reading a.dsx  50%"), std::string::npos);
        EXPECT_TRUE(shown.ends_with("\rkbfile: reading a.dsx 100%"));
        std::fseek(f, 0, SEEK_END);
        meter.clear();
        const std::string cleared = contents(f);
        EXPECT_TRUE(cleared.ends_with("\r" + std::string(26, ' ') + "\r"));
    }
    std::fclose(f);
}

TEST(ProgressMeter, SilentForSmallFilesAndOffATerminal) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    {
        ProgressMeter small(f, "x", true);
        small.update(10, ProgressMeter::kMinBytes - 1);
        ProgressMeter piped(f, "x", false);
        piped.update(10, kBig);
    }
    EXPECT_EQ(contents(f), "");
    std::fclose(f);
}

}  // namespace
