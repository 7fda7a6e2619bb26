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
    bool isOpen() const { return fd_ >= 0; }
    bool write(std::span<const std::uint8_t> bytes);
    // Closes the file; false when the last bytes did not reach it.
    bool close();
    // errno of the last failure.
    int error() const { return error_; }

  private:
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace kbfile
