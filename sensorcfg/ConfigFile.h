#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sensorcfg/SensorConfig.h"

// The configuration file: little-endian, packed, 126 bytes in the current version. Older
// versions (and files from before versions were written) load with their missing settings
// filled in and are reported as converted.
namespace config_file {

constexpr std::uint16_t kVersion = 402;
constexpr std::size_t kSize = 126;

std::vector<std::uint8_t> store(const SensorConfig& config);

enum class LoadStatus { Ok, Truncated };

struct LoadResult {
    LoadStatus status = LoadStatus::Ok;
    bool converted = false;
    int version = 0;  // 0 for a file without a version
};

// Loads into `config` only when the whole file could be read; a truncated file leaves it as it
// was. The base model and the port are never taken from a file.
LoadResult load(const std::vector<std::uint8_t>& bytes, SensorConfig& config);

}  // namespace config_file
