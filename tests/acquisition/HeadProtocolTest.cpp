#include <gtest/gtest.h>

#include <vector>

#include "acquisition/HeadProtocol.h"

namespace {

std::vector<std::uint8_t> makeReturn(std::uint8_t side, int samplesTotal = 2000) {
    std::vector<std::uint8_t> r(head::returnLength(samplesTotal), 0);
    r[0] = 'S';
    r[1] = 'S';
    r[2] = 'H';
    r[head::kSerialStatus] = side;
    for (int i = 0; i < samplesTotal / 2; ++i) {
        r[head::kHeaderBytes + i] = static_cast<std::uint8_t>(i + 1);
    }
    return r;
}

DecodedHeader ack(int runType, int echoValue) {
    std::uint8_t h[12] = {};
    head::unpackStatusWord(head::makeStatusWord(runType, echoValue), h);
    return decodeHeader(h);
}

}  // namespace

TEST(SwitchCommand, DefaultBytesAreTheFirstCommandAfterConnecting) {
    const std::vector<std::uint8_t> expected = {
        0xFE, 0x44, 0x00, 0x09, 0x00, 0x00, 0x43, 0x00, 0x46, 0x00, 0x1E, 0x1E, 0x00, 0x01,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFD};
    SwitchCommand c;
    EXPECT_EQ(std::vector<std::uint8_t>(c.bytes().begin(), c.bytes().end()), expected);
}

TEST(SwitchCommand, RangeTableAndItsReverse) {
    EXPECT_EQ(rangeMetres(5), 10);
    EXPECT_EQ(rangeMetres(9), 50);
    EXPECT_EQ(rangeMetres(14), 150);
    EXPECT_EQ(rangeMetres(15), 200);
    EXPECT_EQ(rangeMetres(0), 200);
    EXPECT_EQ(rangeMetres(255), 200);
    EXPECT_EQ(rangeIndexFromMetres(125), 13);
    EXPECT_EQ(rangeIndexFromMetres(10), 5);
    EXPECT_EQ(rangeIndexFromMetres(70), 15);
}

TEST(PingBuffer, PortReturnIsStoredReversedStarboardInOrder) {
    PingBuffer ping;
    const auto port = makeReturn(0);
    ASSERT_EQ(ping.acceptReturn(port.data(), port.size()), head::Side::Port);
    for (int k = 0; k < 1000; ++k) {
        // Byte 12 + k holds echo 1000 - k, modulo 256.
        ASSERT_EQ(ping.data()[12 + k], static_cast<std::uint8_t>(1000 - k)) << k;
    }
    const auto stbd = makeReturn(2);
    ASSERT_EQ(ping.acceptReturn(stbd.data(), stbd.size()), head::Side::Starboard);
    for (int k = 0; k < 1000; ++k) {
        ASSERT_EQ(ping.data()[1012 + k], static_cast<std::uint8_t>(k + 1)) << k;
    }
    EXPECT_EQ(ping.data()[3], 2);                                 // header of the latest return
    EXPECT_EQ(ping.data()[12], static_cast<std::uint8_t>(1000));  // port half untouched
}

TEST(PingBuffer, WrongSideOrLengthChangesNothing) {
    PingBuffer ping;
    auto bad = makeReturn(1);
    EXPECT_EQ(ping.acceptReturn(bad.data(), bad.size()), head::Side::Discarded);
    bad[head::kSerialStatus] = 7;
    EXPECT_EQ(ping.acceptReturn(bad.data(), bad.size()), head::Side::Discarded);
    auto shortRet = makeReturn(2);
    EXPECT_EQ(ping.acceptReturn(shortRet.data(), shortRet.size() - 1), head::Side::Discarded);
    for (std::size_t i = 0; i < ping.size(); ++i) {
        ASSERT_EQ(ping.data()[i], 0) << i;
    }
    // Only the low three bits name the side.
    auto tagged = makeReturn(0x0A);
    EXPECT_EQ(ping.acceptReturn(tagged.data(), tagged.size()), head::Side::Starboard);
}

TEST(HeaderDecoding, StatusWordFieldsAndNoRxBit) {
    std::uint8_t h[12] = {'A', 'B', 'C', 0x42, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0x40, 0, 0};
    const DecodedHeader d = decodeHeader(h);
    EXPECT_EQ(d.headerTag, "ABC");
    EXPECT_EQ(d.serialStatus, 0x42);
    EXPECT_EQ(d.statusWord, 0x7FFFFFu);
    EXPECT_EQ(d.runType, 15);
    EXPECT_EQ(d.echoValue, 255);
    EXPECT_TRUE(d.noRxData);

    const DecodedHeader a = ack(2, 9);
    EXPECT_EQ(a.runType, 2);
    EXPECT_EQ(a.echoValue, 9);
    EXPECT_FALSE(a.noRxData);
    h[9] = 0xBF;  // every bit but the no-receive-data bit
    EXPECT_FALSE(decodeHeader(h).noRxData);
}

