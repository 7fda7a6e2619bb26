// The command line and the configuration files the unit starts from and writes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "sensorcfg/ConfigFile.h"
#include "sensorsim/Options.h"
#include "sensorsim/SavedConfig.h"

namespace sensorsim {
namespace {

ParsedOptions parse(std::vector<std::string> args) {
    return parseOptions(args);
}

TEST(OptionsTest, OptionsReachTheUnitAndBadOnesAreExplained) {
    const ParsedOptions ok =
        parse({"--model", "6", "--baud", "8", "--seed", "9", "--noise", "--late-ms", "700",
               "--drop-echo-every", "4", "--long-lines", "--reply-checksum", "--link", "/tmp/gps",
               "--config", "a.cfg", "--dump-config", "b.cfg"});
    ASSERT_EQ(ok.status, ParsedOptions::Status::Run) << ok.error;
    const Options& o = ok.options;
    EXPECT_EQ(o.model, 6);
    EXPECT_EQ(o.baudCode, 8);
    EXPECT_EQ(o.sensor.seed, 9U);
    EXPECT_TRUE(o.sensor.faults.noise && o.sensor.faults.longLines && o.sensor.replyChecksum);
    EXPECT_EQ(o.sensor.faults.lateMs, 700U);
    EXPECT_EQ(o.sensor.faults.dropEchoEvery, 4U);
    EXPECT_EQ(o.link, "/tmp/gps");
    EXPECT_EQ(o.configFile, "a.cfg");
    EXPECT_EQ(o.dumpFile, "b.cfg");
    EXPECT_FALSE(parse({}).options.baudCode) << "4800 unless asked";

    EXPECT_EQ(parse({"--help"}).status, ParsedOptions::Status::Help);
    const struct {
        std::vector<std::string> args;
        const char* error;
    } bad[] = {
        {{"--model", "8"}, "invalid value '8' for --model (expected 0..7)"},
        {{"--baud", "0"}, "invalid value '0' for --baud (expected 1..8)"},
        {{"--baud", "4800"}, "invalid value '4800' for --baud (expected 1..8)"},
        {{"--drop-echo-every", "0"}, "invalid value '0' for --drop-echo-every (expected 1.."},
        {{"--late-ms", "-5"}, "invalid value '-5' for --late-ms (expected 0..60000)"},
        {{"--config"}, "option --config needs a value"},
        {{"--noise", "--noise"}, "option --noise given twice"},
        {{"--fast"}, "unknown option '--fast'"},
    };
    for (const auto& k : bad) {
        const ParsedOptions p = parse(k.args);
        EXPECT_EQ(p.status, ParsedOptions::Status::Error) << k.args[0];
        EXPECT_EQ(p.error.rfind(k.error, 0), 0U) << p.error;
    }
}

TEST(OptionsTest, TheUnitStartsFromAFileAndWritesItsConfigurationBack) {
    const std::string file = testing::TempDir() + "sensorsim-options.cfg";
    SensorConfig saved;
    resetToDefaults(saved, 2);
    saved.alt = 42.5F, saved.datum = 27, saved.baudrate = 5, saved.sentences[PTVRV] = 1;
    std::string error;
    ASSERT_TRUE(saveConfig(saved, file, error)) << error;

    auto c = startingConfig(4, file, std::nullopt, error);
    ASSERT_TRUE(c) << error;
    SensorConfig expected = saved;
    expected.model = 4;
    EXPECT_EQ(*c, expected) << "the file's settings, the model from the command line";
    EXPECT_EQ(startingConfig(4, file, 8, error)->baudrate, 8);
    EXPECT_EQ(startingConfig(3, "", std::nullopt, error)->baudrate, 3) << "4800, not 19200";

    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(bytes.size(), config_file::kSize);
    EXPECT_EQ(bytes[0] | bytes[1] << 8, 402);

    std::ofstream(file, std::ios::binary | std::ios::trunc).write("\x92\x01\x02", 3);
    EXPECT_FALSE(startingConfig(0, file, std::nullopt, error));
    EXPECT_NE(error.find("not a whole configuration file"), std::string::npos) << error;
    EXPECT_FALSE(startingConfig(0, file + ".missing", std::nullopt, error));
    EXPECT_NE(error.find("cannot read"), std::string::npos) << error;
    EXPECT_FALSE(saveConfig(saved, testing::TempDir() + "no/such/dir/x.cfg", error));
}

}  // namespace
}  // namespace sensorsim
