#include <gtest/gtest.h>

#include <cstring>

#include "sensorcfg/ConfigFile.h"
#include "sensorcfg/ConfigFiles.h"

namespace {
using namespace test_files;
using config_file::LoadStatus;

int u16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int16_t>(b[at] | (b[at + 1] << 8));
}
float f32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i) {
        u = (u << 8) | b[at + static_cast<std::size_t>(i)];
    }
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}
double f64At(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint64_t u = 0;
    for (int i = 7; i >= 0; --i) {
        u = (u << 8) | b[at + static_cast<std::size_t>(i)];
    }
    double d;
    std::memcpy(&d, &u, 8);
    return d;
}

TEST(ConfigFile, StoredFileIsLaidOutByteForByte) {
    const SensorConfig c = everyFieldSet();
    const auto b = config_file::store(c);
    ASSERT_EQ(b.size(), 126u);
    struct Word {
        std::size_t offset;
        int value;
    };
    const Word words[] = {
        {0, 402}, {2, 4},   {4, 1},   {6, 0},   {18, 1},  {32, 57},   {38, 1},  {40, 123},
        {46, 1},  {52, 0},  {82, 1},  {84, 5},  {86, 96}, {88, 17},   {90, 2},  {92, 1},
        {94, 9},  {96, 12}, {98, 35}, {100, 1}, {102, 1}, {108, 100}, {110, 1}, {112, 1},
        {114, 1}, {116, 2}, {118, 1}, {120, 1}, {122, 1}, {124, 1},
    };
    for (const Word& w : words) {
        EXPECT_EQ(u16At(b, w.offset), w.value) << "offset " << w.offset;
    }
    // The sentence flags in table order: even indexes on, and PTVRB (7) on.
    for (int i = 0; i < kSentenceCount; ++i) {
        EXPECT_EQ(u16At(b, 4 + 2 * static_cast<std::size_t>(i)), i % 2 == 0 || i == PTVRB)
            << "flag " << i;
    }
    EXPECT_EQ(f32At(b, 34), 12.375F);
    EXPECT_EQ(f32At(b, 42), 45.5F);
    EXPECT_EQ(f32At(b, 48), -12.5F);
    EXPECT_EQ(f64At(b, 54), 6377563.396);
    EXPECT_EQ(f64At(b, 62), 299.3249646);
    EXPECT_EQ(f32At(b, 70), 375.0F);
    EXPECT_EQ(f32At(b, 74), -111.0F);
    EXPECT_EQ(f32At(b, 78), 431.0F);
    EXPECT_EQ(f32At(b, 104), 300.5F);
    // Little-endian on every host.
    EXPECT_EQ(b[0], 0x92);
    EXPECT_EQ(b[1], 0x01);
}

TEST(ConfigFile, StoreThenLoadGivesBackEveryFieldExceptModelAndPort) {
    const SensorConfig written = everyFieldSet();
    SensorConfig loaded;
    resetToDefaults(loaded, 2);
    loaded.port = 7;
    const auto result = config_file::load(config_file::store(written), loaded);
    ASSERT_EQ(result.status, LoadStatus::Ok);
    EXPECT_FALSE(result.converted);
    EXPECT_EQ(loaded.model, 2);
    EXPECT_EQ(loaded.port, 7);
    SensorConfig expected = written;
    expected.model = 2;
    expected.port = 7;
    EXPECT_EQ(loaded, expected);
}

TEST(ConfigFile, UnversionedFileStartingWithTheFirstFlagIsConverted) {
    SensorConfig old = everyFieldSet();
    old.sentences[GPGGA] = 1;
    SensorConfig loaded;
    resetToDefaults(loaded, 0);
    loaded.psm = 1;
    const auto result = config_file::load(fileOfVersion(0, old), loaded);
    ASSERT_EQ(result.status, LoadStatus::Ok);
    EXPECT_TRUE(result.converted);
    EXPECT_EQ(result.version, 0);
    EXPECT_EQ(loaded.sentences[GPGGA], 1);
    EXPECT_EQ(loaded.sentences[PTVRB], 0);
    EXPECT_EQ(loaded.sentences[PTVRE], old.sentences[PTVRE]);
    EXPECT_EQ(loaded.sentences[GPGLL], old.sentences[GPGLL]);
    EXPECT_EQ(loaded.ppslen, 4);
    EXPECT_EQ(loaded.vldtime, 30);
    EXPECT_EQ(loaded.outtime, 1);
    EXPECT_EQ(loaded.cpo, 1);
    EXPECT_EQ(loaded.avg, 0);
    EXPECT_EQ(loaded.datum_df, old.datum_df);
    EXPECT_EQ(loaded.ppsmode, old.ppsmode);
    EXPECT_EQ(loaded.psm, 1);
    EXPECT_EQ(loaded.model, 0);
}

