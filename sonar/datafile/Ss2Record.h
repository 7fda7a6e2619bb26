#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "datafile/PingRecord.h"

// The compact ".ss2" ping record: a 100-byte header with settings and GPS texts, the head
// header, the samples, a terminator and zero padding up to 2560 bytes. Big-endian; there is no
// signature test on reading.
class Ss2Record {
  public:
    static constexpr std::size_t kRecordBytes = 2560;
    static constexpr std::size_t kHeaderBytes = 100;

    static constexpr std::size_t kSignature = 0;  // 'S', 'S', '2', 0
    static constexpr std::size_t kRecordLength = 4;
    static constexpr std::size_t kReturnLength = 6;  // samplesTotal + 13
    static constexpr std::size_t kDateText = 8;
    static constexpr std::size_t kTimeText = 20;
    static constexpr std::size_t kRangeIndex = 38;
    static constexpr std::size_t kDataGain = 39;
    static constexpr std::size_t kGpsPresent = 47;
    static constexpr std::size_t kLatitudeText = 48;
    static constexpr std::size_t kLongitudeText = 59;
    static constexpr std::size_t kPingInterval = 71;
    static constexpr std::size_t kSpeed = 73;
    static constexpr std::size_t kHeading = 74;
    static constexpr std::size_t kModeFreq = 76;
    static constexpr std::size_t kGainBalance = 77;
    static constexpr std::size_t kGpsDateText = 78;
    static constexpr std::size_t kGpsTimeText = 87;
    static constexpr std::size_t kHeadHeader = 100;
    static constexpr std::size_t kSamples = 112;
    static constexpr std::size_t kBackLink = 2558;

    static constexpr std::size_t kLatitudeChars = 11;
    static constexpr std::size_t kLongitudeChars = 12;
    static constexpr std::uint8_t kTerminator = 0xFC;
    static constexpr std::uint8_t kGpsPresentValue = 0x20;

    // The back-link word: one value in the first record written since the program started,
    // another in every later one.
    static constexpr std::uint16_t kBackLinkFirst = 2560;
    static constexpr std::uint16_t kBackLinkLater = 5120;

    static constexpr std::size_t kPrefixBytes = 8;
    // The most samples a 2560-byte record holds besides its terminator and back-link.
    static constexpr int kMaxEncodedSamples = static_cast<int>(kBackLink - kSamples - 1);

    // Writes the 2560-byte record of rec into out. False (out untouched) when the ping has more
    // samples than the record holds or out is too small.
    static bool encode(const PingRecord& rec, std::uint16_t backLink, std::span<std::uint8_t> out);

    // The record length a record's first bytes state; nullopt when they are too few.
    static std::optional<std::size_t> statedLength(std::span<const std::uint8_t> prefix);

    // Decodes the record at the start of bytes and returns its stated length (the step to the
    // next record). nullopt, with out untouched, when the length or sample count does not fit.
    static std::optional<std::size_t> decode(std::span<const std::uint8_t> bytes, PingRecord& out);
};
