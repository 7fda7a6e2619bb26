#include "sensorcfg/SummaryRows.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {
constexpr int kLabelColumn = 0;
constexpr int kValueColumn = 21;
constexpr int kSentenceColumn = 43;
constexpr int kFirstSettingRow = 11;
constexpr const char* kDegree = "\u00B0";

std::string format(const char* fmt, ...) {
    char buf[256];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, args);
    va_end(args);
    return buf;
}

std::string onOff(int v) {
    return v ? "On" : "Off";
}

std::string choice(int v, std::initializer_list<const char*> names) {
    if (v >= 0 && v < static_cast<int>(names.size())) {
        return *(names.begin() + v);
    }
    return format("%d", v);
}

// One row of the per-model setting list; an empty label is a blank row.
struct Setting {
    const char* label;
    std::string value;
};

std::vector<Setting> beaconGroup(const SensorConfig& c) {
    return {{"Beacon - Freq:", format("%.1f kHz", static_cast<double>(c.bcn_freq))},
            {"       - Bit Rate:", format("%d bps", c.bcn_br)},
            {"       - Auto Tune:", onOff(c.bcn_auto)}};
}

std::vector<Setting> settingRows(const SensorConfig& c) {
    const Setting blank{"", ""};
    const Setting outputTime{"NMEA Output Time:", format("%d sec", c.outtime)};
    const Setting averaging{"Position Averaging:", onOff(c.avg)};
    const Setting nmea230{"NMEA 2.30 Mode:", onOff(c.nmea230)};
    const Setting powerSave{"Power Save Mode:", c.psm ? "On" : "Off (Normal Mode)"};
    const Setting ppsMode{"PPS mode:", c.ppsmode ? "1 Hz" : "No PPS"};
    const Setting ppsLength{"PPS Length:", format("%d msec", (c.ppslen + 1) * 20)};
    const Setting phase{"Phase Output Data:", onOff(c.cpo)};
    const Setting dgps{"DGPS Mode:",
                       choice(c.dgpsmode, {"Automatic", "WAAS Only", "RTCM Only", "None"})};
    const Setting differential{"Differential mode:", c.diffmode ? "Differential" : "Automatic"};
    const bool beaconShown = c.model == 6 || c.dgpsmode == 0 || c.dgpsmode == 2;

    std::vector<Setting> rows;
    auto add = [&](std::initializer_list<Setting> more) {
        rows.insert(rows.end(), more.begin(), more.end());
    };
    auto addBeacon = [&] {
        if (beaconShown) {
            const auto group = beaconGroup(c);
            rows.insert(rows.end(), group.begin(), group.end());
        }
    };
    switch (c.model) {
        case 0:
            add({outputTime,
                 averaging,
                 nmea230,
                 powerSave,
                 {"Auto Power On Mode:", onOff(c.ppsmode)},
                 blank,
                 phase,
                 dgps,
                 differential});
            addBeacon();
            add({{"Adaptive TX:", onOff(c.adaptive_tx)},
                 {"Auto Off:", onOff(c.auto_off)},
                 {"External Power-On:", onOff(c.ext_pwr_on)}});
            break;
        case 2:
        case 4:
        case 7:
            add({outputTime,
                 averaging,
                 nmea230,
                 powerSave,
                 ppsMode,
                 ppsLength,
                 {"PPS Auto Off:", onOff(c.pps_auto_off)},
                 phase,
                 dgps,
                 differential});
            addBeacon();
            break;
        case 3:
        case 5:
            add({c.model == 5 ? outputTime : blank, averaging, nmea230, powerSave, blank, blank,
                 phase, dgps, differential});
            addBeacon();
            break;
        case 6:
            add({outputTime, averaging, nmea230, ppsMode, ppsLength, phase, differential});
            addBeacon();
            break;
        default:
            break;
    }
    return rows;
}

std::string filterText(int filter) {
    if (filter == 0) {
        return "None";
    }
    if (filter == 1) {
        return "Automatic";
    }
    return format("%d", filter);
}
}  // namespace

