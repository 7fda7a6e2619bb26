#include "nmeasim/Options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using nmeasim::ParsedOptions;
using nmeasim::parseOptions;
using nmeasim::SentenceType;
using Status = nmeasim::ParsedOptions::Status;

TEST(OptionsTest, DefaultsDescribeAOneHertzReceiverOnAFourKnotSurvey) {
    const ParsedOptions p = parseOptions({});
    ASSERT_EQ(p.status, Status::Run) << p.error;
    EXPECT_DOUBLE_EQ(p.options.rate, 1.0);
    EXPECT_EQ(p.options.baud, 4800u);
    EXPECT_EQ(p.options.sentences,
              (std::vector<SentenceType>{SentenceType::GGA, SentenceType::GLL, SentenceType::RMC,
                                         SentenceType::VTG}));
    EXPECT_EQ(p.options.talker, "GP");
    EXPECT_DOUBLE_EQ(p.options.vessel.speedKnots, 4.0);
    EXPECT_DOUBLE_EQ(p.options.vessel.lineLength, 500.0);
    EXPECT_DOUBLE_EQ(p.options.vessel.lineSpacing, 50.0);
    EXPECT_FALSE(p.options.startTime);
    EXPECT_FALSE(p.options.fast);
    EXPECT_EQ(p.options.count, 0u);
}

TEST(OptionsTest, EveryOptionIsRead) {
    const ParsedOptions p = parseOptions({"--link",
                                          "/tmp/gps",
                                          "--rate",
                                          "0.5",
                                          "--baud",
                                          "115200",
                                          "--sentences",
                                          "rmc,GSV,ZDA",
                                          "--talker",
                                          "GN",
                                          "--start",
                                          "-33.5,151.25",
                                          "--speed",
                                          "6.5",
                                          "--line-length",
                                          "800",
                                          "--line-spacing",
                                          "25",
                                          "--time",
                                          "2024-02-29T23:59:30Z",
                                          "--seed",
                                          "17",
                                          "--count",
                                          "9",
                                          "--fast",
                                          "--noise",
                                          "0.25",
                                          "--bad-checksum-every",
                                          "7",
                                          "--split",
                                          "--gap-every",
                                          "60",
                                          "--gap-seconds",
                                          "15"});
    ASSERT_EQ(p.status, Status::Run) << p.error;
    const nmeasim::Options& o = p.options;
    EXPECT_EQ(o.link, "/tmp/gps");
    EXPECT_DOUBLE_EQ(o.rate, 0.5);
    EXPECT_EQ(o.baud, 115200u);
    EXPECT_EQ(o.sentences,
              (std::vector<SentenceType>{SentenceType::RMC, SentenceType::GSV, SentenceType::ZDA}));
    EXPECT_EQ(o.talker, "GN");
    EXPECT_DOUBLE_EQ(o.vessel.startLatitude, -33.5);
    EXPECT_DOUBLE_EQ(o.vessel.startLongitude, 151.25);
    EXPECT_DOUBLE_EQ(o.vessel.speedKnots, 6.5);
    EXPECT_DOUBLE_EQ(o.vessel.lineLength, 800.0);
    EXPECT_DOUBLE_EQ(o.vessel.lineSpacing, 25.0);
    ASSERT_TRUE(o.startTime);
    const nmeasim::CivilTime t = nmeasim::toCivil(*o.startTime);
    EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second}),
              (std::vector<int>{2024, 2, 29, 23, 59, 30}));
    EXPECT_EQ(o.seed, 17u);
    EXPECT_EQ(o.count, 9u);
    EXPECT_TRUE(o.fast);
    EXPECT_DOUBLE_EQ(o.faults.noise, 0.25);
    EXPECT_EQ(o.faults.badChecksumEvery, 7u);
    EXPECT_TRUE(o.faults.split);
    EXPECT_DOUBLE_EQ(o.faults.gapEvery, 60.0);
    EXPECT_DOUBLE_EQ(o.faults.gapSeconds, 15.0);

    const ParsedOptions r = parseOptions({"--replay", "log.nmea", "--loop", "--split"});
    ASSERT_EQ(r.status, Status::Run) << r.error;
    EXPECT_EQ(r.options.replay, "log.nmea");
    EXPECT_TRUE(r.options.loop);
}

TEST(OptionsTest, HelpNamesEveryOption) {
    EXPECT_EQ(parseOptions({"--bogus", "--help"}).status, Status::Help);
    const std::string usage = nmeasim::usageText();
    for (const char* option : {"--link",
                               "--rate",
                               "--baud",
                               "--sentences",
                               "--talker",
                               "--start",
                               "--speed",
                               "--line-length",
                               "--line-spacing",
                               "--time",
                               "--seed",
                               "--count",
                               "--fast",
                               "--replay",
                               "--loop",
                               "--noise",
                               "--bad-checksum-every",
                               "--split",
                               "--gap-every",
                               "--gap-seconds"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

TEST(OptionsTest, BadArgumentsGiveOneClearMessage) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--rate", "0"}, "invalid value '0' for --rate (expected more than 0, at most 20)"},
        {{"--rate", "21"}, "invalid value '21' for --rate (expected more than 0, at most 20)"},
        {{"--baud", "4801"},
         "invalid value '4801' for --baud (expected 4800, 9600, 19200, 38400, "
         "57600 or 115200)"},
        {{"--sentences", "GGA,XYZ"},
         "unknown sentence 'XYZ' in --sentences (expected GGA, GLL, RMC, VTG, GSA, GSV, ZDA)"},
        {{"--sentences", "GGA,gga"}, "sentence 'gga' named twice in --sentences"},
        {{"--talker", "gp"}, "invalid value 'gp' for --talker (expected two capitals, e.g. GN)"},
        {{"--start", "91,0"},
         "invalid value '91,0' for --start (expected LAT,LON in decimal degrees, |LAT| <= 85)"},
        {{"--start", "50.1"},
         "invalid value '50.1' for --start (expected LAT,LON in decimal degrees, |LAT| <= 85)"},
        {{"--time", "2023-02-29T00:00:00"},
         "invalid value '2023-02-29T00:00:00' for --time (expected YYYY-MM-DDTHH:MM:SS UTC, years "
         "1980..2069)"},
        {{"--time", "2070-01-01T00:00:00"},
         "invalid value '2070-01-01T00:00:00' for --time (expected YYYY-MM-DDTHH:MM:SS UTC, years "
         "1980..2069)"},
        {{"--noise", "1.5"}, "invalid value '1.5' for --noise (expected 0..1)"},
        {{"--count", "0"}, "invalid value '0' for --count (expected a whole number from 1)"},
        {{"--speed", "fast"}, "invalid value 'fast' for --speed (expected 0..40)"},
        {{"--gap-every", "10"}, "--gap-every and --gap-seconds must be given together"},
        {{"--gap-every", "10", "--gap-seconds", "10"},
         "--gap-seconds must be shorter than --gap-every"},
        {{"--loop"}, "--loop needs --replay FILE"},
        {{"--replay", "x", "--rate", "2"}, "--rate cannot be combined with --replay"},
        {{"--seed", "1", "--seed", "2"}, "option --seed given twice"},
        {{"--link"}, "option --link needs a value"},
        {{"--port", "1"}, "unknown option '--port'"},
    };
    for (const auto& [args, message] : cases) {
        const ParsedOptions p = parseOptions(args);
        EXPECT_EQ(p.status, Status::Error) << args[0];
        EXPECT_EQ(p.error, message);
    }
}

}  // namespace
