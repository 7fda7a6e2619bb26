#include "datafile/RecordFile.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace {
// Only ordinary files are cut back or removed: a record path may name a device.
bool isRegularFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}
}  // namespace

std::optional<RecordFile> RecordFile::create(const std::string& path, SourceKind kind,
                                             int samplesTotal) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return std::nullopt;
    }
    // Unbuffered: each record goes to the system in one write and is not held back in memory.
    std::setvbuf(file, nullptr, _IONBF, 0);
    RecordFile record(path, kind, file);
    if (!record.writeAll(RecordWriter::fileStart(kind, path, samplesTotal))) {
        record.close();
        return std::nullopt;
    }
    return record;
}

RecordFile::RecordFile(std::string path, SourceKind kind, std::FILE* file)
    : path_(std::move(path)), kind_(kind), file_(file), owned_(true) {}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : path_(std::move(other.path_)),
      kind_(other.kind_),
      file_(std::exchange(other.file_, nullptr)),
      owned_(std::exchange(other.owned_, false)),
      length_(other.length_),
      pingsWritten_(other.pingsWritten_),
      buffer_(std::move(other.buffer_)) {}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
    if (this != &other) {
        close();
        path_ = std::move(other.path_);
        kind_ = other.kind_;
        file_ = std::exchange(other.file_, nullptr);
        owned_ = std::exchange(other.owned_, false);
        length_ = other.length_;
        pingsWritten_ = other.pingsWritten_;
        buffer_ = std::move(other.buffer_);
    }
    return *this;
}

RecordFile::~RecordFile() {
    close();
}

RecordWriteStatus RecordFile::writePing(RecordWriter& writer, const PingRecord& rec,
                                        DiskSpace& disk) {
    if (file_ == nullptr) {
        return RecordWriteStatus::WriteFailed;
    }
    const std::optional<std::uint64_t> free = disk.freeBytes(path_);
    if (free && *free < kMinFreeBytes) {
        return RecordWriteStatus::DiskFull;
    }
    buffer_.clear();
    if (!writer.appendPing(kind_, rec, buffer_)) {
        return RecordWriteStatus::PingDoesNotFit;
    }
    if (!writeAll(buffer_)) {
        cutBackAfterFailure();
        return RecordWriteStatus::WriteFailed;
    }
    ++pingsWritten_;
    return RecordWriteStatus::Ok;
}

void RecordFile::close() {
    if (!owned_) {
        return;
    }
    release();
    owned_ = false;
    if (pingsWritten_ == 0 && isRegularFile(path_)) {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
}

bool RecordFile::writeAll(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) {
        return true;
    }
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file_);
    if (written != bytes.size() || std::fflush(file_) != 0) {
        return false;
    }
    length_ += bytes.size();
    return true;
}

// What a failed write left of its record would play back as a damaged record; the file is
// closed and trimmed to the records written whole.
void RecordFile::cutBackAfterFailure() {
    release();
    if (isRegularFile(path_)) {
        std::error_code ec;
        std::filesystem::resize_file(path_, length_, ec);
    }
}

void RecordFile::release() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}
