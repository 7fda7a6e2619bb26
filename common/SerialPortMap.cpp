#include "common/SerialPortMap.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <tuple>

#include "common/IniFile.h"

namespace {
constexpr std::string_view kPrefixes[] = {"/dev/ttyUSB", "/dev/ttyACM", "/dev/ttyS"};

// Family rank, number within the family, then the whole name: "/dev/ttyS10" after "/dev/ttyS9".
std::tuple<int, long, std::string> orderKey(const std::string& path) {
    for (int rank = 0; rank < 3; ++rank) {
        const std::string_view prefix = kPrefixes[rank];
        if (path.starts_with(prefix)) {
            const std::string_view rest = std::string_view(path).substr(prefix.size());
            if (!rest.empty() &&
                std::all_of(
                    rest.begin(), rest.end(),
                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }) &&
                rest.size() < 9) {
                return {rank, std::stol(std::string(rest)), path};
            }
        }
    }
    return {3, 0, path};
}
}  // namespace

void sortSerialDevices(std::vector<SerialDeviceInfo>& devices) {
    std::sort(devices.begin(), devices.end(),
              [](const auto& a, const auto& b) { return orderKey(a.path) < orderKey(b.path); });
}

SerialPortMap::SerialPortMap(std::vector<SerialDeviceInfo> present,
                             std::map<int, std::string> overrides) {
    sortSerialDevices(present);
    std::set<std::string> taken;
    std::map<int, SerialPortEntry> byNumber;
    for (const auto& [n, path] : overrides) {
        if (n < 1 || n > kMaxPorts || path.empty()) {
            continue;
        }
        SerialPortEntry e{n, path, {}, true};
        for (const SerialDeviceInfo& d : present) {
            if (d.path == path) {
                e.description = d.description;
            }
        }
        byNumber[n] = e;
        taken.insert(path);
    }
    int next = 1;
    for (const SerialDeviceInfo& d : present) {
        if (taken.count(d.path) != 0) {
            continue;
        }
        while (next <= kMaxPorts && byNumber.count(next) != 0) {
            ++next;
        }
        if (next > kMaxPorts) {
            break;
        }
        byNumber[next] = {next, d.path, d.description, false};
        taken.insert(d.path);
    }
    for (auto& [n, e] : byNumber) {
        entries_.push_back(std::move(e));
    }
}

std::string SerialPortMap::device(int number) const {
    const SerialPortEntry* e = entry(number);
    return e ? e->device : std::string{};
}

const SerialPortEntry* SerialPortMap::entry(int number) const {
    for (const SerialPortEntry& e : entries_) {
        if (e.number == number) {
            return &e;
        }
    }
    return nullptr;
}

std::string SerialPortMap::label(const SerialPortEntry& e) {
    std::string text = "COM" + std::to_string(e.number) + " (" + e.device;
    if (!e.description.empty()) {
        text += ", " + e.description;
    }
    return text + ")";
}

int serialPortNumber(std::string_view text) {
    if (text.size() < 4 || text.size() > 5) {
        return 0;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i]) {
            return 0;
        }
    }
    int n = 0;
    for (const char c : text.substr(3)) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return 0;
        }
        n = n * 10 + (c - '0');
    }
    return n >= 1 && n <= SerialPortMap::kMaxPorts ? n : 0;
}

std::map<int, std::string> readSerialPortOverrides(const IniFile& ini, std::string_view section) {
    std::map<int, std::string> out;
    for (int n = 1; n <= SerialPortMap::kMaxPorts; ++n) {
        const std::string key = "COM" + std::to_string(n);
        std::string path = ini.readString(section, key, "");
        if (!path.empty()) {
            out[n] = std::move(path);
        }
    }
    return out;
}
