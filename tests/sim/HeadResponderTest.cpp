#include "headsim/HeadResponder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "acquisition/HeadProtocol.h"

namespace {

using headsim::FaultPlan;
using headsim::HeadReply;
using headsim::HeadResponder;

SwitchCommand request(std::uint8_t side, std::uint8_t link = SwitchCommand::None) {
    SwitchCommand c;
    c.setSideRequest(side);
    c.setLinkCommand(link);
    return c;
}

DecodedHeader headerOf(const HeadReply& reply) {
    return decodeHeader(reply.bytes.data());
}

head::Side sideOf(const HeadReply& reply) {
    return head::sideOf(reply.bytes[head::kSerialStatus]);
}

TEST(HeadResponderTest, ReturnHasFullLengthAndRequestedSide) {
    HeadResponder head(1);
    const HeadReply port = head.respond(request(SwitchCommand::kPort));
    const HeadReply starboard = head.respond(request(SwitchCommand::kStarboard));
    ASSERT_EQ(port.bytes.size(), 1013u);
    ASSERT_EQ(starboard.bytes.size(), 1013u);
    EXPECT_EQ(sideOf(port), head::Side::Port);
    EXPECT_EQ(sideOf(starboard), head::Side::Starboard);
    EXPECT_EQ(headerOf(port).headerTag.size(), 3u);
    EXPECT_FALSE(headerOf(port).noRxData);
    EXPECT_FALSE(port.closeConnection);
    EXPECT_GT(*std::max_element(port.bytes.begin() + 12, port.bytes.end() - 1), 100)
        << "a normal return carries echoes";
}

TEST(HeadResponderTest, EachSettingIsAppliedAndEchoedUnderItsRunType) {
    HeadResponder head(1);
    SwitchCommand c = request(SwitchCommand::kPort, SwitchCommand::ApplyMode);
    c.setModeFreq(2);
    c.setRangeIndex(12);
    c.setGainBalance(45);
    DecodedHeader d = headerOf(head.respond(c));
    EXPECT_EQ(d.runType, 1);
    EXPECT_EQ(d.echoValue, 2);
    EXPECT_EQ(head.applied().modeFreq, 2);
    EXPECT_EQ(head.applied().rangeIndex, 9) << "only the named setting is applied";

    c.setLinkCommand(SwitchCommand::ApplyRange);
    d = headerOf(head.respond(c));
    EXPECT_EQ(d.runType, 2);
    EXPECT_EQ(d.echoValue, 12);
    EXPECT_EQ(head.applied().rangeIndex, 12);
    EXPECT_EQ(head.applied().gainBalance, 30);

    c.setLinkCommand(SwitchCommand::ApplyBalance);
    d = headerOf(head.respond(c));
    EXPECT_EQ(d.runType, 3);
    EXPECT_EQ(d.echoValue, 45);
    EXPECT_EQ(head.applied().gainBalance, 45);
}

TEST(HeadResponderTest, ClientHandshakeWalksModeRangeBalanceToIdle) {
    HeadResponder head(1);
    HeadSettings client;
    client.command().setModeFreq(1);
    client.command().setRangeIndex(11);
    client.command().setGainBalance(40);
    client.armHandshake();
    PingBuffer ping;
    std::vector<int> linkSent;
    for (int i = 0; i < 5; ++i) {
        client.command().setSideRequest(SwitchCommand::kPort);
        const HeadReply port = head.respond(client.command());
        ASSERT_EQ(ping.acceptReturn(port.bytes.data(), port.bytes.size()), head::Side::Port);
        client.command().setSideRequest(SwitchCommand::kStarboard);
        linkSent.push_back(client.command().linkCommand());
        const HeadReply starboard = head.respond(client.command());
        ASSERT_EQ(ping.acceptReturn(starboard.bytes.data(), starboard.bytes.size()),
                  head::Side::Starboard);
        client.applyHandshake(decodeHeader(ping.header()));
    }
    EXPECT_EQ(linkSent, (std::vector<int>{1, 2, 3, 0, 0}));
    EXPECT_FALSE(client.handshakeArmed());
    EXPECT_EQ(head.applied().modeFreq, 1);
    EXPECT_EQ(head.applied().rangeIndex, 11);
    EXPECT_EQ(head.applied().gainBalance, 40);
}

TEST(HeadResponderTest, PlainRequestReportsTheAppliedRangeNotTheRequestedOne) {
    HeadResponder head(1);
    SwitchCommand c = request(SwitchCommand::kStarboard, SwitchCommand::ApplyRange);
    c.setRangeIndex(13);
    head.respond(c);
    c.setLinkCommand(SwitchCommand::None);
    c.setRangeIndex(6);
    c.setModeFreq(2);
    const DecodedHeader d = headerOf(head.respond(c));
    EXPECT_EQ(d.runType, 0);
    EXPECT_EQ(d.echoValue, 13);
    EXPECT_EQ(head.applied().rangeIndex, 13);
    EXPECT_EQ(head.applied().modeFreq, 0);
}

TEST(HeadResponderTest, UnknownLinkCommandIsAPlainRequest) {
    HeadResponder head(1);
    const DecodedHeader d = headerOf(head.respond(request(SwitchCommand::kPort, 9)));
    EXPECT_EQ(d.runType, 0);
    EXPECT_EQ(d.echoValue, 9);
}

TEST(HeadResponderTest, DataGainTravelsInEveryCommand) {
    HeadResponder head(1);
    SwitchCommand c = request(SwitchCommand::kPort);
    c.setDataGain(33);
    head.respond(c);
    EXPECT_EQ(head.applied().dataGain, 33);
}

TEST(HeadResponderTest, StarboardAfterPortCompletesThePing) {
    HeadResponder head(1);
    EXPECT_TRUE(head.opensPing(request(SwitchCommand::kPort)));
    head.respond(request(SwitchCommand::kPort));
    EXPECT_EQ(head.pingNumber(), 1u);
    EXPECT_FALSE(head.opensPing(request(SwitchCommand::kStarboard)));
    EXPECT_TRUE(head.opensPing(request(SwitchCommand::kPort)));
    head.respond(request(SwitchCommand::kStarboard));
    EXPECT_EQ(head.pingNumber(), 1u);
    EXPECT_TRUE(head.opensPing(request(SwitchCommand::kStarboard)));
    head.respond(request(SwitchCommand::kStarboard));
    EXPECT_EQ(head.pingNumber(), 2u);
}

// Runs whole pings and records per return whether it flagged no receive data.
std::vector<bool> noRxFlags(HeadResponder& head, int pings) {
    std::vector<bool> flags;
    for (int i = 0; i < pings; ++i) {
        for (std::uint8_t side : {SwitchCommand::kPort, SwitchCommand::kStarboard}) {
            flags.push_back(headerOf(head.respond(request(side))).noRxData);
        }
    }
    return flags;
}

TEST(HeadResponderTest, NoRxEveryNthPingFlagsBothReturns) {
    FaultPlan faults;
    faults.noRxEvery = 3;
    HeadResponder head(1, faults);
    EXPECT_EQ(noRxFlags(head, 6), (std::vector<bool>{false, false, false, false, true, true, false,
                                                     false, false, false, true, true}));
}

TEST(HeadResponderTest, NoRxReturnCarriesNoEchoes) {
    FaultPlan faults;
    faults.noRxEvery = 1;
    HeadResponder head(1, faults);
    const HeadReply reply = head.respond(request(SwitchCommand::kPort));
    ASSERT_TRUE(headerOf(reply).noRxData);
    EXPECT_TRUE(std::all_of(reply.bytes.begin() + 12, reply.bytes.end() - 1,
                            [](std::uint8_t v) { return v == 0; }));
}

TEST(HeadResponderTest, WrongSideEveryNthReturnIsDiscardedByTheClient) {
    FaultPlan faults;
    faults.wrongSideEvery = 3;
    HeadResponder head(1, faults);
    std::vector<head::Side> sides;
    for (int i = 0; i < 3; ++i) {
        sides.push_back(sideOf(head.respond(request(SwitchCommand::kPort))));
        sides.push_back(sideOf(head.respond(request(SwitchCommand::kStarboard))));
    }
    using S = head::Side;
    EXPECT_EQ(sides, (std::vector<S>{S::Port, S::Starboard, S::Discarded, S::Starboard, S::Port,
                                     S::Discarded}));
}

TEST(HeadResponderTest, CloseAfterCountsCompletePings) {
    FaultPlan faults;
    faults.closeAfter = 2;
    HeadResponder head(1, faults);
    EXPECT_FALSE(head.respond(request(SwitchCommand::kPort)).closeConnection);
    EXPECT_FALSE(head.respond(request(SwitchCommand::kStarboard)).closeConnection);
    EXPECT_FALSE(head.respond(request(SwitchCommand::kPort)).closeConnection);
    EXPECT_TRUE(head.respond(request(SwitchCommand::kStarboard)).closeConnection);
}

TEST(HeadResponderTest, WrongSideReturnIsNoCompletePing) {
    FaultPlan faults;
    faults.closeAfter = 1;
    faults.wrongSideEvery = 2;
    HeadResponder head(1, faults);
    head.respond(request(SwitchCommand::kPort));
    EXPECT_FALSE(head.respond(request(SwitchCommand::kStarboard)).closeConnection);
    head.respond(request(SwitchCommand::kPort));
    EXPECT_FALSE(head.respond(request(SwitchCommand::kStarboard)).closeConnection);
    EXPECT_TRUE(head.respond(request(SwitchCommand::kStarboard)).closeConnection);
}

TEST(HeadResponderTest, FaultCountsRestartWithEachConnection) {
    FaultPlan faults;
    faults.closeAfter = 2;
    faults.noRxEvery = 2;
    HeadResponder head(1, faults);
    noRxFlags(head, 1);
    head.startConnection();
    EXPECT_EQ(noRxFlags(head, 2), (std::vector<bool>{false, false, true, true}));
    head.startConnection();
    EXPECT_FALSE(head.respond(request(SwitchCommand::kStarboard)).closeConnection);
    EXPECT_TRUE(head.respond(request(SwitchCommand::kStarboard)).closeConnection);
    EXPECT_EQ(head.pingNumber(), 5u) << "the scene keeps moving across connections";
}

}  // namespace

