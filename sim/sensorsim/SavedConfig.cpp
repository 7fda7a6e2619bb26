#include "sensorsim/SavedConfig.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "sensorcfg/ConfigFile.h"

namespace sensorsim {

std::optional<SensorConfig> startingConfig(int model, const std::string& file,
                                           std::optional<int> baudCode, std::string& error) {
    SensorConfig config;
    resetToDefaults(config, model);
    config.baudrate = static_cast<std::int16_t>(baudRateToCode(4800));
    if (!file.empty()) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            error = "cannot read '" + file + "': " + std::strerror(errno);
            return std::nullopt;
        }
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
        if (config_file::load(bytes, config).status != config_file::LoadStatus::Ok) {
            error = "'" + file + "' is not a whole configuration file";
            return std::nullopt;
        }
    }
    if (baudCode) {
        config.baudrate = static_cast<std::int16_t>(*baudCode);
    }
    return config;
}

bool saveConfig(const SensorConfig& config, const std::string& file, std::string& error) {
    const std::vector<std::uint8_t> bytes = config_file::store(config);
    const std::string temporary = file + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            error = "cannot write '" + temporary + "': " + std::strerror(errno);
            return false;
        }
    }
    if (std::rename(temporary.c_str(), file.c_str()) != 0) {
        error = "cannot replace '" + file + "': " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace sensorsim
