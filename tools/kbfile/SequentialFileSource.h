#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "datafile/ByteSource.h"

namespace kbfile {

// A byte source for reading a whole file front to back: it keeps one large window of the file
// in memory and refills it with a single read whenever a request falls outside, so a walk over
// small records costs one system call per window instead of two per record. The size is taken
// once at opening; the tool reads finished files.
class SequentialFileSource : public ByteSource {
  public:
    static constexpr std::size_t kDefaultWindow = std::size_t{8} << 20;

    explicit SequentialFileSource(const std::string& path, std::size_t window = kDefaultWindow);
    ~SequentialFileSource() override;
    SequentialFileSource(const SequentialFileSource&) = delete;
    SequentialFileSource& operator=(const SequentialFileSource&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // errno of a failed open, 0 when open.
    int openError() const { return openError_; }
    // A read failed (not a short read at the end): what was copied is incomplete.
    bool readFailed() const { return readFailed_; }

    std::uint64_t size() override { return size_; }
    std::size_t readAt(std::uint64_t position, std::span<std::uint8_t> out) override;

  private:
    std::size_t readFully(std::uint64_t position, std::uint8_t* out, std::size_t n);

    int fd_ = -1;
    int openError_ = 0;
    bool readFailed_ = false;
    std::uint64_t size_ = 0;
    std::vector<std::uint8_t> window_;
    std::uint64_t windowStart_ = 0;
    std::size_t windowFill_ = 0;
};

}  // namespace kbfile
