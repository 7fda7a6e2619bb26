#pragma once

#include <cstddef>
#include <string>

// The serial port of a simulated device: a raw pseudo-terminal whose slave end the simulator
// keeps open, so the line exists (and writes succeed) whether or not a program has it open, as
// a device's serial port does. The simulator uses the master end.
class PseudoTerminal {
  public:
    PseudoTerminal() = default;
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal();

    // Raw, 8N1, at `baud` (300 ... 115200). False with errno set when it fails.
    bool open(unsigned baud);

    int master() const { return master_; }
    int slave() const { return slave_; }
    const std::string& path() const { return path_; }

    // Bytes written to the device and not yet read by anyone.
    std::size_t unread() const;
    // Reads and drops what a program wrote to the device.
    void discardInput() const;

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

// The symlink a user asks for with --link: replaces one left behind by an earlier run, and is
// removed at the end if it still points at our device.
class DeviceSymlink {
  public:
    DeviceSymlink() = default;
    DeviceSymlink(const DeviceSymlink&) = delete;
    DeviceSymlink& operator=(const DeviceSymlink&) = delete;
    ~DeviceSymlink();

    bool create(const std::string& path, const std::string& target, std::string& error);

  private:
    std::string path_;
    std::string target_;
};
