#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

class IniFile;

// A serial device the system reports.
struct SerialDeviceInfo {
    std::string path;         // "/dev/ttyACM0"
    std::string description;  // what the system says about it, may be empty
};

// One "COM<n>" port number and the device it stands for.
struct SerialPortEntry {
    int number = 0;
    std::string device;
    std::string description;
    bool overridden = false;  // named in the settings file (or on the command line)
};

// How the programs' "COM<n>" port numbers map to Linux devices. By default COM1..COM32 are the
// serial devices present in a stable order: USB receivers first (/dev/ttyUSB*, then
// /dev/ttyACM*, each by number), then /dev/ttyS* by number, then any other device by name.
// Explicit overrides ("COM3=/dev/pts/4") win; the remaining devices fill the free numbers.
class SerialPortMap {
  public:
    static constexpr int kMaxPorts = 32;

    SerialPortMap() = default;
    SerialPortMap(std::vector<SerialDeviceInfo> present, std::map<int, std::string> overrides);

    // The device of port n; empty when the port maps to nothing.
    std::string device(int number) const;
    const SerialPortEntry* entry(int number) const;
    const std::vector<SerialPortEntry>& entries() const { return entries_; }

    // "COM1 (/dev/ttyACM0, u-blox GNSS receiver)", or without the description when there is none.
    static std::string label(const SerialPortEntry& e);

  private:
    std::vector<SerialPortEntry> entries_;
};

// The devices in the default order.
void sortSerialDevices(std::vector<SerialDeviceInfo>& devices);

// "COM<n>=<path>" keys of one section of an INI file (each program has its own file and
// section); keys that are not COM1..COM32 and empty values are ignored.
std::map<int, std::string> readSerialPortOverrides(const IniFile& ini, std::string_view section);

// The port number of a key or list text "COM7" (any case), or 0.
int serialPortNumber(std::string_view text);
