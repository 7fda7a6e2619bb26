#include "acquisition/SettingsFile.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>
#include <variant>

#include "common/IniFile.h"

namespace {
constexpr double kZoomScale = 1000.0;
// Zoom 1, written when the zoom is not a number at all.
constexpr int kFallbackStoredZoom = 1000;
// n / 1000 * 1000 can land just below n; such a value is n, not n - 1.
constexpr double kIntegerTolerance = 1e-6;

enum class Rule {
    Always,
    UnlessEmpty,  // an empty value keeps the current one
    UnlessZero,   // a 0 keeps the current one
};

using Field = std::variant<int SettingsRecord::*, bool SettingsRecord::*,
                           std::string SettingsRecord::*, double SettingsRecord::*>;

struct Key {
    std::string_view name;
    Field field;
    Rule rule = Rule::Always;
    bool liveOnly = false;  // not written during playback
    std::string_view section = kSettingsSection;
};

// Listed in the order they are written. Every key is read on its own into its own member, so
// reading does not depend on the order.
const std::array<Key, 45> kKeys{{
    {"GPS Comm Port", &SettingsRecord::gpsCommPort, Rule::Always, true},
    {"BaudRate", &SettingsRecord::baudRate, Rule::Always, true},
    {"DataBits", &SettingsRecord::dataBits, Rule::Always, true},
    {"StopBits", &SettingsRecord::stopBits, Rule::Always, true},
    {"Parity", &SettingsRecord::parity, Rule::Always, true},
    {"Flow", &SettingsRecord::flow, Rule::Always, true},
    {"GPS type", &SettingsRecord::gpsType, Rule::Always, true},
    {"Range", &SettingsRecord::range, Rule::Always, true},
    {"Mode", &SettingsRecord::mode, Rule::Always, true},
    {"Data Gain", &SettingsRecord::dataGain, Rule::Always, true},
    {"Gain Balance", &SettingsRecord::gainBalance, Rule::Always, true},
    {"Show Color Indicator", &SettingsRecord::showColorIndicator},
    {"Show Grid", &SettingsRecord::showGrid},
    {"Color Table", &SettingsRecord::colorTable},
    {"GPS Text Size", &SettingsRecord::gpsTextSize},
    {"Marker Text Size", &SettingsRecord::markerTextSize},
    {"Speed Correction Enabled", &SettingsRecord::speedCorrectionEnabled},
    {"Auto Synchronize with GPS Time", &SettingsRecord::autoSynchronizeWithGpsTime},
    {"Convert UTC to Local Time", &SettingsRecord::convertUtcToLocalTime},
    {"Settings Change Alarm", &SettingsRecord::settingsChangeAlarm},
    {"Tool Bar Visible", &SettingsRecord::toolBarVisible},
    {"Status Bar Visible", &SettingsRecord::statusBarVisible},
    {"File Playback Bar Visible", &SettingsRecord::filePlaybackBarVisible},
    {"Settings Left", &SettingsRecord::settingsLeft},
    {"Settings Top", &SettingsRecord::settingsTop},
    {"Playback Speed", &SettingsRecord::playbackSpeed},
    {"Settings Dialog Visible", &SettingsRecord::settingsDialogVisible},
    {"Units", &SettingsRecord::units},
    {"IP Address", &SettingsRecord::ipAddress},
    {"Port Number", &SettingsRecord::portNumber},
    {"Read File Dir:", &SettingsRecord::readFileDir, Rule::UnlessEmpty},
    {"Write File Dir:", &SettingsRecord::writeFileDir, Rule::UnlessEmpty},
    {"Read Filter Index", &SettingsRecord::readFilterIndex},
    {"Write Filter Index", &SettingsRecord::writeFilterIndex},
    {"GPS Tracking", &SettingsRecord::gpsTracking},
    {"GPS Read Interval", &SettingsRecord::gpsReadInterval},
    {"GPS Zoom Factor", &SettingsRecord::gpsZoom},
    {"GPS Track Window Left", &SettingsRecord::gpsTrackWindowLeft, Rule::UnlessZero},
    {"GPS Track Window Top", &SettingsRecord::gpsTrackWindowTop, Rule::UnlessZero},
    {"GPS Track Window Right", &SettingsRecord::gpsTrackWindowRight, Rule::UnlessZero},
    {"GPS Track Window Bottom", &SettingsRecord::gpsTrackWindowBottom, Rule::UnlessZero},
    {"Use gpsd", &SettingsRecord::gpsUseGpsd, Rule::Always, false, kGpsSourceSection},
    {"gpsd Host", &SettingsRecord::gpsdHost, Rule::UnlessEmpty, false, kGpsSourceSection},
    {"gpsd Port", &SettingsRecord::gpsdPort, Rule::UnlessZero, false, kGpsSourceSection},
    {"Accept All GNSS Talkers", &SettingsRecord::acceptAllGnssTalkers, Rule::Always, false,
     kGpsSourceSection},
}};

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

int storedZoom(double zoom) {
    const double scaled = zoom * kZoomScale;
    if (std::isnan(scaled)) {
        return kFallbackStoredZoom;
    }
    if (scaled >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (scaled <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    const double nearest = std::round(scaled);
    if (std::fabs(scaled - nearest) < kIntegerTolerance) {
        return static_cast<int>(nearest);
    }
    return static_cast<int>(std::trunc(scaled));
}

void readKey(const IniFile& ini, const Key& key, const SettingsRecord& defaults,
             SettingsRecord& rec) {
    const std::string_view section = key.section;
    std::visit(Overloaded{
                   [&](int SettingsRecord::*m) {
                       const int v = ini.readNumber(section, key.name, defaults.*m);
                       if (key.rule != Rule::UnlessZero || v != 0) {
                           rec.*m = v;
                       }
                   },
                   [&](bool SettingsRecord::*m) {
                       rec.*m = ini.readNumber(section, key.name, defaults.*m ? 1 : 0) != 0;
                   },
                   [&](std::string SettingsRecord::*m) {
                       std::string v = ini.readString(section, key.name, defaults.*m);
                       if (key.rule != Rule::UnlessEmpty || !v.empty()) {
                           rec.*m = std::move(v);
                       }
                   },
                   [&](double SettingsRecord::*m) {
                       rec.*m =
                           ini.readNumber(section, key.name, storedZoom(defaults.*m)) / kZoomScale;
                   },
               },
               key.field);
}

void writeKey(IniFile& ini, const Key& key, const SettingsRecord& rec) {
    const std::string_view section = key.section;
    std::visit(
        Overloaded{
            [&](int SettingsRecord::*m) { ini.writeInt(section, key.name, rec.*m); },
            [&](bool SettingsRecord::*m) { ini.writeInt(section, key.name, rec.*m ? 1 : 0); },
            [&](std::string SettingsRecord::*m) { ini.writeString(section, key.name, rec.*m); },
            [&](double SettingsRecord::*m) { ini.writeInt(section, key.name, storedZoom(rec.*m)); },
        },
        key.field);
}

bool sameValue(const Key& key, const SettingsRecord& a, const SettingsRecord& b) {
    return std::visit([&](auto m) { return a.*m == b.*m; }, key.field);
}

// The file to update: what is there, or an empty one when there is none yet. Nothing when a
// file exists but cannot be read, so that a save never wipes a file it could not see.
std::optional<IniFile> fileToUpdate(const std::string& path) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (ec) {
        return std::nullopt;
    }
    return exists ? IniFile::load(path) : std::optional<IniFile>(IniFile{});
}
}  // namespace

bool loadSettings(const std::string& path, SettingsRecord& rec) {
    const std::optional<IniFile> ini = IniFile::load(path);
    if (!ini) {
        return false;
    }
    const SettingsRecord defaults;
    SettingsRecord loaded = rec;
    for (const Key& key : kKeys) {
        readKey(*ini, key, defaults, loaded);
    }
    rec = std::move(loaded);
    return true;
}

bool saveSettings(const std::string& path, const SettingsRecord& rec, bool playback) {
    std::optional<IniFile> ini = fileToUpdate(path);
    if (!ini) {
        return false;
    }
    const SettingsRecord defaults;
    for (const Key& key : kKeys) {
        if (playback && key.liveOnly) {
            continue;
        }
        // Keys beyond [Settings] appear only once they are used, so a file shared with other
        // installations keeps its shape.
        if (key.section != std::string_view(kSettingsSection) &&
            !ini->hasKey(key.section, key.name) && sameValue(key, rec, defaults)) {
            continue;
        }
        writeKey(*ini, key, rec);
    }
    return ini->save(path);
}
