#include "gps/GpsdStream.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
int connectWithTimeout(const std::string& host, int port, int timeoutMs) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0) {
        return -1;
    }
    int fd = -1;
    for (addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) {
        fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            continue;
        }
        int rc = ::connect(fd, a->ai_addr, a->ai_addrlen);
        if (rc != 0 && errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            int err = 0;
            socklen_t len = sizeof err;
            rc = ::poll(&p, 1, timeoutMs) == 1 &&
                         ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0
                     ? 0
                     : -1;
        }
        if (rc != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    ::freeaddrinfo(found);
    return fd;
}
}  // namespace

bool GpsdStream::open() {
    close();
    lastAttempt_ = std::chrono::steady_clock::now();
    fd_ = connectWithTimeout(host_, port_, static_cast<int>(kConnectTimeout.count()));
    if (fd_ < 0) {
        return false;
    }
    const std::string_view watch = kWatchCommand;
    if (!write(reinterpret_cast<const std::uint8_t*>(watch.data()), watch.size())) {
        close();
        return false;
    }
    return true;
}

std::ptrdiff_t GpsdStream::read(std::uint8_t* buffer, std::size_t max) {
    if (fd_ < 0) {
        if (std::chrono::steady_clock::now() - lastAttempt_ < kRetryInterval || !open()) {
            return 0;
        }
    }
    const ssize_t n = ::recv(fd_, buffer, max, MSG_DONTWAIT);
    if (n > 0) {
        return n;
    }
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
        return 0;
    }
    close();  // gpsd went away; read() tries again later
    return -1;
}

bool GpsdStream::write(const std::uint8_t* data, std::size_t len) {
    std::size_t done = 0;
    while (fd_ >= 0 && done < len) {
        const ssize_t n = ::send(fd_, data + done, len - done, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN) {
                pollfd p{fd_, POLLOUT, 0};
                if (::poll(&p, 1, 1000) == 1) {
                    continue;
                }
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return fd_ >= 0 && done == len;
}

void GpsdStream::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}
