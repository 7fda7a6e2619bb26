#include "kbfile/FileWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace kbfile {
namespace {
constexpr mode_t kNewFileMode = 0644;
}

FileWriter::~FileWriter() {
    close();
}

bool FileWriter::open(const std::string& path) {
    close();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    return true;
}

bool FileWriter::write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) {
        error_ = EBADF;
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error_ = n < 0 ? errno : EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool FileWriter::close() {
    if (fd_ < 0) {
        return true;
    }
    const int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0) {
        error_ = errno;
        return false;
    }
    return true;
}

}  // namespace kbfile
