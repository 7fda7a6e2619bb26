#include "kbfile/SequentialFileSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kbfile {

SequentialFileSource::SequentialFileSource(const std::string& path, std::size_t block,
                                           std::size_t ahead)
    : block_(std::max<std::size_t>(block, 1)), ahead_(std::max<std::size_t>(ahead, 1)) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        openError_ = errno;
        return;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
        openError_ = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd_);
        fd_ = -1;
        return;
    }
    size_ = st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    // Tells the kernel to read ahead generously and drop pages behind us.
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    if (size_ > 0) {
        thread_ = std::thread([this] { readAhead(); });
    }
}

SequentialFileSource::~SequentialFileSource() {
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool SequentialFileSource::readFully(std::uint64_t position, std::uint8_t* out, std::size_t n,
                                     std::size_t& got) const {
    got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd_, out + got, n - got, static_cast<off_t>(position + got));
        if (r < 0 && errno == EINTR) {
            continue;
        }
        if (r < 0) {
            return false;
        }
        if (r == 0) {
            break;
        }
        got += static_cast<std::size_t>(r);
    }
    return true;
}

void SequentialFileSource::readAhead() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(
            lock, [&] { return stopping_ || (ready_.size() < ahead_ && next_ < blockCount()); });
        if (stopping_) {
            return;
        }
        Block b;
        b.index = next_++;
        const std::uint64_t generation = generation_;
        if (!spare_.empty()) {
            b.bytes = std::move(spare_.back());
            spare_.pop_back();
        }
        lock.unlock();
        b.bytes.resize(block_);
        const std::uint64_t start = b.index * block_;
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(block_, size_ - start));
        b.failed = !readFully(start, b.bytes.data(), n, b.fill);
        lock.lock();
        if (generation != generation_) {
            spare_.push_back(std::move(b.bytes));
            continue;
        }
        ready_.push_back(std::move(b));
        changed_.notify_all();
    }
}

const SequentialFileSource::Block& SequentialFileSource::blockAt(std::uint64_t index) {
    if (current_ && current_->index == index) {
        return *current_;
    }
    if (previous_ && previous_->index == index) {
        return *previous_;
    }
    std::unique_lock lock(mutex_);
    if (index != wanted_) {
        ++generation_;
        for (Block& b : ready_) {
            spare_.push_back(std::move(b.bytes));
        }
        ready_.clear();
        next_ = index;
        wanted_ = index;
        changed_.notify_all();
    }
    changed_.wait(lock, [&] { return !ready_.empty(); });
    if (previous_) {
        spare_.push_back(std::move(previous_->bytes));
    }
    previous_ = std::move(current_);
    current_ = std::move(ready_.front());
    ready_.pop_front();
    wanted_ = index + 1;
    changed_.notify_all();
    return *current_;
}

std::size_t SequentialFileSource::readAt(std::uint64_t position, std::span<std::uint8_t> out) {
    if (fd_ < 0 || out.empty() || position >= size_) {
        return 0;
    }
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), size_ - position));
    if (wanted > block_) {
        std::size_t got = 0;
        readFailed_ = !readFully(position, out.data(), wanted, got) || readFailed_;
        return got;
    }
    std::size_t copied = 0;
    while (copied < wanted) {
        const std::uint64_t at = position + copied;
        const Block& b = blockAt(at / block_);
        if (b.failed) {
            readFailed_ = true;
        }
        const auto offset = static_cast<std::size_t>(at % block_);
        if (offset >= b.fill) {
            break;
        }
        const std::size_t n = std::min(wanted - copied, b.fill - offset);
        std::memcpy(out.data() + copied, b.bytes.data() + offset, n);
        copied += n;
    }
    return copied;
}

}  // namespace kbfile
