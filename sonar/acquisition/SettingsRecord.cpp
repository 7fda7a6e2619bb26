#include "acquisition/SettingsRecord.h"

#include <cstdint>
#include <filesystem>
#include <limits>

namespace {
constexpr const char* kSettingsFileName = "Keelbrook.cfg";
constexpr int kTrackWindowLeft = 32;
constexpr int kTrackWindowMargin = 20;

int clampToInt(std::int64_t v) {
    constexpr std::int64_t lo = std::numeric_limits<int>::min();
    constexpr std::int64_t hi = std::numeric_limits<int>::max();
    return static_cast<int>(v < lo ? lo : (v > hi ? hi : v));
}
}  // namespace

SettingsRecord makeDefaultSettings(const std::string& exeDir, int screenWidth, int screenHeight) {
    SettingsRecord rec;
    rec.readFileDir = exeDir;
    rec.writeFileDir = exeDir;
    // Wide arithmetic: screen sizes come from the platform and are not trusted to be small.
    const std::int64_t w = screenWidth;
    const std::int64_t h = screenHeight;
    rec.gpsTrackWindowLeft = kTrackWindowLeft;
    rec.gpsTrackWindowTop = clampToInt(h * 2 / 3);
    rec.gpsTrackWindowRight = clampToInt(w / 2 - kTrackWindowMargin);
    rec.gpsTrackWindowBottom = clampToInt(h - kTrackWindowMargin);
    return rec;
}

std::string settingsPath(const std::string& exeDir) {
    return (std::filesystem::path(exeDir) / kSettingsFileName).string();
}
