#include "sensorcfg/Profile.h"

#include <cstdlib>
#include <filesystem>

std::string Profile::defaultPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path folder;
    if (config && *config) {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::filesystem::path(home ? home : ".") / ".config";
    }
    return (folder / "sentrim.ini").string();
}

Profile::Profile(std::string path) : path_(std::move(path)) {
    if (!path_.empty()) {
        if (auto loaded = IniFile::load(path_)) {
            ini_ = std::move(*loaded);
        }
    }
}

int Profile::readInt(std::string_view section, std::string_view key, int defaultValue) const {
    return ini_.readInt(section, key, defaultValue);
}

std::string Profile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    return ini_.readString(section, key, defaultValue);
}

bool Profile::hasKey(std::string_view section, std::string_view key) const {
    return ini_.hasKey(section, key);
}

void Profile::writeInt(std::string_view section, std::string_view key, int value) {
    ini_.writeInt(section, key, value);
    flush();
}

void Profile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    ini_.writeString(section, key, value);
    flush();
}

void Profile::flush() {
    if (path_.empty()) {
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
    ini_.save(path_);
}
