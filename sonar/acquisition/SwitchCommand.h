#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The 27-byte request sent to the sonar head before each side's return. It carries the
// operating settings, the handshake byte and the side being asked for.
class SwitchCommand {
  public:
    static constexpr std::size_t kSize = 27;
    static constexpr std::size_t kRangeIndex = 3;
    static constexpr std::size_t kModeFreq = 7;
    static constexpr std::size_t kDataGain = 8;
    static constexpr std::size_t kGainBalance = 10;
    static constexpr std::size_t kLinkCommand = 13;
    static constexpr std::size_t kSideRequest = 18;

    static constexpr std::uint8_t kRangeIndexMin = 5;
    static constexpr std::uint8_t kRangeIndexMax = 15;
    static constexpr std::uint8_t kDataGainMax = 100;

    // linkCommand: which setting the head is asked to apply.
    enum LinkCommand : std::uint8_t { None = 0, ApplyMode = 1, ApplyRange = 2, ApplyBalance = 3 };
    // sideRequest values.
    static constexpr std::uint8_t kPort = 0;
    static constexpr std::uint8_t kStarboard = 2;

    SwitchCommand();

    const std::array<std::uint8_t, kSize>& bytes() const { return bytes_; }

    std::uint8_t rangeIndex() const { return bytes_[kRangeIndex]; }
    std::uint8_t modeFreq() const { return bytes_[kModeFreq]; }
    std::uint8_t dataGain() const { return bytes_[kDataGain]; }
    std::uint8_t gainBalance() const { return bytes_[kGainBalance]; }
    std::uint8_t linkCommand() const { return bytes_[kLinkCommand]; }
    std::uint8_t sideRequest() const { return bytes_[kSideRequest]; }

    void setRangeIndex(std::uint8_t v) { bytes_[kRangeIndex] = v; }
    void setModeFreq(std::uint8_t v) { bytes_[kModeFreq] = v; }
    void setDataGain(std::uint8_t v) { bytes_[kDataGain] = v; }
    void setGainBalance(std::uint8_t v) { bytes_[kGainBalance] = v; }
    void setLinkCommand(std::uint8_t v) { bytes_[kLinkCommand] = v; }
    void setSideRequest(std::uint8_t v) { bytes_[kSideRequest] = v; }

    // Parses a command received by a head; false when the frame bytes are wrong.
    static bool parse(const std::uint8_t* data, std::size_t len, SwitchCommand& out);

  private:
    std::array<std::uint8_t, kSize> bytes_;
};

// Range index 5..15 to the one-sided range in metres; any other index gives 200 m.
int rangeMetres(int rangeIndex);
// Metres back to a range index (files that store metres); unknown values give 15.
int rangeIndexFromMetres(int metres);