TEST(ConfigFile, EachOlderVersionFillsWhatItLacks) {
    const SensorConfig old = everyFieldSet();
    struct Case {
        int version;
        bool converted;
        bool hasBeacon;
        bool hasModel0Switches;
    };
    for (const Case& k : {Case{300, true, false, false}, Case{301, true, false, false},
                          Case{302, true, true, false}, Case{400, true, true, false},
                          Case{401, false, true, true}, Case{402, false, true, true}}) {
        SCOPED_TRACE(k.version);
        SensorConfig loaded;
        resetToDefaults(loaded, 6);
        loaded.psm = 0;
        loaded.dgpsmode = 3;
        const auto result = config_file::load(fileOfVersion(k.version, old), loaded);
        ASSERT_EQ(result.status, LoadStatus::Ok);
        EXPECT_EQ(result.converted, k.converted);
        EXPECT_EQ(loaded.model, 6);
        EXPECT_EQ(loaded.sentences[PTVRB], k.version > 301 ? 1 : 0);
        EXPECT_EQ(loaded.ppslen, old.ppslen);
        EXPECT_EQ(loaded.avg, k.version >= 301 ? old.avg : 0);
        EXPECT_EQ(loaded.bcn_freq, k.hasBeacon ? old.bcn_freq : 0.0F);
        EXPECT_EQ(loaded.bcn_br, k.hasBeacon ? old.bcn_br : 0);
        EXPECT_EQ(loaded.bcn_auto, k.hasBeacon ? old.bcn_auto : 0);
        EXPECT_EQ(loaded.nmea230, k.hasBeacon ? old.nmea230 : 0);
        // psm and dgpsmode keep what the program had when the file does not carry them.
        EXPECT_EQ(loaded.psm, k.hasBeacon ? old.psm : 0);
        EXPECT_EQ(loaded.dgpsmode, k.hasBeacon ? old.dgpsmode : 3);
        EXPECT_EQ(loaded.adaptive_tx, k.hasModel0Switches ? 1 : 0);
        EXPECT_EQ(loaded.ext_pwr_on, k.hasModel0Switches ? 1 : 0);
        EXPECT_EQ(loaded.pps_auto_off, k.version == 402 ? 1 : 0);
    }
}

TEST(ConfigFile, TruncatedFilesOfEveryLengthLoadNothing) {
    const SensorConfig old = everyFieldSet();
    for (int version : {0, 300, 301, 400, 401, 402}) {
        const auto full = fileOfVersion(version, old);
        for (std::size_t length = 0; length < full.size(); ++length) {
            SensorConfig loaded;
            resetToDefaults(loaded, 3);
            const SensorConfig before = loaded;
            const std::vector<std::uint8_t> cut(full.begin(),
                                                full.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_EQ(config_file::load(cut, loaded).status, LoadStatus::Truncated)
                << "version " << version << " length " << length;
            EXPECT_EQ(loaded, before) << "version " << version << " length " << length;
        }
        SensorConfig loaded;
        EXPECT_EQ(config_file::load(full, loaded).status, LoadStatus::Ok) << version;
    }
}

TEST(ConfigFile, ExtraBytesAfterTheLastFieldAreIgnored) {
    auto bytes = config_file::store(everyFieldSet());
    bytes.insert(bytes.end(), {1, 2, 3});
    SensorConfig loaded;
    EXPECT_EQ(config_file::load(bytes, loaded).status, LoadStatus::Ok);
    EXPECT_EQ(loaded.pps_auto_off, 1);
}
}  // namespace
