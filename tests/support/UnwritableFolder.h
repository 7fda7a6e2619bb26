#pragma once

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <string>

// A folder nobody may write into, for as long as this lives. Root ignores folder permissions, so
// this thread also sets aside the capabilities that let it (they come back at the end).
class UnwritableFolder {
  public:
    explicit UnwritableFolder(const std::filesystem::path& path) : path_(path) {
        std::filesystem::create_directories(path_);
        ::chmod(path_.c_str(), 0555);
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (::syscall(SYS_capget, &header_, saved_) == 0) {
            __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
            reduced[0].effective &=
                ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
            capsChanged_ = ::syscall(SYS_capset, &header_, reduced) == 0;
        }
    }
    ~UnwritableFolder() {
        if (capsChanged_) {
            ::syscall(SYS_capset, &header_, saved_);
        }
        ::chmod(path_.c_str(), 0755);
    }
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

    // Whether writing there really fails here (it cannot be arranged everywhere).
    bool effective() const {
        const std::string probe = (path_ / "probe").string();
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0) {
            return true;
        }
        ::close(fd);
        ::unlink(probe.c_str());
        return false;
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool capsChanged_ = false;
};
