#include "common/PseudoTerminal.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/TermiosSpeed.h"

namespace {

speed_t speedOf(unsigned baud) {
    const speed_t speed = termiosSpeed(baud);
    return speed == B0 ? B4800 : speed;
}

}  // namespace

PseudoTerminal::~PseudoTerminal() {
    for (int fd : {master_, slave_}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

bool PseudoTerminal::open(unsigned baud) {
    termios tio{};
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&tio, speedOf(baud));
    cfsetospeed(&tio, speedOf(baud));
    if (openpty(&master_, &slave_, nullptr, &tio, nullptr) != 0) {
        return false;
    }
    char name[128] = {};
    if (ptsname_r(master_, name, sizeof name) != 0) {
        return false;
    }
    path_ = name;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    return true;
}

std::size_t PseudoTerminal::unread() const {
    int n = 0;
    return ioctl(slave_, FIONREAD, &n) == 0 && n > 0 ? static_cast<std::size_t>(n) : 0;
}

void PseudoTerminal::discardInput() const {
    char sink[1024];
    for (int i = 0; i < 16 && read(master_, sink, sizeof sink) > 0; ++i) {
    }
}

bool DeviceSymlink::create(const std::string& path, const std::string& target, std::string& error) {
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = "'" + path + "' exists and is not a symlink";
            return false;
        }
        unlink(path.c_str());
    }
    if (symlink(target.c_str(), path.c_str()) != 0) {
        error = "cannot create symlink '" + path + "': " + std::strerror(errno);
        return false;
    }
    path_ = path;
    target_ = target;
    return true;
}

DeviceSymlink::~DeviceSymlink() {
    if (path_.empty()) {
        return;
    }
    char buffer[256] = {};
    const ssize_t n = readlink(path_.c_str(), buffer, sizeof buffer - 1);
    if (n > 0 && std::string(buffer, static_cast<std::size_t>(n)) == target_) {
        unlink(path_.c_str());
    }
}
