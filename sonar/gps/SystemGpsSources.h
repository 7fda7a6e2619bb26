#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gps/GpsPorts.h"

// The machine's own GPS sources: "COM<n>" through the serial port map (the devices present,
// the "[Serial Ports]" section of the settings file, and overrides for this run), and gpsd.
class SystemGpsSources : public GpsSources {
  public:
    using DeviceList = std::function<std::vector<SerialDeviceInfo>()>;

    // settingsPath: the INI file whose serial port section overrides the mapping; read at
    // every use, so an edit takes effect at the next open.
    SystemGpsSources(DeviceList devices, std::string settingsPath, std::string section);

    // Maps a port to a device for this run only.
    void overrideForRun(int comPort, const std::string& device);
    // The command line's --gps-device: whichever port is opened first (the configured one) reads
    // this device for this run.
    void overrideConfiguredPort(const std::string& device) { configuredDevice_ = device; }

    std::unique_ptr<ByteStream> openSerial(int comPort, const SerialLineSettings& line,
                                           SerialPort::OpenResult& result) override;
    std::unique_ptr<ByteStream> openGpsd(const std::string& host, int port) override;
    std::vector<SerialPortEntry> availablePorts() override;
    std::optional<SerialPortEntry> portEntry(int comPort) override;
    bool deviceForThisRun() const override { return !configuredDevice_.empty(); }

    SerialPortMap currentMap() const;

  private:
    DeviceList devices_;
    std::string settingsPath_;
    std::string section_;
    std::map<int, std::string> runOverrides_;
    std::string configuredDevice_;
};

// The computer's clock through the C library. Setting it needs the privilege to do so.
class SystemGpsClock : public GpsClock {
  public:
    SystemTime utcNow() override;
    CivilDate localDate() override;
    bool setUtc(const SystemTime& t) override;
};