TEST(Handshake, FullWalkThroughModeRangeAndBalance) {
    HeadSettings s;
    ASSERT_TRUE(s.handshakeArmed());
    ASSERT_EQ(s.command().linkCommand(), 1);
    s.applyHandshake(ack(1, 0));  // mode 0 acknowledged
    EXPECT_EQ(s.command().linkCommand(), 2);
    s.applyHandshake(ack(2, 9));  // range 9 acknowledged
    EXPECT_EQ(s.command().linkCommand(), 3);
    s.applyHandshake(ack(3, 30));  // balance 30 acknowledged
    EXPECT_EQ(s.command().linkCommand(), 0);
    EXPECT_FALSE(s.handshakeArmed());
}

TEST(Handshake, WrongEchoValuesChangeNothing) {
    HeadSettings s;
    s.applyHandshake(ack(1, 2));
    EXPECT_EQ(s.command().linkCommand(), 1);
    s.applyHandshake(ack(1, 0));
    s.applyHandshake(ack(2, 8));
    EXPECT_EQ(s.command().linkCommand(), 2);
    s.applyHandshake(ack(2, 9));
    s.applyHandshake(ack(3, 31));
    EXPECT_EQ(s.command().linkCommand(), 3);
    EXPECT_TRUE(s.handshakeArmed());
    for (int rt = 4; rt < 16; ++rt) {
        s.applyHandshake(ack(rt, 30));
        EXPECT_EQ(s.command().linkCommand(), 3);
    }
}

TEST(Handshake, UnarmedAcknowledgeEndsTheSequence) {
    HeadSettings s;
    s.applyHandshake(ack(1, 0));
    s.applyHandshake(ack(2, 9));
    s.applyHandshake(ack(3, 30));
    ASSERT_FALSE(s.handshakeArmed());
    ASSERT_TRUE(s.rangeUp());
    EXPECT_EQ(s.command().linkCommand(), 2);
    s.applyHandshake(ack(2, 10));
    EXPECT_EQ(s.command().linkCommand(), 0);

    s.command().setLinkCommand(1);  // mode changed by the settings dialog
    s.applyHandshake(ack(1, 0));
    EXPECT_EQ(s.command().linkCommand(), 0);
}

TEST(Handshake, PlainDataWithAnotherRangeSendsTheRangeAgain) {
    HeadSettings s;
    s.applyHandshake(ack(1, 0));
    s.applyHandshake(ack(2, 9));
    s.applyHandshake(ack(3, 30));
    s.applyHandshake(ack(0, 9));
    EXPECT_EQ(s.command().linkCommand(), 0);
    s.applyHandshake(ack(0, 7));
    EXPECT_EQ(s.command().linkCommand(), 2);
    // While another setting is in flight the range report waits.
    s.command().setLinkCommand(3);
    s.applyHandshake(ack(0, 7));
    EXPECT_EQ(s.command().linkCommand(), 3);
}

TEST(RangeAndGain, LimitsLeaveEverythingAlone) {
    HeadSettings s;
    s.command().setLinkCommand(0);
    s.command().setRangeIndex(15);
    EXPECT_FALSE(s.rangeUp());
    EXPECT_EQ(s.command().rangeIndex(), 15);
    EXPECT_EQ(s.command().linkCommand(), 0);
    s.command().setRangeIndex(5);
    EXPECT_FALSE(s.rangeDown());
    EXPECT_EQ(s.command().rangeIndex(), 5);
    EXPECT_EQ(s.command().linkCommand(), 0);
    EXPECT_TRUE(s.rangeUp());
    EXPECT_EQ(s.command().rangeIndex(), 6);
    EXPECT_EQ(s.command().linkCommand(), 2);

    s.command().setLinkCommand(0);
    s.command().setDataGain(100);
    EXPECT_FALSE(s.gainUp());
    EXPECT_EQ(s.command().dataGain(), 100);
    EXPECT_TRUE(s.gainDown());
    EXPECT_EQ(s.command().dataGain(), 99);
    s.command().setDataGain(0);
    EXPECT_FALSE(s.gainDown());
    EXPECT_EQ(s.command().dataGain(), 0);
    EXPECT_EQ(s.command().linkCommand(), 0);  // the gain travels in every command
}
