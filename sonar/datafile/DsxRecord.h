#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "datafile/PingRecord.h"

// The ".dsx" ping record: a 1000-byte header block, the samples, ten 100-byte sentence slots and
// a 96-byte trailer. No file header, so every record stands alone. Big-endian.
class DsxRecord {
  public:
    static constexpr std::size_t kHeaderBlock = 1000;
    static constexpr std::size_t kSentenceSlots = 10;
    static constexpr std::size_t kSlotBytes = 100;
    static constexpr std::size_t kSentenceBlock = kSentenceSlots * kSlotBytes;
    static constexpr std::size_t kTrailer = 96;
    static constexpr std::size_t kFixedBytes = kHeaderBlock + kSentenceBlock + kTrailer;

    static constexpr std::size_t kSignature = 0;  // "dsx" and a zero byte
    static constexpr std::size_t kPingNumber = 4;
    static constexpr std::size_t kRecordSize = 8;
    static constexpr std::size_t kSamplesPerSide = 10;
    static constexpr std::size_t kLayoutByte12 = 12;
    static constexpr std::size_t kLayoutByte13 = 13;
    static constexpr std::size_t kSentenceSet = 14;
    static constexpr std::size_t kSentenceOffsetWord = 15;
    static constexpr std::size_t kEventWord = 17;
    static constexpr std::size_t kDateText = 19;
    static constexpr std::size_t kTimeText = 31;
    static constexpr std::size_t kMillisecondText = 40;
    static constexpr std::size_t kModeFreq = 45;
    static constexpr std::size_t kRangeIndex = 46;
    static constexpr std::size_t kDataGain = 47;
    static constexpr std::size_t kGainBalance = 48;
    static constexpr std::size_t kPingInterval = 49;
    static constexpr std::size_t kMarker51 = 51;
    static constexpr std::size_t kMarker52 = 52;
    static constexpr std::size_t kHeadHeader = 53;
    static constexpr std::size_t kTrailerWord = 94;  // within the trailer

    // Bytes a record must show before its length is known.
    static constexpr std::size_t kPrefixBytes = 12;

    // Record length for a ping of samplesTotal samples; 0 when such a ping does not fit the
    // layout (no samples, or more than the 16-bit record size can state).
    static std::size_t encodedSize(int samplesTotal);

    // Writes the record of rec into out, which must hold encodedSize() bytes. False (out
    // untouched) when the ping does not fit the layout or out is too small.
    static bool encode(const PingRecord& rec, std::span<std::uint8_t> out);

    // The record size a record's first bytes state; nullopt when they are too few or the
    // signature is wrong.
    static std::optional<std::size_t> statedLength(std::span<const std::uint8_t> prefix);

    // Decodes the record at the start of bytes and returns its size (the step to the next
    // record). nullopt, with out untouched, for a bad record: wrong signature, or a length or
    // sample count that does not fit the bytes.
    static std::optional<std::size_t> decode(std::span<const std::uint8_t> bytes, PingRecord& out);
};
