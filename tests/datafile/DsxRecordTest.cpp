#include "datafile/DsxRecord.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "TestPings.h"

namespace {
using ::testing::Each;
using ::testing::ElementsAre;

std::vector<std::uint8_t> encode(const PingRecord& rec) {
    std::vector<std::uint8_t> out(DsxRecord::encodedSize(rec.ping.samplesTotal()));
    EXPECT_TRUE(DsxRecord::encode(rec, out));
    return out;
}

std::string textAt(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::string(reinterpret_cast<const char*>(b.data() + at));
}

TEST(DsxRecordLayout, Ping258StartsWithTheKnownBytesAndEndsWithTwiceItsSize) {
    PingRecord rec = makePing(258);
    rec.sentenceSet = GpsSentenceSet::GllVtg;
    const auto b = encode(rec);
    ASSERT_EQ(b.size(), 4096u);
    EXPECT_THAT(std::vector(b.begin(), b.begin() + 14),
                ElementsAre(0x64, 0x73, 0x78, 0x00, 0x00, 0x00, 0x01, 0x02, 0x10, 0x00, 0x03, 0xE8,
                            0x01, 0x08));
    EXPECT_EQ(b[14], 0x04);
    EXPECT_EQ(be16At(b, 15), 3000);
    EXPECT_EQ(b[45], 0);
    EXPECT_EQ(b[46], 9);
    EXPECT_EQ(b[47], 70);
    EXPECT_EQ(b[48], 30);
    EXPECT_EQ(b[49], 0x00);
    EXPECT_EQ(b[50], 0x96);
    EXPECT_EQ(b[51], 0x3A);
    EXPECT_EQ(b[52], 0x98);
    EXPECT_TRUE(std::equal(b.begin() + 53, b.begin() + 65, rec.ping.data()));
    EXPECT_THAT(std::vector(b.begin() + 65, b.begin() + 1000), Each(0));
    EXPECT_THAT(std::vector(b.end() - 96, b.end() - 2), Each(0));
    EXPECT_EQ(b[4094], 0x20);
    EXPECT_EQ(b[4095], 0x00);
}

TEST(DsxRecordLayout, EventWordIsAlwaysZero) {
    for (std::uint32_t n : {1u, 258u, 0xFFFFFFFFu}) {
        PingRecord rec = makePing(n);
        rec.sentenceSet = static_cast<GpsSentenceSet>(3);
        rec.modeFreq = 2;
        const auto b = encode(rec);
        EXPECT_EQ(b[17], 0);
        EXPECT_EQ(b[18], 0);
    }
}

TEST(DsxRecordLayout, TimeTextsAreZeroTerminatedAtTheirOffsets) {
    const auto b = encode(makePing());
    EXPECT_EQ(textAt(b, 19), "05-MAR-2007");
    EXPECT_EQ(textAt(b, 31), "22:54:44");
    EXPECT_EQ(textAt(b, 40), ".123");
}

TEST(DsxRecordLayout, EchoesAndSentencesFollowTheHeaderBlock) {
    const PingRecord rec = makePing();
    const auto b = encode(rec);
    EXPECT_TRUE(std::equal(b.begin() + 1000, b.begin() + 3000, rec.ping.samples()));
    EXPECT_EQ(textAt(b, 3000), rec.fix.tickSentences[0]);
    EXPECT_EQ(textAt(b, 3100), rec.fix.tickSentences[1]);
    EXPECT_THAT(std::vector(b.begin() + 3200, b.begin() + 4000), Each(0));
}

TEST(DsxRecordLayout, SentenceOf120CharactersStaysInItsSlot) {
    PingRecord rec = makePing();
    rec.fix.tickSentences[1] = std::string(120, 'A');
    const auto b = encode(rec);
    EXPECT_EQ(textAt(b, 3000), rec.fix.tickSentences[0]);
    EXPECT_THAT(std::vector(b.begin() + 3100, b.begin() + 3200), Each('A'));
    EXPECT_THAT(std::vector(b.begin() + 3200, b.begin() + 3300), Each(0));
    PingRecord back;
    ASSERT_TRUE(DsxRecord::decode(b, back));
    EXPECT_EQ(back.fix.tickSentences[1], std::string(100, 'A'));
    EXPECT_EQ(back.fix.tickSentences[2], "");
}

TEST(DsxRecordLayout, OtherSampleCountsSizeTheRecord) {
    const auto b = encode(makePing(1, 3000));
    ASSERT_EQ(b.size(), 5096u);
    EXPECT_EQ(be16At(b, 8), 5096);
    EXPECT_EQ(be16At(b, 10), 1500);
    EXPECT_EQ(be16At(b, 5094), static_cast<std::uint16_t>(2 * 5096));
    EXPECT_EQ(DsxRecord::encodedSize(0), 0u);
    EXPECT_EQ(DsxRecord::encodedSize(65535 - 2096 + 1), 0u);
}

TEST(DsxRecordRoundTrip, EveryStoredFieldComesBack) {
    PingRecord rec = makePing(70000);
    rec.modeFreq = 2;
    rec.pingIntervalMs = 70000;  // only the low 16 bits are stored
    rec.fix.tickSentences[9] = "$GPRMC,last\r\n";
    PingRecord back;
    ASSERT_EQ(DsxRecord::decode(encode(rec), back), 4096u);
    EXPECT_EQ(back.pingNumber, 70000u);
    EXPECT_EQ(back.modeFreq, 2);
    EXPECT_EQ(back.rangeIndex, 9);
    EXPECT_EQ(back.dataGain, 70);
    EXPECT_EQ(back.gainBalance, 30);
    EXPECT_EQ(back.pingIntervalMs, 70000u & 0xFFFF);
    EXPECT_EQ(back.dateText, rec.dateText);
    EXPECT_EQ(back.timeText, rec.timeText);
    EXPECT_EQ(back.millisecondText, rec.millisecondText);
    EXPECT_EQ(back.sentenceSet, GpsSentenceSet::GgaVtg);
    EXPECT_EQ(back.fix.tickSentences, rec.fix.tickSentences);
    ASSERT_EQ(back.ping.samplesTotal(), 2000);
    EXPECT_TRUE(std::equal(back.ping.data(), back.ping.data() + back.ping.size(), rec.ping.data()));
    EXPECT_TRUE(back.stored.header && back.stored.sentences && !back.stored.gps);
}

TEST(DsxRecordRefusal, WrongSignatureIsABadRecord) {
    auto b = encode(makePing());
    b[2] = 'y';
    PingRecord out;
    EXPECT_FALSE(DsxRecord::decode(b, out));
    EXPECT_FALSE(DsxRecord::statedLength(b));
}

TEST(DsxRecordRefusal, LengthsThatDoNotFitAreBadAndLeaveTheRecordAlone) {
    const auto good = encode(makePing());
    PingRecord out = makePing(7, 10);
    auto check = [&](std::vector<std::uint8_t> b) {
        EXPECT_FALSE(DsxRecord::decode(b, out));
        EXPECT_EQ(out.pingNumber, 7u);
        EXPECT_EQ(out.ping.samplesTotal(), 10);
    };
    check(std::vector(good.begin(), good.end() - 1));  // truncated
    auto b = good;
    b[8] = 0x20;  // record size 8192 > bytes
    check(b);
    b = good;
    b[11] = 0xE9;  // one sample per side more than the record holds
    check(b);
    b = good;
    b[10] = b[11] = 0;  // no samples
    check(b);
}
}  // namespace
