#include "kbfile/FileWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace kbfile {
namespace {
constexpr mode_t kNewFileMode = 0644;
constexpr mode_t kUmaskedMode = 0666;
}  // namespace

FileWriter::~FileWriter() {
    close();
}

bool FileWriter::open(const std::string& path) {
    return openWith(path, O_TRUNC, kNewFileMode);
}

bool FileWriter::create(const std::string& path) {
    return openWith(path, O_EXCL, kUmaskedMode);
}

bool FileWriter::openWith(const std::string& path, int flags, unsigned mode) {
    close();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, static_cast<mode_t>(mode));
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

bool FileWriter::writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (fd_ >= 0 && done < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error_ = n < 0 ? errno : EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (fd_ < 0) {
        error_ = EBADF;
    }
    return fd_ >= 0;
}

bool FileWriter::truncate() {
    if (fd_ < 0 || ::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) {
        error_ = fd_ < 0 ? EBADF : errno;
        return false;
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
