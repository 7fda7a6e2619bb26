#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "datafile/ByteSource.h"
#include "datafile/PingRecord.h"

enum class ReadStatus {
    Ok,
    EndOfData,  // the position lies at or past the end: playback wraps
    BadRecord,  // wrong signature, or a record that does not fit the file: playback stops
};

struct ReadResult {
    ReadStatus status = ReadStatus::EndOfData;
    std::uint64_t next = 0;  // where the following record starts (Ok only)
};

// Walks the records or pings of a recorded data file of one kind. File access stays here; the
// record codecs only see the bytes of one record.
class RecordReader {
  public:
    // What playback shows before it stops on a BadRecord.
    static constexpr char kUnknownFormatMessage[] = "Unknown file format!";
    static constexpr std::uint64_t kDsxDefaultRecordSize = 4096;

    RecordReader(ByteSource& source, SourceKind kind);

    SourceKind kind() const { return kind_; }
    // Where the first record starts: after the XTF file header, else at 0.
    std::uint64_t firstPosition() const;
    // XTF: the file header names this program. The own formats have no file header.
    bool checkFileHeader();

    // Reads the record at position into out; a position inside the XTF file header reads the
    // first ping. On anything but Ok, out is untouched.
    ReadResult readAt(std::uint64_t position, PingRecord& out);

    // Sequential walk from position(): Ok moves past the record read, anything else stays put.
    ReadStatus next(PingRecord& out);
    std::uint64_t position() const { return position_; }
    void seek(std::uint64_t position) { position_ = position; }

    // The record start playback uses for a slider position: .dsx rounds down to the last record
    // size read; .ss2 and XTF search forward for the next whole record whose successor starts
    // where it ends, skipping look-alike bytes in echo data (the file's end when there is none).
    std::uint64_t recordStartNear(std::uint64_t position);

    // When a record starts at position but the data ends before it does: the length its first
    // bytes state, or 0 when the data ends before even those. Nothing when the record fits, is
    // not there, or its first bytes are no record start. A recording cut off by a power loss
    // leaves such a record at the end of its file.
    std::optional<std::uint64_t> cutShortLength(std::uint64_t position);

  private:
    std::uint64_t searchForward(std::uint64_t from, std::span<const std::uint8_t> pattern);
    std::uint64_t searchRecord(std::uint64_t from, std::span<const std::uint8_t> start);

    ByteSource& source_;
    SourceKind kind_;
    std::uint64_t position_;
    std::uint64_t dsxRecordSize_ = kDsxDefaultRecordSize;
    std::vector<std::uint8_t> scratch_;
};
