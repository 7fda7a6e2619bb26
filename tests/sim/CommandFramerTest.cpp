#include "headsim/CommandFramer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using headsim::CommandFramer;

SwitchCommand commandWith(std::uint8_t range, std::uint8_t side, std::uint8_t link) {
    SwitchCommand c;
    c.setRangeIndex(range);
    c.setSideRequest(side);
    c.setLinkCommand(link);
    return c;
}

void append(std::vector<std::uint8_t>& stream, const SwitchCommand& c) {
    stream.insert(stream.end(), c.bytes().begin(), c.bytes().end());
}

std::vector<SwitchCommand> feedInTwo(const std::vector<std::uint8_t>& stream, std::size_t cut) {
    CommandFramer framer;
    std::vector<SwitchCommand> out;
    framer.feed(stream.data(), cut, out);
    framer.feed(stream.data() + cut, stream.size() - cut, out);
    return out;
}

// Garbage that holds start and end bytes, so resync cannot just look for 0xFE.
const std::vector<std::uint8_t> kGarbage = {0x00, 0xFE, 0x13, 0xFD, 0x44, 0xFE, 0xFE, 0x01, 0xFD};

class CommandFramerTest : public ::testing::Test {
  protected:
    SwitchCommand first_ = commandWith(9, SwitchCommand::kPort, 1);
    SwitchCommand second_ = commandWith(12, SwitchCommand::kStarboard, 0);
};

TEST_F(CommandFramerTest, SplitAtEveryBytePositionYieldsBothCommands) {
    std::vector<std::uint8_t> stream;
    append(stream, first_);
    append(stream, second_);
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        const auto out = feedInTwo(stream, cut);
        ASSERT_EQ(out.size(), 2u) << "cut at " << cut;
        EXPECT_EQ(out[0].bytes(), first_.bytes()) << "cut at " << cut;
        EXPECT_EQ(out[1].bytes(), second_.bytes()) << "cut at " << cut;
    }
}

TEST_F(CommandFramerTest, OneByteAtATimeStillFrames) {
    std::vector<std::uint8_t> stream;
    append(stream, first_);
    append(stream, second_);
    CommandFramer framer;
    std::vector<SwitchCommand> out;
    for (std::size_t i = 0; i < stream.size(); ++i) {
        framer.feed(&stream[i], 1, out);
        EXPECT_EQ(out.size(), (i + 1) / SwitchCommand::kSize);
    }
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[1].rangeIndex(), 12);
}

TEST_F(CommandFramerTest, GarbageBeforeAndBetweenCommandsIsSkippedAtEveryCut) {
    std::vector<std::uint8_t> stream = kGarbage;
    append(stream, first_);
    stream.insert(stream.end(), kGarbage.begin(), kGarbage.end());
    append(stream, second_);
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        const auto out = feedInTwo(stream, cut);
        ASSERT_EQ(out.size(), 2u) << "cut at " << cut;
        EXPECT_EQ(out[0].bytes(), first_.bytes()) << "cut at " << cut;
        EXPECT_EQ(out[1].bytes(), second_.bytes()) << "cut at " << cut;
    }
}

TEST_F(CommandFramerTest, CountsDiscardedGarbage) {
    std::vector<std::uint8_t> stream = kGarbage;
    append(stream, first_);
    CommandFramer framer;
    std::vector<SwitchCommand> out;
    framer.feed(stream.data(), stream.size(), out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(framer.discardedBytes(), kGarbage.size());
    EXPECT_EQ(framer.pendingBytes(), 0u);
}

TEST_F(CommandFramerTest, StartByteWithoutEndByteIsNoFrame) {
    // A full command's length behind a stray start byte, but the wrong closing byte.
    std::vector<std::uint8_t> stream(SwitchCommand::kSize, 0x20);
    stream[0] = 0xFE;
    append(stream, first_);
    CommandFramer framer;
    std::vector<SwitchCommand> out;
    framer.feed(stream.data(), stream.size(), out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].bytes(), first_.bytes());
}

TEST_F(CommandFramerTest, PartialCommandIsKeptUntilComplete) {
    CommandFramer framer;
    std::vector<SwitchCommand> out;
    framer.feed(first_.bytes().data(), SwitchCommand::kSize - 1, out);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(framer.pendingBytes(), SwitchCommand::kSize - 1);
    framer.feed(first_.bytes().data() + SwitchCommand::kSize - 1, 1, out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].bytes(), first_.bytes());
}

TEST_F(CommandFramerTest, EmptyAndNullInputChangeNothing) {
    CommandFramer framer;
    std::vector<SwitchCommand> out;
    framer.feed(nullptr, 10, out);
    framer.feed(first_.bytes().data(), 0, out);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(framer.pendingBytes(), 0u);
}

TEST_F(CommandFramerTest, PendingGarbageStaysBounded) {
    CommandFramer framer;
    std::vector<SwitchCommand> out;
    const std::vector<std::uint8_t> noise(10000, 0xFE);
    framer.feed(noise.data(), noise.size(), out);
    EXPECT_TRUE(out.empty());
    EXPECT_LT(framer.pendingBytes(), SwitchCommand::kSize);
}

}  // namespace
