#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "datafile/DiskSpace.h"
#include "datafile/PingRecord.h"
#include "datafile/RecordWriter.h"

enum class RecordWriteStatus {
    Ok,
    DiskFull,        // too little space left: nothing written, the recording should stop
    WriteFailed,     // the file refused the bytes: the recording should stop
    PingDoesNotFit,  // the ping has more samples than the record layout holds; nothing written
};

// One recording in progress: the open record file of one kind. Every ping reaches the file as
// soon as it is written, so a program crash loses at most the ping being written; a failed write
// is cut back off, so the file keeps whole records only. A file that received no ping is removed
// when it is closed.
class RecordFile {
  public:
    static constexpr char kOpenFailedMessage[] = "Error Opening File!";
    static constexpr char kDiskFullMessage[] =
        "WARNING! The disk is full!!\nSaving process will stop!";
    static constexpr char kWriteFailedMessage[] = "Error Writing File!\nSaving process will stop!";
    // Below this many free bytes no ping is written.
    static constexpr std::uint64_t kMinFreeBytes = 1000;

    // Creates (or truncates) the file at path and writes what a file of the kind starts with
    // (the XTF file header, named after the file name part of path, for pings of samplesTotal
    // samples). Nothing when the file cannot be created or its start not written.
    static std::optional<RecordFile> create(const std::string& path, SourceKind kind,
                                            int samplesTotal);

    RecordFile(RecordFile&& other) noexcept;
    RecordFile& operator=(RecordFile&& other) noexcept;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile();

    // Checks the free space on the volume of the record file, then appends one record of rec.
    // writer lives as long as the program (the .ss2 back-link depends on it).
    RecordWriteStatus writePing(RecordWriter& writer, const PingRecord& rec, DiskSpace& disk);

    // Closes the file; removes it when it holds no ping. Later writes fail.
    void close();

    const std::string& path() const { return path_; }
    SourceKind kind() const { return kind_; }
    bool isOpen() const { return file_ != nullptr; }
    // Bytes in the file, for the "Saved: %d kBytes" text.
    std::uint64_t length() const { return length_; }
    int savedKBytes() const { return static_cast<int>(length_ / 1024); }
    std::uint64_t pingsWritten() const { return pingsWritten_; }

  private:
    RecordFile(std::string path, SourceKind kind, std::FILE* file);
    bool writeAll(const std::vector<std::uint8_t>& bytes);
    void cutBackAfterFailure();
    void release();

    std::string path_;
    SourceKind kind_ = SourceKind::Dsx;
    std::FILE* file_ = nullptr;
    bool owned_ = false;  // false once moved from: the file is someone else's to close
    std::uint64_t length_ = 0;
    std::uint64_t pingsWritten_ = 0;
    std::vector<std::uint8_t> buffer_;
};
