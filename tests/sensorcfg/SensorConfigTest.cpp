#include <gtest/gtest.h>

#include "sensorcfg/SensorConfig.h"

namespace {
TEST(SensorConfig, DefaultsFollowTheBaseModel) {
    struct Case {
        int model;
        int ppsmode, ppslen, cpo, baudrate;
        std::vector<int> sentences;
    };
    const std::vector<int> common = {GPGGA, GPGSA, GPGSV, GPRMC, PTVRB, PTVRE, PTVRT};
    const Case cases[] = {
        {0, 0, 4, 0, 3, common},
        {1, 0, 4, 0, 3, {GPGGA, GPGSA, GPGSV, GPRMC, PTVRE, PTVRT}},
        {2, 1, 4, 0, 3, {GPGGA, GPGSA, GPGSV, GPRMC, GPVTG, PTVRB, PTVRE, PTVRT, PTVRM}},
        {3, 0, 4, 0, 5, {GPGGA, GPGSA, GPGSV, GPRMC, PTVRE, PTVRT, PTVRM}},
        {4, 1, 4, 0, 3, {GPGGA, GPGSA, GPGSV, GPRMC, GPVTG, PTVRB, PTVRE, PTVRT, PTVRM}},
        {5, 0, 0, 0, 3, {GPGGA, GPGSA, GPGSV, GPRMC, GPVTG, PTVRB, PTVRE, PTVRT, PTVRM}},
        {6, 1, 4, 1, 3, common},
        {7, 1, 4, 0, 3, common},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.model);
        SensorConfig c = [] {
            SensorConfig dirty;
            dirty.alt = 1.0F;
            dirty.datum = 3;
            dirty.psm = 1;
            dirty.bcn_freq = 300.0F;
            dirty.pps_auto_off = 1;
            dirty.port = 4;
            return dirty;
        }();
        resetToDefaults(c, k.model);
        EXPECT_EQ(c.model, k.model);
        EXPECT_EQ(c.ppsmode, k.ppsmode);
        EXPECT_EQ(c.ppslen, k.ppslen);
        EXPECT_EQ(c.cpo, k.cpo);
        EXPECT_EQ(c.baudrate, k.baudrate);
        std::array<std::int16_t, kSentenceCount> expected{};
        for (int s : k.sentences) {
            expected[static_cast<std::size_t>(s)] = 1;
        }
        EXPECT_EQ(c.sentences, expected);
        EXPECT_EQ(c.port, 4) << "the port survives a reset";
        EXPECT_EQ(c.alt, 300.0F);
        EXPECT_EQ(c.datum, 100);
        EXPECT_EQ(c.datum_a, 6378137.0);
        EXPECT_EQ(c.datum_df, 298.257223563);
        EXPECT_EQ(c.filter, 1);
        EXPECT_EQ(c.vldtime, 30);
        EXPECT_EQ(c.outtime, 1);
        EXPECT_EQ(c.dgpsmode, 1);
        EXPECT_EQ(c.psm, 0);
        EXPECT_EQ(c.bcn_freq, 0.0F);
        EXPECT_EQ(c.pps_auto_off, 0);
    }
}

TEST(SensorConfig, NamesOfModelsSentencesAndDatums) {
    EXPECT_EQ(modelName(0), "Brisa");
    EXPECT_EQ(modelName(6), "Hadley");
    EXPECT_EQ(modelName(7), "Ixworth");
    EXPECT_EQ(modelName(8), "Unknown");
    EXPECT_EQ(modelName(-1), "Unknown");
    EXPECT_EQ(sentenceName(7), "PTVRB");
    EXPECT_EQ(sentenceName(13), "GPGLL");
    EXPECT_EQ(sentenceIndex("PTVRM"), 12);
    EXPECT_EQ(sentenceIndex("GPZDA"), -1);
    EXPECT_EQ(datumCount(1), 110);
    EXPECT_EQ(datumCount(0), 111);
    EXPECT_EQ(datumName(0), "Adindan");
    EXPECT_EQ(datumName(7), "Astro Beacon \"E\"");
    EXPECT_EQ(datumName(83), "Prov So Amricn '56");
    EXPECT_EQ(datumName(96), "User Defined");
    EXPECT_EQ(datumName(100), "WGS 84");
    EXPECT_EQ(datumName(109), "Dutch");
    EXPECT_EQ(datumName(110), "Croatia");
    EXPECT_EQ(datumName(111), "");
}

TEST(SensorConfig, BaudCodesConvertBothWays) {
    const int rates[] = {1200, 2400, 4800, 9600, 19200, 300, 600, 38400};
    for (int code = 1; code <= 8; ++code) {
        EXPECT_EQ(baudCodeToRate(code), rates[code - 1]);
        EXPECT_EQ(baudRateToCode(rates[code - 1]), code);
    }
    EXPECT_EQ(baudCodeToRate(0), 0);
    EXPECT_EQ(baudCodeToRate(9), 0);
    EXPECT_EQ(baudRateToCode(57600), 3);
}
}  // namespace
