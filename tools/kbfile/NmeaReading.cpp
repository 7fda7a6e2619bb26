#include "kbfile/NmeaReading.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "datafile/FieldText.h"
#include "datafile/PingTime.h"

namespace kbfile {
namespace {
using fieldtext::cut;
using fieldtext::formatted;

constexpr std::string_view kTalker = "$GP";
constexpr std::string_view kLineEnd = "\r\n";
constexpr double kMinutesToDegrees = 0.016666666666666666;
constexpr std::size_t kMinuteDigits = 2;
// Positions are written in units of 0.0001 minute.
constexpr long long kUnitsPerMinute = 10000;
constexpr long long kUnitsPerDegree = 60 * kUnitsPerMinute;
constexpr int kTwoDigitYearPivot = 69;

// The fields of an accepted sentence (field 0 is the name without "$GP"); empty when the
// sentence is not complete.
std::vector<std::string_view> fieldsOf(std::string_view s) {
    if (s.size() <= 3 || s.front() != '$' || !s.ends_with(kLineEnd)) {
        return {};
    }
    // A sentence whose start was lost and that ran into the next one is the later sentence.
    const std::size_t again = s.find('$', 1);
    if (again != std::string_view::npos) {
        s = s.substr(again);
    }
    if (!s.starts_with(kTalker)) {
        return {};
    }
    s = s.substr(kTalker.size(), s.size() - kTalker.size() - kLineEnd.size());
    s = s.substr(0, s.find('*'));
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = s.find(',', start);
        fields.push_back(cut(s, start, comma == std::string_view::npos ? s.size() : comma - start));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

std::string_view field(const std::vector<std::string_view>& f, std::size_t i) {
    return i < f.size() ? f[i] : std::string_view{};
}

// "ddmm.mmmm" or "dddmm.mmmm": the digits before the two minute digits are degrees.
double angleOf(std::string_view text) {
    std::size_t dot = text.find('.');
    if (dot == std::string_view::npos) {
        dot = text.size();
    }
    const std::size_t degreeDigits = dot >= kMinuteDigits ? dot - kMinuteDigits : 0;
    const int degrees = fieldtext::leadingInt(cut(text, 0, degreeDigits));
    const double minutes = fieldtext::leadingDouble(cut(text, degreeDigits, text.size()));
    return minutes * kMinutesToDegrees + degrees;
}

std::optional<GeoPoint> positionOf(const std::vector<std::string_view>& f, std::size_t first) {
    const std::string_view lat = field(f, first);
    const std::string_view lon = field(f, first + 2);
    if (lat.empty() || lon.empty()) {
        return std::nullopt;
    }
    const std::string_view ns = field(f, first + 1);
    const std::string_view ew = field(f, first + 3);
    GeoPoint p{angleOf(lat), angleOf(lon)};
    if (!ns.empty() && (ns[0] == 'S' || ns[0] == 's')) {
        p.latitude = -p.latitude;
    }
    if (!ew.empty() && (ew[0] == 'W' || ew[0] == 'w')) {
        p.longitude = -p.longitude;
    }
    return p;
}

std::optional<double> numberOf(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    return fieldtext::leadingDouble(text);
}

// "hhmmss[.ss]" as "hh:mm:ss"; empty when the field is too short.
std::string timeOf(std::string_view text) {
    if (text.size() < 6) {
        return {};
    }
    return formatted("%02d:%02d:%02d", fieldtext::leadingInt(cut(text, 0, 2)),
                     fieldtext::leadingInt(cut(text, 2, 2)),
                     fieldtext::leadingInt(cut(text, 4, 2)));
}

// "ddmmyy" as "dd-MON-yyyy".
std::string dateOf(std::string_view text) {
    if (text.size() < 6) {
        return {};
    }
    const int yy = fieldtext::leadingInt(cut(text, 4, 2));
    const int year = yy > kTwoDigitYearPivot ? 1900 + yy : 2000 + yy;
    return formatted("%02d-%s-%04d", fieldtext::leadingInt(cut(text, 0, 2)),
                     monthName(fieldtext::leadingInt(cut(text, 2, 2))), year);
}

void setIfAny(std::string& target, std::string value) {
    if (!value.empty()) {
        target = std::move(value);
    }
}

void readOne(const std::vector<std::string_view>& f, GpsSentenceSet set, NmeaReading& r) {
    const std::string_view name = field(f, 0);
    const bool vtgCounts = set == GpsSentenceSet::GllVtg || set == GpsSentenceSet::GgaVtg ||
                           set == GpsSentenceSet::Vtg;
    if (name == "GGA" && set == GpsSentenceSet::GgaVtg) {
        setIfAny(r.timeText, timeOf(field(f, 1)));
        if (const auto p = positionOf(f, 2)) {
            r.position = p;
        }
    } else if (name == "GLL" && set == GpsSentenceSet::GllVtg) {
        if (const auto p = positionOf(f, 1)) {
            r.position = p;
        }
        setIfAny(r.timeText, timeOf(field(f, 5)));
    } else if (name == "RMC" && set == GpsSentenceSet::Rmc) {
        setIfAny(r.timeText, timeOf(field(f, 1)));
        if (const auto p = positionOf(f, 3)) {
            r.position = p;
        }
        if (const auto v = numberOf(field(f, 7))) {
            r.speedKnots = v;
        }
        if (const auto v = numberOf(field(f, 8))) {
            r.headingDegrees = v;
        }
        setIfAny(r.dateText, dateOf(field(f, 9)));
    } else if (name == "VTG" && vtgCounts) {
        if (const auto v = numberOf(field(f, 1))) {
            r.headingDegrees = v;
        }
        if (const auto v = numberOf(field(f, 5))) {
            r.speedKnots = v;
        }
    }
}

// Degrees and minutes in the NMEA field form, degreeDigits wide.
std::string angleField(double value, int degreeDigits) {
    const long long units = std::llround(std::fabs(value) * static_cast<double>(kUnitsPerDegree));
    const long long degrees = units / kUnitsPerDegree;
    const long long rest = units % kUnitsPerDegree;
    return formatted("%0*lld%02lld.%04lld", degreeDigits, degrees, rest / kUnitsPerMinute,
                     rest % kUnitsPerMinute);
}

// "hh:mm:ss" as "hhmmss"; empty when the text is not a time.
std::string timeField(const std::string& text) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') {
        return {};
    }
    const PingTime t = parsePingTime("", text, "");
    return formatted("%02d%02d%02d", t.hour, t.minute, t.second);
}

// "dd-MON-yyyy" as "ddmmyy"; empty when the text is not a whole date.
std::string dateField(const std::string& text) {
    const PingTime t = parsePingTime(text, "", "");
    if (text.size() != 11 || t.month < 1 || t.month > 12) {
        return {};
    }
    return formatted("%02d%02d%02d", t.day, t.month, t.year % 100);
}

std::string numberField(std::optional<double> v) {
    return v && std::isfinite(*v) ? formatted("%.2f", *v) : std::string{};
}

}  // namespace

NmeaReading readSentences(std::span<const std::string> sentences, GpsSentenceSet set) {
    NmeaReading r;
    for (const std::string& s : sentences) {
        const std::vector<std::string_view> f = fieldsOf(s);
        if (!f.empty()) {
            readOne(f, set, r);
        }
    }
    return r;
}

std::string rmcSentence(const GeoPoint& position, std::optional<double> speedKnots,
                        std::optional<double> headingDegrees, const std::string& timeText,
                        const std::string& dateText) {
    const std::string body =
        "GPRMC," + timeField(timeText) + ",A," + angleField(position.latitude, 2) + "," +
        (position.latitude < 0.0 ? "S" : "N") + "," + angleField(position.longitude, 3) + "," +
        (position.longitude < 0.0 ? "W" : "E") + "," + numberField(speedKnots) + "," +
        numberField(headingDegrees) + "," + dateField(dateText) + ",,";
    unsigned checksum = 0;
    for (const char c : body) {
        checksum ^= static_cast<unsigned char>(c);
    }
    return "$" + body + formatted("*%02X", checksum) + "\r\n";
}

}  // namespace kbfile
