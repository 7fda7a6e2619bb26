#include "kbfile/SequentialFileSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kbfile {

SequentialFileSource::SequentialFileSource(const std::string& path, std::size_t window)
    : window_(std::max<std::size_t>(window, 1)) {
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
}

SequentialFileSource::~SequentialFileSource() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::size_t SequentialFileSource::readFully(std::uint64_t position, std::uint8_t* out,
                                            std::size_t n) {
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd_, out + got, n - got, static_cast<off_t>(position + got));
        if (r < 0 && errno == EINTR) {
            continue;
        }
        if (r < 0) {
            readFailed_ = true;
            break;
        }
        if (r == 0) {
            break;
        }
        got += static_cast<std::size_t>(r);
    }
    return got;
}

std::size_t SequentialFileSource::readAt(std::uint64_t position, std::span<std::uint8_t> out) {
    if (fd_ < 0 || out.empty() || position >= size_) {
        return 0;
    }
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), size_ - position));
    if (wanted > window_.size()) {
        return readFully(position, out.data(), wanted);
    }
    const bool inside = position >= windowStart_ && position - windowStart_ + wanted <= windowFill_;
    if (!inside) {
        windowStart_ = position;
        const auto rest =
            static_cast<std::size_t>(std::min<std::uint64_t>(window_.size(), size_ - position));
        windowFill_ = readFully(position, window_.data(), rest);
    }
    const std::size_t offset = static_cast<std::size_t>(position - windowStart_);
    const std::size_t n = std::min(wanted, windowFill_ - std::min(offset, windowFill_));
    std::memcpy(out.data(), window_.data() + offset, n);
    return n;
}

}  // namespace kbfile
