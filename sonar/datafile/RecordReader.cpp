#include "datafile/RecordReader.h"

#include <algorithm>
#include <array>
#include <optional>

#include "datafile/DsxRecord.h"
#include "datafile/Ss2Record.h"
#include "datafile/XtfLayout.h"
#include "datafile/XtfReader.h"

namespace {
constexpr std::array<std::uint8_t, 3> kSs2Start = {0x53, 0x53, 0x32};
constexpr std::array<std::uint8_t, 2> kXtfPingStart = {0xCE, 0xFA};  // 0xFACE, little-endian
constexpr std::size_t kSearchChunk = 4096;

constexpr std::size_t kMaxPrefixBytes =
    std::max({DsxRecord::kPrefixBytes, Ss2Record::kPrefixBytes, XtfReader::kPrefixBytes});

std::size_t prefixBytes(SourceKind kind) {
    switch (kind) {
        case SourceKind::Dsx:
            return DsxRecord::kPrefixBytes;
        case SourceKind::Ss2:
            return Ss2Record::kPrefixBytes;
        case SourceKind::Xtf:
            break;
    }
    return XtfReader::kPrefixBytes;
}

std::optional<std::size_t> statedLength(SourceKind kind, std::span<const std::uint8_t> prefix) {
    switch (kind) {
        case SourceKind::Dsx:
            return DsxRecord::statedLength(prefix);
        case SourceKind::Ss2:
            return Ss2Record::statedLength(prefix);
        case SourceKind::Xtf:
            break;
    }
    return XtfReader::statedLength(prefix);
}

std::optional<std::size_t> decode(SourceKind kind, std::span<const std::uint8_t> bytes,
                                  PingRecord& out) {
    switch (kind) {
        case SourceKind::Dsx:
            return DsxRecord::decode(bytes, out);
        case SourceKind::Ss2:
            return Ss2Record::decode(bytes, out);
        case SourceKind::Xtf:
            break;
    }
    return XtfReader::decodePing(bytes, out);
}
}  // namespace

RecordReader::RecordReader(ByteSource& source, SourceKind kind)
    : source_(source), kind_(kind), position_(firstPosition()) {}

std::uint64_t RecordReader::firstPosition() const {
    return kind_ == SourceKind::Xtf ? xtf::kFileHeaderBytes : 0;
}

bool RecordReader::checkFileHeader() {
    if (kind_ != SourceKind::Xtf) {
        return true;
    }
    scratch_.resize(xtf::kFileHeaderBytes);
    const std::size_t got = source_.readAt(0, scratch_);
    return XtfReader::checkFileHeader(std::span(scratch_).first(got));
}

ReadResult RecordReader::readAt(std::uint64_t position, PingRecord& out) {
    position = std::max(position, firstPosition());
    const std::uint64_t size = source_.size();
    if (position >= size) {
        return {ReadStatus::EndOfData, position};
    }
    const ReadResult bad{ReadStatus::BadRecord, position};
    const std::uint64_t available = size - position;

    // The prefix goes to a buffer of its own: shrinking and regrowing the record buffer would
    // zero-fill it again for every record.
    std::array<std::uint8_t, kMaxPrefixBytes> prefixBuffer{};
    const std::span<std::uint8_t> prefix(prefixBuffer.data(), prefixBytes(kind_));
    if (source_.readAt(position, prefix) != prefix.size()) {
        return bad;
    }
    const std::optional<std::size_t> length = statedLength(kind_, prefix);
    if (!length || *length > available) {
        return bad;
    }
    scratch_.resize(*length);
    if (source_.readAt(position, scratch_) != scratch_.size()) {
        return bad;
    }
    const std::optional<std::size_t> used = decode(kind_, scratch_, out);
    if (!used) {
        return bad;
    }
    if (kind_ == SourceKind::Dsx) {
        dsxRecordSize_ = *used;
    }
    return {ReadStatus::Ok, position + *used};
}

ReadStatus RecordReader::next(PingRecord& out) {
    const ReadResult r = readAt(position_, out);
    if (r.status == ReadStatus::Ok) {
        position_ = r.next;
    }
    return r.status;
}

std::uint64_t RecordReader::recordStartNear(std::uint64_t position) {
    switch (kind_) {
        case SourceKind::Dsx:
            return position - position % dsxRecordSize_;
        case SourceKind::Ss2:
            return searchRecord(position, kSs2Start);
        case SourceKind::Xtf:
            break;
    }
    return searchRecord(std::max(position, firstPosition()), kXtfPingStart);
}

// The first bytes of a record also occur inside echo data. A candidate counts only when it reads
// as a whole record and the next record starts where it says (or the file ends there); else the
// search goes on from the following byte.
std::uint64_t RecordReader::searchRecord(std::uint64_t from, std::span<const std::uint8_t> start) {
    const std::uint64_t size = source_.size();
    PingRecord candidate;
    std::vector<std::uint8_t> following(start.size());
    for (std::uint64_t at = searchForward(from, start); at < size;
         at = searchForward(at + 1, start)) {
        const ReadResult read = readAt(at, candidate);
        if (read.status != ReadStatus::Ok) {
            continue;
        }
        if (read.next == size || (source_.readAt(read.next, following) == following.size() &&
                                  std::equal(following.begin(), following.end(), start.begin()))) {
            return at;
        }
    }
    return size;
}

std::optional<std::uint64_t> RecordReader::cutShortLength(std::uint64_t position) {
    position = std::max(position, firstPosition());
    const std::uint64_t size = source_.size();
    if (position >= size) {
        return std::nullopt;
    }
    const std::uint64_t available = size - position;
    // Only asked after a failed read, so a buffer of its own costs nothing that matters.
    std::vector<std::uint8_t> prefix(prefixBytes(kind_));
    if (available < prefix.size() || source_.readAt(position, prefix) != prefix.size()) {
        return 0;
    }
    const std::optional<std::size_t> length = statedLength(kind_, prefix);
    if (!length || *length <= available) {
        return std::nullopt;
    }
    return *length;
}

std::uint64_t RecordReader::searchForward(std::uint64_t from,
                                          std::span<const std::uint8_t> pattern) {
    const std::uint64_t size = source_.size();
    std::vector<std::uint8_t> chunk(kSearchChunk + pattern.size() - 1);
    // Chunks overlap by one pattern length less one byte, so a match across a boundary is seen.
    for (std::uint64_t at = from; at < size; at += kSearchChunk) {
        const std::size_t got = source_.readAt(at, chunk);
        const auto end = chunk.begin() + static_cast<std::ptrdiff_t>(got);
        const auto hit = std::search(chunk.begin(), end, pattern.begin(), pattern.end());
        if (hit != end) {
            return at + static_cast<std::uint64_t>(hit - chunk.begin());
        }
    }
    return size;
}
