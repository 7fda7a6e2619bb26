#include "targets/TargetLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "targets/TargetJson.h"

namespace target_log {
namespace {

std::string systemError() {
    return std::strerror(errno);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A list that ends without a line feed lost its last line in a crash: the next line must not be
// glued onto it.
bool endsTorn(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size == 0) {
        return false;
    }
    char last = '\n';
    return ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n';
}

// A new file's name must reach the disk too, or a power loss can take the whole list away.
void syncFolder(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace

std::string sidecarPath(const std::string& dataPath) {
    return dataPath + kSuffix;
}

std::optional<std::string> append(const std::string& path, const Target& target) {
    const bool existed = ::access(path.c_str(), F_OK) == 0;
    // Read access too: the last byte is looked at before appending.
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return systemError();
    }
    std::string line = endsTorn(fd) ? "\n" : "";
    line += featureJson(target) + "\n";
    // One write: a reader or a crash sees the line whole or not at all (short of the disk
    // failing mid-sector); the loop only continues a write the kernel cut short.
    bool ok = writeAll(fd, line) && ::fsync(fd) == 0;
    const std::string error = ok ? "" : systemError();
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        return error.empty() ? systemError() : error;
    }
    if (!existed) {
        syncFolder(path);
    }
    return std::nullopt;
}

Contents parse(std::string_view text) {
    Contents c;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            continue;
        }
        // Without exceptions: a torn or foreign line comes back discarded.
        const nlohmann::json v = nlohmann::json::parse(line, nullptr, false);
        std::optional<Target> t = v.is_discarded() ? std::nullopt : targetOfFeature(v);
        if (!t) {
            c.warnings.push_back("line " + std::to_string(lineNumber) +
                                 " is no whole target (cut short by a crash?): skipped");
            continue;
        }
        c.targets.push_back(std::move(*t));
    }
    return c;
}

Contents read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Contents c;
        c.error = systemError();
        return c;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        Contents c;
        c.error = "read error";
        return c;
    }
    return parse(text.str());
}

}  // namespace target_log
