#include "common/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "common/TermiosSpeed.h"

namespace {
tcflag_t sizeOf(int dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

int openExclusive(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    // Exclusive like a COM port: a second program (or a second open here) is refused.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    ::ioctl(fd, TIOCEXCL);
    return fd;
}
}  // namespace

SerialPort::OpenResult SerialPort::open(const SerialLineSettings& settings) {
    close();
    fd_ = openExclusive(device_);
    if (fd_ < 0) {
        return OpenResult::Unavailable;
    }
    if (!apply(settings)) {
        return OpenResult::SettingsFailed;
    }
    ::tcflush(fd_, TCIOFLUSH);
    return OpenResult::Ok;
}

bool SerialPort::apply(const SerialLineSettings& s) {
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) {
        return false;
    }
    const speed_t speed = termiosSpeed(s.baudRate);
    if (speed == B0 || s.dataBits < 5 || s.dataBits > 8 || s.stopBits < 0 || s.stopBits > 2 ||
        s.parity < 0 || s.parity > 4) {
        return false;
    }
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
    tio.c_cflag |= sizeOf(s.dataBits) | CLOCAL | CREAD;
    // One and a half stop bits exist only for 5-bit words; the line then uses two.
    if (s.stopBits != 0) {
        tio.c_cflag |= CSTOPB;
    }
    switch (s.parity) {
        case 1:
            tio.c_cflag |= PARENB;
            break;
        case 2:
            tio.c_cflag |= PARENB | PARODD;
            break;
        case 3:
            tio.c_cflag |= PARENB | PARODD | CMSPAR;
            break;
        case 4:
            tio.c_cflag |= PARENB | CMSPAR;
            break;
        default:
            break;
    }
    if (s.flow & 1) {
        tio.c_cflag |= CRTSCTS;
    }
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    return ::tcsetattr(fd_, TCSANOW, &tio) == 0;
}

std::ptrdiff_t SerialPort::read(std::uint8_t* buffer, std::size_t max) {
    if (fd_ < 0) {
        return -1;
    }
    const ssize_t n = ::read(fd_, buffer, max);
    if (n > 0) {
        return n;
    }
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
        return 0;
    }
    // A pseudo-terminal whose writer has gone reports EIO; a USB receiver unplugged likewise.
    return n == 0 ? 0 : -1;
}

bool SerialPort::write(const std::uint8_t* data, std::size_t len) {
    std::size_t done = 0;
    while (fd_ >= 0 && done < len) {
        const ssize_t n = ::write(fd_, data + done, len - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return done == len;
}

void SerialPort::close() {
    if (fd_ >= 0) {
        ::ioctl(fd_, TIOCNXCL);  // the device may be opened again once this program lets go
        ::close(fd_);
        fd_ = -1;
    }
}

bool SerialPort::probe(const std::string& device) {
    const int fd = openExclusive(device);
    if (fd < 0) {
        return false;
    }
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
    return true;
}

bool SerialPort::setBaudRate(int baudRate) {
    termios tio{};
    const speed_t speed = termiosSpeed(baudRate);
    if (fd_ < 0 || speed == B0 || ::tcgetattr(fd_, &tio) != 0) {
        return false;
    }
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    return ::tcsetattr(fd_, TCSANOW, &tio) == 0;
}

bool SerialPort::raiseModemLines() {
    int lines = TIOCM_DTR | TIOCM_RTS;
    return fd_ >= 0 && ::ioctl(fd_, TIOCMBIS, &lines) == 0;
}

std::size_t SerialPort::writeWithin(const std::uint8_t* data, std::size_t len, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::size_t done = 0;
    while (fd_ >= 0 && done < len) {
        const ssize_t n = ::write(fd_, data + done, len - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            break;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            break;
        }
        pollfd p{fd_, POLLOUT, 0};
        ::poll(&p, 1, static_cast<int>(left));
    }
    return done;
}

SerialPort::Readiness SerialPort::waitReadable(int timeoutMs) {
    if (fd_ < 0) {
        return Readiness::Broken;
    }
    pollfd p{fd_, POLLIN, 0};
    const int n = ::poll(&p, 1, timeoutMs);
    if (n < 0) {
        return errno == EINTR ? Readiness::Quiet : Readiness::Broken;
    }
    if (n == 0) {
        return Readiness::Quiet;
    }
    // A hung-up device also reports itself readable; the hang-up decides.
    if ((p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
        return Readiness::Broken;
    }
    return Readiness::Data;
}
