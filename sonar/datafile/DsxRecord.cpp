#include "datafile/DsxRecord.h"

#include <algorithm>
#include <cstring>

#include "datafile/ByteOrder.h"
#include "datafile/FieldText.h"

namespace {
constexpr char kSignatureText[] = "dsx";
constexpr std::size_t kSignatureChars = 3;
constexpr std::uint8_t kLayoutByte12Value = 1;
constexpr std::uint8_t kLayoutByte13Value = 8;
constexpr std::uint8_t kSentenceSetBase = 4;
constexpr std::uint16_t kSentenceOffsetValue = 3000;
constexpr std::uint8_t kMarker51Value = 0x3A;
constexpr std::uint8_t kMarker52Value = 0x98;
constexpr std::size_t kDateChars = 11;
constexpr std::size_t kTimeChars = 8;
constexpr std::size_t kMillisecondChars = 4;
constexpr std::size_t kMillisecondDigits = 3;
constexpr std::size_t kMaxRecordSize = 0xFFFF;

bool signatureMatches(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kSignatureChars &&
           std::memcmp(bytes.data(), kSignatureText, kSignatureChars) == 0;
}

void putHeaderBlock(const PingRecord& rec, std::uint16_t recordSize, std::uint16_t perSide,
                    std::span<std::uint8_t> out) {
    using namespace byteorder;
    std::uint8_t* p = out.data();
    std::memcpy(p + DsxRecord::kSignature, kSignatureText, sizeof kSignatureText);
    putBe32(p + DsxRecord::kPingNumber, rec.pingNumber);
    putBe16(p + DsxRecord::kRecordSize, recordSize);
    putBe16(p + DsxRecord::kSamplesPerSide, perSide);
    p[DsxRecord::kLayoutByte12] = kLayoutByte12Value;
    p[DsxRecord::kLayoutByte13] = kLayoutByte13Value;
    p[DsxRecord::kSentenceSet] =
        static_cast<std::uint8_t>((static_cast<int>(rec.sentenceSet) & 3) * 16 + kSentenceSetBase);
    putBe16(p + DsxRecord::kSentenceOffsetWord, kSentenceOffsetValue);
    // The event word stays 0: this program sets no event marks.
    fieldtext::putText(out, DsxRecord::kDateText, kDateChars, rec.dateText);
    fieldtext::putText(out, DsxRecord::kTimeText, kTimeChars, rec.timeText);
    fieldtext::putText(out, DsxRecord::kMillisecondText, kMillisecondChars, rec.millisecondText);
    p[DsxRecord::kModeFreq] = rec.modeFreq;
    p[DsxRecord::kRangeIndex] = rec.rangeIndex;
    p[DsxRecord::kDataGain] = rec.dataGain;
    p[DsxRecord::kGainBalance] = rec.gainBalance;
    putBe16(p + DsxRecord::kPingInterval, static_cast<std::uint16_t>(rec.pingIntervalMs));
    p[DsxRecord::kMarker51] = kMarker51Value;
    p[DsxRecord::kMarker52] = kMarker52Value;
    std::copy_n(rec.ping.header(), head::kHeaderBytes, p + DsxRecord::kHeadHeader);
}

void putSentences(const PingRecord& rec, std::span<std::uint8_t> block) {
    // A sentence longer than its slot is cut at the slot's end.
    for (std::size_t i = 0; i < DsxRecord::kSentenceSlots; ++i) {
        fieldtext::putText(block, i * DsxRecord::kSlotBytes, DsxRecord::kSlotBytes,
                           rec.fix.tickSentences[i]);
    }
}

void readSentences(std::span<const std::uint8_t> block, PingRecord& out) {
    for (std::size_t i = 0; i < DsxRecord::kSentenceSlots; ++i) {
        out.fix.tickSentences[i] =
            fieldtext::textAt(block, i * DsxRecord::kSlotBytes, DsxRecord::kSlotBytes);
    }
}
}  // namespace

std::size_t DsxRecord::encodedSize(int samplesTotal) {
    const int perSide = samplesTotal / 2;
    if (2 * perSide < kMinSamplesTotal) {
        return 0;
    }
    const std::size_t size = kFixedBytes + 2 * static_cast<std::size_t>(perSide);
    return size <= kMaxRecordSize ? size : 0;
}

bool DsxRecord::encode(const PingRecord& rec, std::span<std::uint8_t> out) {
    const std::size_t size = encodedSize(rec.ping.samplesTotal());
    if (size == 0 || out.size() < size) {
        return false;
    }
    const std::size_t samples = size - kFixedBytes;
    out = out.first(size);
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    putHeaderBlock(rec, static_cast<std::uint16_t>(size), static_cast<std::uint16_t>(samples / 2),
                   out);
    std::copy_n(rec.ping.samples(), samples, out.data() + kHeaderBlock);
    putSentences(rec, out.subspan(kHeaderBlock + samples, kSentenceBlock));
    byteorder::putBe16(out.data() + kHeaderBlock + samples + kSentenceBlock + kTrailerWord,
                       static_cast<std::uint16_t>(2 * size));
    return true;
}

std::optional<std::size_t> DsxRecord::statedLength(std::span<const std::uint8_t> prefix) {
    if (prefix.size() < kPrefixBytes || !signatureMatches(prefix)) {
        return std::nullopt;
    }
    return byteorder::getBe16(prefix.data() + kRecordSize);
}

std::optional<std::size_t> DsxRecord::decode(std::span<const std::uint8_t> bytes, PingRecord& out) {
    using namespace byteorder;
    if (bytes.size() < kHeaderBlock || !signatureMatches(bytes)) {
        return std::nullopt;
    }
    const std::uint8_t* p = bytes.data();
    const std::size_t recordSize = getBe16(p + kRecordSize);
    const std::size_t perSide = getBe16(p + kSamplesPerSide);
    const std::size_t samples = 2 * perSide;
    if (perSide == 0 || recordSize < kFixedBytes + samples || recordSize > bytes.size()) {
        return std::nullopt;
    }

    out.pingNumber = getBe32(p + kPingNumber);
    out.sentenceSet = static_cast<GpsSentenceSet>(p[kSentenceSet] >> 4);
    out.dateText = fieldtext::textAt(bytes, kDateText, kDateChars + 1);
    out.timeText = fieldtext::textAt(bytes, kTimeText, kTimeChars + 1);
    out.millisecondText = "." + fieldtext::textAt(bytes, kMillisecondText + 1, kMillisecondDigits);
    out.modeFreq = p[kModeFreq];
    out.rangeIndex = p[kRangeIndex];
    out.dataGain = p[kDataGain];
    out.gainBalance = p[kGainBalance];
    out.pingIntervalMs = getBe16(p + kPingInterval);

    if (out.ping.samplesTotal() != static_cast<int>(samples)) {
        out.ping.resize(static_cast<int>(samples));
    }
    std::copy_n(p + kHeadHeader, head::kHeaderBytes, out.ping.data());
    std::copy_n(p + kHeaderBlock, samples, out.ping.samples());
    readSentences(bytes.subspan(kHeaderBlock + samples, kSentenceBlock), out);
    out.stored = {.header = true, .sentences = true, .gps = false};
    return recordSize;
}
