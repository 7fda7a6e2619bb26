#include "sensorcfg/SensorSentences.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace sensor_sentences {
namespace {
constexpr std::size_t kMaxField = 79;
constexpr char kFixModes[] = {'A', '2', '3'};
constexpr char kDgpsModes[] = {'A', 'W', 'R', 'N'};

template <typename... Args>
std::string format(const char* fmt, Args... args) {
    // Values loaded from a file are not range-checked, so a number may be very long.
    const int n = std::snprintf(nullptr, 0, fmt, args...);
    if (n <= 0) {
        return {};
    }
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), fmt, args...);
    out.pop_back();
    return out;
}

// Off and on travel as 1 and 2.
int onOff(int value) {
    return value != 0 ? 2 : 1;
}

char fixModeChar(int mode) {
    return mode >= 0 && mode < 3 ? kFixModes[mode] : 'A';
}

char dgpsModeChar(int mode) {
    return mode >= 0 && mode < 4 ? kDgpsModes[mode] : 'A';
}

// The number a field starts with, as the sensor's own firmware reads it; 0 for empty text.
int toInt(const std::string& field) {
    const long v = std::strtol(field.c_str(), nullptr, 10);
    return static_cast<int>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v);
}

double toReal(const std::string& field) {
    return std::strtod(field.c_str(), nullptr);
}

bool startsWith(const std::string& field, char c) {
    return !field.empty() && field.front() == c;
}

// Field n, or empty text when the line is shorter.
const std::string& field(const std::vector<std::string>& f, std::size_t n) {
    static const std::string kEmpty;
    return n < f.size() ? f[n] : kEmpty;
}

std::int16_t i16(int v) {
    return static_cast<std::int16_t>(v);
}
}  // namespace

std::string outputSelection(int sentence, bool on) {
    return format("$PTVRO,%s,%d\r\n", sentenceName(sentence).c_str(), on ? 1 : 0);
}

std::string positionSentence(const SensorConfig& c, const UtcTime& t) {
    return format("$PTVRI,%02d%06.03f,%c,%03d%06.03f,%c,%02d%02d%02d,%02d%02d%02d\r\n", c.lat_deg,
                  static_cast<double>(c.lat_min), c.lat_south ? 'S' : 'N', c.lon_deg,
                  static_cast<double>(c.lon_min), c.lon_west ? 'W' : 'E', t.day, t.month,
                  t.year % 100, t.hour, t.minute, t.second);
}

std::string configSentence(const SensorConfig& c) {
    const char diff = c.diffmode == 1 ? 'D' : 'A';
    if (c.datum == kUserDatum) {
        return format("$PTVRC,%c,%.1f,%d,%.3f,%.9f,%.1f,%.1f,%.1f,%c,%d,%d,%d,%d,%d\r\n",
                      fixModeChar(c.fixmode), static_cast<double>(c.alt), c.datum, c.datum_a,
                      c.datum_df, static_cast<double>(c.dx), static_cast<double>(c.dy),
                      static_cast<double>(c.dz), diff, c.baudrate, c.filter, onOff(c.ppsmode),
                      c.ppslen, c.vldtime);
    }
    return format("$PTVRC,%c,%.1f,%d,,,,,,%c,%d,%d,%d,%d,%d\r\n", fixModeChar(c.fixmode),
                  static_cast<double>(c.alt), c.datum, diff, c.baudrate, c.filter, onOff(c.ppsmode),
                  c.ppslen, c.vldtime);
}

std::string extraConfigSentence(const SensorConfig& c) {
    const char psm = c.psm != 0 ? 'P' : 'N';
    if (c.model == 0) {
        return format("$PTVRC1,%d,%d,%d,%.1f,%d,%d,%d,%c,%c,%d,%d,%d\r\n", c.outtime, onOff(c.cpo),
                      onOff(c.avg), static_cast<double>(c.bcn_freq), c.bcn_br, onOff(c.bcn_auto),
                      onOff(c.nmea230), dgpsModeChar(c.dgpsmode), psm, onOff(c.adaptive_tx),
                      onOff(c.auto_off), onOff(c.ext_pwr_on));
    }
    return format("$PTVRC1,%d,%d,%d,%.1f,%d,%d,%d,%c,%c,,,,%d\r\n", c.outtime, onOff(c.cpo),
                  onOff(c.avg), static_cast<double>(c.bcn_freq), c.bcn_br, onOff(c.bcn_auto),
                  onOff(c.nmea230), dgpsModeChar(c.dgpsmode), psm, onOff(c.pps_auto_off));
}

std::vector<std::string> uploadSentences(const SensorConfig& c, const UtcTime& now) {
    std::vector<std::string> out;
    for (int i = 0; i < kSentenceCount; ++i) {
        out.push_back(outputSelection(i, c.sentences[static_cast<std::size_t>(i)] != 0));
    }
    out.push_back(positionSentence(c, now));
    out.push_back(configSentence(c));
    out.push_back(c.model == 1 ? std::string(kCalderFinish) : extraConfigSentence(c));
    if (c.model == 6) {
        out.emplace_back(kResetUnit);
    }
    return out;
}

bool succeedsWithoutEcho(const std::string& sentence) {
    return sentence == kEraseNonVol || sentence == kTestMode;
}

