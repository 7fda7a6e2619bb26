#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "datafile/ByteSource.h"

namespace kbfile {

// A byte source for reading a whole file front to back. A thread of its own reads the file in
// large blocks a few blocks ahead of the reader, so waiting for the disk overlaps with the work
// done on the bytes; the reader copies out of blocks already in memory. Reads that go back or
// jump are served too (the read-ahead starts again there), and a read longer than a block goes
// straight to the file. Memory stays at a few blocks whatever the file size. The size is taken
// once at opening; the tool reads finished files.
class SequentialFileSource : public ByteSource {
  public:
    static constexpr std::size_t kDefaultBlock = std::size_t{2} << 20;
    static constexpr std::size_t kDefaultAhead = 4;

    explicit SequentialFileSource(const std::string& path, std::size_t block = kDefaultBlock,
                                  std::size_t ahead = kDefaultAhead);
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
    struct Block {
        std::uint64_t index = 0;
        std::vector<std::uint8_t> bytes;
        std::size_t fill = 0;
        bool failed = false;
    };

    const Block& blockAt(std::uint64_t index);
    void readAhead();
    // False on a read error; got holds what was read before it or before the end.
    bool readFully(std::uint64_t position, std::uint8_t* out, std::size_t n,
                   std::size_t& got) const;
    std::uint64_t blockCount() const { return (size_ + block_ - 1) / block_; }

    int fd_ = -1;
    int openError_ = 0;
    bool readFailed_ = false;
    std::uint64_t size_ = 0;
    const std::size_t block_;
    const std::size_t ahead_;

    // The reader's own: the two blocks it read from last and the index it takes next.
    std::optional<Block> current_;
    std::optional<Block> previous_;
    std::uint64_t wanted_ = 0;

    // Shared with the read-ahead thread.
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block> ready_;
    std::vector<std::vector<std::uint8_t>> spare_;
    std::uint64_t next_ = 0;        // the block the thread reads next
    std::uint64_t generation_ = 0;  // a jump voids the blocks read for the one before
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace kbfile
