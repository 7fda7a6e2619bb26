#include "display/DiagnosticsFields.h"

#include <cstdio>

namespace {
constexpr const char* kNotKnown = "n/a";
// Files carry no live header: the dialog names the source instead.
constexpr const char* kPlaybackHeader = "MRV";
constexpr int kFeetPerMetre = 3;

std::string number(int value) {
    return std::to_string(value);
}
}  // namespace

std::string bitDigits(std::uint32_t word, int highBit, int count) {
    int digits = 0;
    for (int bit = highBit; bit > highBit - count; --bit) {
        digits = digits * 10 + static_cast<int>((word >> bit) & 1u);
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "%*.*d", count, count, digits);
    return buf;
}

std::vector<DiagnosticsField> diagnosticsFields(const DiagnosticsSource& s) {
    const DecodedHeader& h = s.header;
    const SwitchCommand& c = s.command;
    const std::uint32_t w = h.statusWord;
    char serial[16];
    std::snprintf(serial, sizeof serial, "0x%x", h.serialStatus);
    char range[24];
    const int metres = rangeMetres(c.rangeIndex());
    std::snprintf(range, sizeof range, s.imperial ? "%d ft" : "%d m",
                  s.imperial ? metres * kFeetPerMetre : metres);
    const std::string header = h.headerTag.empty() ? kNotKnown : h.headerTag;
    return {
        {1003, "Header:", s.playback ? kPlaybackHeader : header},
        {1006, "Serial Stat:", s.playback ? kNotKnown : serial},
        {1043, "Mode/Freq:", number(c.modeFreq())},
        {1045, "Range Index:", number(c.rangeIndex())},
        {1021, "Link Commd:", s.playback ? kNotKnown : number(c.linkCommand())},
        {1011, "Run Type:", s.playback ? kNotKnown : number(h.runType)},
        {1015, "PRF:", number(static_cast<int>(s.pingIntervalMs))},
        {1019, "Gain Balance:", number(c.gainBalance())},
        {1020, "Data Gain:", number(c.dataGain())},
        {1046, "Range:", range},
        {1038, "", bitDigits(w, 0, 1)},
        {1036, "", bitDigits(w, 4, 4)},
        {1054, "Sync Mes:", bitDigits(w, 8, 4)},
        {1055, "", bitDigits(w, 12, 4)},
        {1056, "", bitDigits(w, 16, 4)},
        {1057, "", bitDigits(w, 20, 4)},
        {1059, "Stop  R-Type", bitDigits(w, 22, 2)},
    };
}
