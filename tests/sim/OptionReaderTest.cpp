// The command-line syntax all three simulators share: what counts as a number, and the rules a
// simulator chooses (repeats, empty values).
#include "sim/common/OptionReader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "sim/common/Shell.h"

namespace {

using sim::OptionReader;

TEST(OptionReaderTest, WholeNumbersAreDigitsOnlyAndNeverWrap) {
    const struct {
        const char* text;
        std::optional<std::uint64_t> value;
    } cases[] = {
        {"0", 0},
        {"0042", 42},
        {"18446744073709551615", 18446744073709551615ULL},
        {"18446744073709551616", std::nullopt},  // one past 2^64 - 1
        {"99999999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"+5", std::nullopt},
        {"-1", std::nullopt},
        {" 5", std::nullopt},
        {"5 ", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sim::parseWhole(c.text), c.value) << c.text;
    }
    EXPECT_EQ(sim::parseWhole("65535", 65535), 65535u);
    EXPECT_EQ(sim::parseWhole("65536", 65535), std::nullopt);
}

TEST(OptionReaderTest, DecimalsAreFiniteAndUnsignedWhereASignIsRefused) {
    const struct {
        const char* text;
        std::optional<double> signed_;
        std::optional<double> unsigned_;
    } cases[] = {
        {"12.5", 12.5, 12.5},
        {".5", 0.5, 0.5},
        {"1e3", 1000.0, 1000.0},
        {"-2", -2.0, std::nullopt},
        {"+2", 2.0, std::nullopt},
        {"-0", -0.0, std::nullopt},
        {"inf", std::nullopt, std::nullopt},
        {"nan", std::nullopt, std::nullopt},
        {"1e999", std::nullopt, std::nullopt},
        {"1 ", std::nullopt, std::nullopt},
        {"1,5", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sim::parseDecimal(c.text), c.signed_) << c.text;
        EXPECT_EQ(sim::parseDecimal(c.text, sim::Sign::Refused), c.unsigned_) << c.text;
    }
}

// Reads every argument as "--name value" and returns the first error, or "" after all.
std::string readPairs(const std::vector<std::string>& args, OptionReader::Rules rules) {
    OptionReader reader(args, rules);
    reader.readAll([&](const std::string& name) {
        std::string value;
        return reader.value(name, value);
    });
    return reader.error();
}

TEST(OptionReaderTest, EachSimulatorChoosesItsRulesForRepeatsAndEmptyValues) {
    const OptionReader::Rules strict{.refuseRepeats = true, .emptyIsMissing = true};
    const OptionReader::Rules lenient{.refuseRepeats = false, .emptyIsMissing = false};
    const struct {
        std::vector<std::string> args;
        std::string strictError;
        std::string lenientError;
    } cases[] = {
        {{"--a", "1", "--a", "2"}, "option --a given twice", ""},
        {{"--a", ""}, "option --a needs a value", ""},
        {{"--a"}, "option --a needs a value", "option --a needs a value"},
        {{"--a", "1", "--b", "2"}, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readPairs(c.args, strict), c.strictError) << c.args.front();
        EXPECT_EQ(readPairs(c.args, lenient), c.lenientError) << c.args.front();
    }
}

TEST(OptionReaderTest, PollWaitsRoundUpToWholeMillisecondsWithinTheCap) {
    EXPECT_EQ(sim::pollTimeoutMs(-5, 200), 0);
    EXPECT_EQ(sim::pollTimeoutMs(0, 200), 0);
    EXPECT_EQ(sim::pollTimeoutMs(1, 200), 1);
    EXPECT_EQ(sim::pollTimeoutMs(1000, 200), 1);
    EXPECT_EQ(sim::pollTimeoutMs(1001, 200), 2);
    EXPECT_EQ(sim::pollTimeoutMs(10'000'000, 200), 200);
}

}  // namespace
