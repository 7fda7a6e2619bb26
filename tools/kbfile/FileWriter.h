#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kbfile {

// A file written front to back with large writes; the caller batches the bytes.
class FileWriter {
  public:
    FileWriter() = default;
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Creates or truncates path. False with error() set when it cannot.
    bool open(const std::string& path);
    // Creates path, which must not exist yet, with the permissions the umask leaves.
    bool create(const std::string& path);
    bool isOpen() const { return fd_ >= 0; }
    bool write(std::span<const std::uint8_t> bytes);
    // Overwrites bytes already written, at offset from the start.
    bool writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    // Drops everything written; the next write starts the file again.
    bool truncate();
    // Closes the file; false when the last bytes did not reach it.
    bool close();
    // errno of the last failure.
    int error() const { return error_; }

  private:
    bool openWith(const std::string& path, int flags, unsigned mode);

    int fd_ = -1;
    int error_ = 0;
};

}  // namespace kbfile
