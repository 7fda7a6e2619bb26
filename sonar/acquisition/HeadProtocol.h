#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "acquisition/SwitchCommand.h"

// Layout of one side's return from the head: 12 header bytes, samplesTotal/2 echoes, one
// terminator byte.
namespace head {
constexpr std::size_t kHeaderBytes = 12;
constexpr std::size_t kSerialStatus = 3;
constexpr std::size_t kNoRxByte = 9;
constexpr std::uint8_t kNoRxMask = 0x40;
constexpr int kLiveSamplesTotal = 2000;

constexpr std::size_t returnLength(int samplesTotal) {
    return static_cast<std::size_t>(samplesTotal / 2) + kHeaderBytes + 1;
}

enum class Side { Port, Starboard, Discarded };

// Bits 0-2 of serialStatus name the side of a return.
Side sideOf(std::uint8_t serialStatus);

// statusWord packs 23 bits into the low bits of header bytes 4..7.
std::uint32_t packStatusWord(const std::uint8_t* header);
// The inverse, for producers of headers (the simulator, files written in tests).
void unpackStatusWord(std::uint32_t word, std::uint8_t* header);
// runType in bits 1-4, echoValue in bits 5-12.
std::uint32_t makeStatusWord(int runType, int echoValue);
}  // namespace head

// The assembled ping: 12 header bytes then samplesTotal echoes, port half reversed so the buffer
// runs from the outermost port sample to the outermost starboard sample.
class PingBuffer {
  public:
    explicit PingBuffer(int samplesTotal = head::kLiveSamplesTotal) { resize(samplesTotal); }

    void resize(int samplesTotal);
    int samplesTotal() const { return samplesTotal_; }

    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }
    const std::uint8_t* header() const { return bytes_.data(); }
    const std::uint8_t* samples() const { return bytes_.data() + head::kHeaderBytes; }
    std::uint8_t* samples() { return bytes_.data() + head::kHeaderBytes; }

    // Validates one return of exactly returnLength(samplesTotal) bytes and copies it into the
    // buffer. A return of any other length or of an unknown side changes nothing.
    head::Side acceptReturn(const std::uint8_t* ret, std::size_t len);

  private:
    int samplesTotal_ = 0;
    std::vector<std::uint8_t> bytes_;
};

// The values decoded from a ping's header (shown by the diagnostics).
struct DecodedHeader {
    std::string headerTag;
    std::uint8_t serialStatus = 0;
    std::uint32_t statusWord = 0;
    int runType = 0;
    int echoValue = 0;
    bool noRxData = false;
};

DecodedHeader decodeHeader(const std::uint8_t* header);

// The live side of the protocol: the one SwitchCommand and the acknowledgement handshake by which
// changed settings are handed to the head.
class HeadSettings {
  public:
    SwitchCommand& command() { return command_; }
    const SwitchCommand& command() const { return command_; }

    bool handshakeArmed() const { return handshakeArmed_; }
    // Connection and settings load: walk the head through mode, range and balance again.
    void armHandshake();
    void applyHandshake(const DecodedHeader& decoded);

    bool rangeUp();
    bool rangeDown();
    bool gainUp();
    bool gainDown();

  private:
    SwitchCommand command_;
    bool handshakeArmed_ = true;
};
