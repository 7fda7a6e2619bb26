#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nmeasim {

// A UTC instant as microseconds since 1970-01-01T00:00:00Z (no leap seconds, as in NMEA).
using UtcMicros = std::int64_t;

constexpr UtcMicros kMicrosPerSecond = 1000000;
constexpr std::int64_t kSecondsPerDay = 86400;

struct CivilTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int centis = 0;  // hundredths of a second, rounded down
};

CivilTime toCivil(UtcMicros t);
UtcMicros fromCivil(const CivilTime& c);

// "YYYY-MM-DDTHH:MM:SS", optionally with a trailing "Z"; nullopt for anything else or an
// impossible date.
std::optional<UtcMicros> parseIsoTime(const std::string& text);

}  // namespace nmeasim
