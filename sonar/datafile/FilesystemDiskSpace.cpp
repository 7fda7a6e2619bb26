#include "datafile/FilesystemDiskSpace.h"

#include <filesystem>
#include <system_error>

std::optional<std::uint64_t> FilesystemDiskSpace::freeBytes(const std::string& path) {
    std::error_code ec;
    const std::filesystem::space_info info = std::filesystem::space(path, ec);
    if (ec) {
        return std::nullopt;
    }
    return info.available;
}