std::vector<SummaryCell> summaryCells(const SensorConfig& c, const std::string& title) {
    std::vector<SummaryCell> cells;
    auto label = [&](int row, int column, std::string text) {
        cells.push_back({row, column, std::move(text), true});
    };
    auto value = [&](int row, int column, std::string text) {
        cells.push_back({row, column, std::move(text), false});
    };
    auto fixed = [&](int row, const char* name, std::string text) {
        label(row, kLabelColumn, name);
        value(row, kValueColumn, std::move(text));
    };

    fixed(0, "Configuration file:", title);
    fixed(1, "GPS Base Model:", modelName(c.model));
    fixed(3, "Latitude:",
          format("%02d%s %06.03f' %c", c.lat_deg, kDegree, static_cast<double>(c.lat_min),
                 c.lat_south ? 'S' : 'N'));
    fixed(4, "Longitude:",
          format("%03d%s %06.03f' %c", c.lon_deg, kDegree, static_cast<double>(c.lon_min),
                 c.lon_west ? 'W' : 'E'));
    fixed(5, "Altitude:", format("%.1f meters", static_cast<double>(c.alt)));
    fixed(7, "Fix mode:", choice(c.fixmode, {"Automatic", "2D Exclusively", "3D Exclusively"}));
    fixed(8, "Filter mode:", filterText(c.filter));
    if (c.model != 0) {
        fixed(9, "Baud rate:", format("%d bps", baudCodeToRate(c.baudrate)));
    }
    fixed(10, "Dead Reckon Time:", format("%d sec", c.vldtime));

    label(2, kSentenceColumn, "Selected");
    label(3, kSentenceColumn, "Sentences:");
    int sentenceRow = 4;
    for (int i = 0; i < kSentenceCount; ++i) {
        if (c.sentences[static_cast<std::size_t>(i)]) {
            value(sentenceRow++, kSentenceColumn, sentenceName(i));
        }
    }

    int row = kFirstSettingRow;
    for (const Setting& s : settingRows(c)) {
        if (*s.label) {
            fixed(row, s.label, s.value);
        }
        ++row;
    }
    fixed(row, "Earth datum index:", datumName(c.datum));
    if (c.datum == kUserDatum) {
        label(row + 1, kLabelColumn, "DA:                  DF:");
        value(row + 1, 4, format("%.3f", c.datum_a));
        value(row + 1, 25, format("%.9f", c.datum_df));
        label(row + 2, kLabelColumn, "DX:                  DY:                   DZ:");
        value(row + 2, 4, format("%.1f", static_cast<double>(c.dx)));
        value(row + 2, 25, format("%.1f", static_cast<double>(c.dy)));
        value(row + 2, 47, format("%.1f", static_cast<double>(c.dz)));
    }
    return cells;
}

namespace {
// The UTF-8 characters of a text, one string each.
std::vector<std::string> characters(const std::string& text) {
    std::vector<std::string> chars;
    for (char ch : text) {
        if ((static_cast<unsigned char>(ch) & 0xC0) == 0x80 && !chars.empty()) {
            chars.back() += ch;
        } else {
            chars.emplace_back(1, ch);
        }
    }
    return chars;
}

int columnsOf(const std::string& text) {
    return static_cast<int>(characters(text).size());
}

// Puts a cell into a row of character slots. A value may fill the blanks a label leaves for it
// (the user datum rows); a cell that would cover earlier text moves one blank past it.
void place(std::vector<std::string>& slots, const SummaryCell& cell) {
    const std::vector<std::string> chars = characters(cell.text);
    auto covers = [&](std::size_t start) {
        for (std::size_t i = start; i < std::min(slots.size(), start + chars.size()); ++i) {
            if (slots[i] != " ") {
                return true;
            }
        }
        return false;
    };
    auto start = static_cast<std::size_t>(cell.column);
    if (covers(start)) {
        start = slots.size();
        while (start > 0 && slots[start - 1] == " ") {
            --start;
        }
        ++start;
    }
    if (slots.size() < start + chars.size()) {
        slots.resize(start + chars.size(), " ");
    }
    std::copy(chars.begin(), chars.end(), slots.begin() + static_cast<std::ptrdiff_t>(start));
}
}  // namespace

std::string summaryText(const std::vector<SummaryCell>& cells) {
    std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(summaryExtent(cells).rows));
    std::vector<const SummaryCell*> ordered;
    for (const SummaryCell& cell : cells) {
        ordered.push_back(&cell);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const SummaryCell* a, const SummaryCell* b) {
                         return a->row != b->row ? a->row < b->row : a->column < b->column;
                     });
    for (const SummaryCell* cell : ordered) {
        place(rows[static_cast<std::size_t>(cell->row)], *cell);
    }
    std::string out;
    for (auto& slots : rows) {
        while (!slots.empty() && slots.back() == " ") {
            slots.pop_back();
        }
        for (const std::string& ch : slots) {
            out += ch;
        }
        out += '\n';
    }
    return out;
}

SummaryExtent summaryExtent(const std::vector<SummaryCell>& cells) {
    SummaryExtent e;
    for (const SummaryCell& cell : cells) {
        e.rows = std::max(e.rows, cell.row + 1);
        e.columns = std::max(e.columns, cell.column + columnsOf(cell.text));
    }
    return e;
}
