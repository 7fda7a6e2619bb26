#include "headsim/Options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using headsim::ParsedOptions;
using headsim::parseOptions;
using Status = headsim::ParsedOptions::Status;

TEST(OptionsTest, DefaultsNeedOnlyTheBindAddress) {
    const ParsedOptions p = parseOptions({"--bind", "127.0.0.1"});
    ASSERT_EQ(p.status, Status::Run) << p.error;
    EXPECT_EQ(p.options.bindAddress, "127.0.0.1");
    EXPECT_EQ(p.options.port, 4040);
    EXPECT_DOUBLE_EQ(p.options.rate, 15.0);
    EXPECT_EQ(p.options.split, headsim::SplitPlan::Mode::Whole);
    EXPECT_EQ(p.options.faults.noRxEvery, 0u);
    EXPECT_EQ(p.options.faults.closeAfter, 0u);
    EXPECT_EQ(p.options.faults.wrongSideEvery, 0u);
    EXPECT_FALSE(p.options.once);
}

TEST(OptionsTest, EveryOptionIsRead) {
    const ParsedOptions p = parseOptions({"--bind", "127.0.0.61", "--port", "0", "--rate", "12.5",
                                          "--split", "7", "--norx-every", "4", "--close-after", "9",
                                          "--wrong-side-every", "11", "--seed", "99", "--once"});
    ASSERT_EQ(p.status, Status::Run) << p.error;
    EXPECT_EQ(p.options.port, 0);
    EXPECT_DOUBLE_EQ(p.options.rate, 12.5);
    EXPECT_EQ(p.options.split, headsim::SplitPlan::Mode::Fixed);
    EXPECT_EQ(p.options.splitSize, 7u);
    EXPECT_EQ(p.options.faults.noRxEvery, 4u);
    EXPECT_EQ(p.options.faults.closeAfter, 9u);
    EXPECT_EQ(p.options.faults.wrongSideEvery, 11u);
    EXPECT_EQ(p.options.seed, 99u);
    EXPECT_TRUE(p.options.once);

    const ParsedOptions f =
        parseOptions({"--bind", "127.0.0.1", "--silent-after", "13", "--long-return-at", "17"});
    ASSERT_EQ(f.status, Status::Run) << f.error;
    EXPECT_EQ(f.options.faults.silentAfter, 13u);
    EXPECT_EQ(f.options.faults.longReturnAt, 17u);

    const ParsedOptions r = parseOptions({"--split-random", "--bind", "0.0.0.0", "--rate", "0"});
    ASSERT_EQ(r.status, Status::Run) << r.error;
    EXPECT_EQ(r.options.split, headsim::SplitPlan::Mode::Random);
    EXPECT_DOUBLE_EQ(r.options.rate, 0.0);
}

TEST(OptionsTest, HelpNeedsNoBindAndNamesEveryOption) {
    EXPECT_EQ(parseOptions({"--help", "--bogus"}).status, Status::Help);
    EXPECT_EQ(parseOptions({"--port", "1", "-h"}).status, Status::Help);
    const std::string usage = headsim::usageText();
    for (const char* option : {"--bind", "--port", "--rate", "--split ", "--split-random",
                               "--norx-every", "--close-after", "--wrong-side-every",
                               "--silent-after", "--long-return-at", "--seed", "--once"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

TEST(OptionsTest, BadArgumentsGiveOneClearMessage) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "--bind ADDR is required"},
        {{"--port", "4040"}, "--bind ADDR is required"},
        {{"--bind"}, "option --bind needs a value"},
        {{"--bind", "127.0.0.1", "--frobnicate"}, "unknown option '--frobnicate'"},
        {{"--bind", "127.0.0.1", "--port", "70000"},
         "invalid value '70000' for --port (expected 0..65535)"},
        {{"--bind", "127.0.0.1", "--port", "-1"},
         "invalid value '-1' for --port (expected 0..65535)"},
        {{"--bind", "127.0.0.1", "--port", "40x"},
         "invalid value '40x' for --port (expected 0..65535)"},
        {{"--bind", "127.0.0.1", "--split", "0"},
         "invalid value '0' for --split (expected 1..4294967295)"},
        {{"--bind", "127.0.0.1", "--close-after", ""},
         "invalid value '' for --close-after (expected 1..4294967295)"},
        {{"--bind", "127.0.0.1", "--rate", "-3"},
         "invalid value '-3' for --rate (expected 0..1000)"},
        {{"--bind", "127.0.0.1", "--rate", "nan"},
         "invalid value 'nan' for --rate (expected 0..1000)"},
        {{"--bind", "127.0.0.1", "--rate", "5000"},
         "invalid value '5000' for --rate (expected 0..1000)"},
        {{"--bind", "127.0.0.1", "--split", "3", "--split-random"},
         "--split and --split-random cannot be combined"},
    };
    for (const auto& [args, message] : cases) {
        const ParsedOptions p = parseOptions(args);
        EXPECT_EQ(p.status, Status::Error) << message;
        EXPECT_EQ(p.error, message);
    }
}

}  // namespace
