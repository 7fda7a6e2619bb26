#pragma once

#include <string>
#include <string_view>

#include "common/IniFile.h"

// The program's private profile: an INI file named after the program in the user's
// configuration folder. Every write goes to disk at once, as the platform's profile calls do,
// so a crash never loses a setting already written.
class Profile {
  public:
    // $XDG_CONFIG_HOME/sentrim.ini, or ~/.config/sentrim.ini when that is unset.
    static std::string defaultPath();

    // Reads the file at `path` when it exists; an empty path keeps everything in memory.
    explicit Profile(std::string path);

    int readInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    void writeInt(std::string_view section, std::string_view key, int value);
    void writeString(std::string_view section, std::string_view key, std::string_view value);

    const std::string& path() const { return path_; }
    // The whole file, for sections other code reads (the serial port overrides).
    const IniFile& ini() const { return ini_; }

  private:
    void flush();

    std::string path_;
    IniFile ini_;
};

// Section and key names of the profile.
namespace profile_keys {
constexpr const char* kCommunications = "Communications";
constexpr const char* kPort = "Port";
constexpr const char* kManualBaudSelect = "ManualBaudSelect";
constexpr const char* kManualBaudRate = "ManualBaudRate";
constexpr const char* kAutoBaudRate = "AutoBaudRate";
constexpr const char* kDisplayNumberAttempts = "DisplayNumberAttempts";
constexpr const char* kRecentFiles = "Recent File List";
constexpr const char* kWindowSize = "Window size";
// "COM<n>=<device path>" overrides of the serial port map.
constexpr const char* kSerialPorts = "Serial Ports";
}  // namespace profile_keys
