#include "datafile/FileByteSource.h"

FileByteSource::FileByteSource(const std::string& path) : file_(path, std::ios::binary) {}

std::uint64_t FileByteSource::size() {
    if (!file_.is_open()) {
        return 0;
    }
    file_.clear();
    file_.seekg(0, std::ios::end);
    const std::streamoff end = file_.tellg();
    return end > 0 ? static_cast<std::uint64_t>(end) : 0;
}

std::size_t FileByteSource::readAt(std::uint64_t position, std::span<std::uint8_t> out) {
    if (!file_.is_open() || out.empty()) {
        return 0;
    }
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(position));
    if (!file_) {
        return 0;
    }
    file_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    const std::streamsize got = file_.gcount();
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}