std::string binaryModeSentence(int model) {
    return model == 6 ? "$PTVRO,,S\r\n" : "$PTVRO,,G\r\n";
}

std::string binaryPacket(std::uint8_t id, const std::vector<std::uint8_t>& data) {
    constexpr char kDle = 0x10;
    constexpr char kEtx = 0x03;
    std::uint8_t sum = static_cast<std::uint8_t>(id + data.size());
    std::string out{kDle, static_cast<char>(id), static_cast<char>(data.size())};
    for (const std::uint8_t b : data) {
        out += static_cast<char>(b);
        sum = static_cast<std::uint8_t>(sum + b);
    }
    out += static_cast<char>(static_cast<std::uint8_t>(-sum));
    out += kDle;
    out += kEtx;
    return out;
}

std::string nmeaReturnPacket(int model) {
    if (model == 6) {
        return binaryPacket(0x0D, {0x02, 0x0D, 0x00, 0x00});
    }
    return binaryPacket(0x0A, {0x26, 0x00});
}

std::vector<std::string> splitFields(const std::string& line) {
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    const std::size_t star = text.find('*');
    if (star != std::string::npos) {
        text.resize(star);
    }
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        fields.push_back(text.substr(start, std::min(end - start, kMaxField)));
        if (comma == std::string::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

void parsePosition(const std::string& line, SensorConfig& c) {
    // The name is the first field; the date and time at the end are not taken.
    const auto f = splitFields(line);
    const std::string& lat = field(f, 1);
    c.lat_deg = i16(toInt(lat.substr(0, 2)));
    c.lat_min = static_cast<float>(toReal(lat.size() > 2 ? lat.substr(2) : std::string()));
    c.lat_south = startsWith(field(f, 2), 'N') ? 0 : 1;
    const std::string& lon = field(f, 3);
    c.lon_deg = i16(toInt(lon.substr(0, 3)));
    c.lon_min = static_cast<float>(toReal(lon.size() > 3 ? lon.substr(3) : std::string()));
    c.lon_west = startsWith(field(f, 4), 'E') ? 0 : 1;
}

void parseConfig(const std::string& line, SensorConfig& c) {
    const auto f = splitFields(line);
    const bool calder = c.model == 1;
    c.fixmode = i16(startsWith(field(f, 1), 'A') ? 0 : toInt(field(f, 1)) - 1);
    c.alt = static_cast<float>(toReal(field(f, 2)));
    c.datum = i16(toInt(field(f, 3)));
    c.datum_a = toReal(field(f, 4));
    c.datum_df = toReal(field(f, 5));
    c.dx = static_cast<float>(toReal(field(f, 6)));
    c.dy = static_cast<float>(toReal(field(f, 7)));
    c.dz = static_cast<float>(toReal(field(f, 8)));
    c.diffmode = i16(calder || startsWith(field(f, 9), 'A') ? 0 : 1);
    if (c.model >= 2 && c.model <= 7) {
        c.baudrate = i16(toInt(field(f, 10)));
    }
    c.filter = i16(toInt(field(f, 11)));
    c.ppsmode = i16(calder || startsWith(field(f, 12), '1') ? 0 : 1);
    if (!calder) {
        c.ppslen = i16(toInt(field(f, 13)));
    }
    c.vldtime = i16(toInt(field(f, 14)));
    if (c.datum != kUserDatum) {
        constexpr float kLimit = 5000.0F;
        auto outside = [](float v) { return v > kLimit || v < -kLimit; };
        if (outside(c.dx) || outside(c.dy) || outside(c.dz)) {
            c.dx = c.dy = c.dz = 0.0F;
        }
        c.datum_a = kWgs84SemiMajorAxis;
        c.datum_df = kWgs84InverseFlattening;
    }
}

void parseExtraConfig(const std::string& line, SensorConfig& c) {
    const auto f = splitFields(line);
    const std::size_t last = f.size() - 1;  // the number of fields after the name
    auto on = [&](std::size_t n) { return i16(startsWith(field(f, n), '1') ? 0 : 1); };
    auto two = [&](std::size_t n) { return i16(startsWith(field(f, n), '2') ? 1 : 0); };
    c.outtime = i16(toInt(field(f, 1)));
    c.cpo = on(2);
    c.avg = on(3);
    c.bcn_freq = static_cast<float>(toReal(field(f, 4)));
    c.bcn_br = i16(toInt(field(f, 5)));
    c.bcn_auto = on(6);
    c.nmea230 = on(7);
    // A reply that ends at (or before) the DGPS mode carries nothing further worth taking.
    if (last <= 8) {
        return;
    }
    switch (field(f, 8).empty() ? '\0' : field(f, 8).front()) {
        case 'A':
            c.dgpsmode = 0;
            break;
        case 'W':
            c.dgpsmode = 1;
            break;
        case 'R':
            c.dgpsmode = 2;
            break;
        default:
            c.dgpsmode = 3;
            break;
    }
    c.psm = i16(startsWith(field(f, 9), 'P') ? 1 : 0);
    if (last == 9) {
        return;
    }
    c.adaptive_tx = two(10);
    c.auto_off = two(11);
    c.ext_pwr_on = two(12);
    if (last >= 13) {
        c.pps_auto_off = two(13);
    }
}

}  // namespace sensor_sentences
