#include "gps/SystemGpsSources.h"

#include <time.h>

#include "common/IniFile.h"
#include "gps/GpsTime.h"
#include "gps/GpsdStream.h"

SystemGpsSources::SystemGpsSources(DeviceList devices, std::string settingsPath,
                                   std::string section)
    : devices_(std::move(devices)),
      settingsPath_(std::move(settingsPath)),
      section_(std::move(section)) {}

void SystemGpsSources::overrideForRun(int comPort, const std::string& device) {
    runOverrides_[comPort] = device;
}

SerialPortMap SystemGpsSources::currentMap() const {
    std::map<int, std::string> overrides;
    if (const std::optional<IniFile> ini = IniFile::load(settingsPath_)) {
        overrides = readSerialPortOverrides(*ini, section_);
    }
    for (const auto& [n, device] : runOverrides_) {
        overrides[n] = device;
    }
    return SerialPortMap(devices_ ? devices_() : std::vector<SerialDeviceInfo>{}, overrides);
}

std::unique_ptr<ByteStream> SystemGpsSources::openSerial(int comPort,
                                                         const SerialLineSettings& line,
                                                         SerialPort::OpenResult& result) {
    if (!configuredDevice_.empty()) {
        runOverrides_[comPort] = configuredDevice_;
        configuredDevice_.clear();
    }
    const std::string device = currentMap().device(comPort);
    if (device.empty()) {
        result = SerialPort::OpenResult::Unavailable;
        return nullptr;
    }
    auto port = std::make_unique<SerialPort>(device);
    result = port->open(line);
    if (result == SerialPort::OpenResult::Unavailable) {
        return nullptr;
    }
    return port;
}

std::unique_ptr<ByteStream> SystemGpsSources::openGpsd(const std::string& host, int port) {
    auto s = std::make_unique<GpsdStream>(host, port);
    if (!s->open()) {
        return nullptr;
    }
    return s;
}

std::vector<SerialPortEntry> SystemGpsSources::availablePorts() {
    std::vector<SerialPortEntry> out;
    const SerialPortMap map = currentMap();  // kept: the loop must not outlive it
    for (const SerialPortEntry& e : map.entries()) {
        if (SerialPort::probe(e.device)) {
            out.push_back(e);
        }
    }
    return out;
}

std::optional<SerialPortEntry> SystemGpsSources::portEntry(int comPort) {
    const SerialPortMap map = currentMap();
    if (const SerialPortEntry* e = map.entry(comPort)) {
        return *e;
    }
    return std::nullopt;
}

SystemTime SystemGpsClock::utcNow() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm t{};
    gmtime_r(&ts.tv_sec, &t);
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_wday, t.tm_mday,
            t.tm_hour,        t.tm_min,     t.tm_sec,  static_cast<int>(ts.tv_nsec / 1000000)};
}

CivilDate SystemGpsClock::localDate() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday};
}

bool SystemGpsClock::setUtc(const SystemTime& t) {
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31) {
        return false;  // a date the system would read as another one
    }
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(
        gps_time::secondsSinceEpoch(t.year, t.month, t.day, t.hour, t.minute, t.second));
    ts.tv_nsec = static_cast<long>(t.millisecond) * 1000000L;
    return clock_settime(CLOCK_REALTIME, &ts) == 0;
}