namespace {

TEST(HeadResponderTest, EachSideCarriesItsOwnSideOfTheScene) {
    HeadResponder head(7);
    headsim::Scene scene(7);
    std::vector<std::uint8_t> expected(HeadResponder::kSamplesTotal / 2);
    for (std::uint8_t side : {SwitchCommand::kPort, SwitchCommand::kStarboard}) {
        const HeadReply reply = head.respond(request(side));
        scene.render(head.pingNumber(), side == SwitchCommand::kStarboard, head.applied(),
                     expected.data(), expected.size());
        const auto echoes = reply.bytes.begin() + head::kHeaderBytes;
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), echoes)) << int(side);
    }
}

TEST(HeadResponderTest, SilentAfterAndLongReturnFaults) {
    FaultPlan faults;
    faults.silentAfter = 3;
    faults.longReturnAt = 2;
    HeadResponder head(1, faults);
    std::vector<std::size_t> lengths;
    for (int i = 0; i < 5; ++i) {
        lengths.push_back(
            head.respond(request(i % 2 ? SwitchCommand::kStarboard : SwitchCommand::kPort))
                .bytes.size());
    }
    EXPECT_EQ(lengths, (std::vector<std::size_t>{1013, 1113, 1013, 0, 0}));
    head.startConnection();
    EXPECT_EQ(head.respond(request(SwitchCommand::kPort)).bytes.size(), 1013u);
}

}  // namespace
