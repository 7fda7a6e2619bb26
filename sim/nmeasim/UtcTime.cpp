#include "nmeasim/UtcTime.h"

#include <cstdio>

namespace nmeasim {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil calendar algorithms).
std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy =
        (153 * static_cast<unsigned>(m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0));
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

CivilTime toCivil(UtcMicros t) {
    const std::int64_t seconds = floorDiv(t, kMicrosPerSecond);
    const std::int64_t micros = t - seconds * kMicrosPerSecond;
    const std::int64_t days = floorDiv(seconds, kSecondsPerDay);
    const std::int64_t secOfDay = seconds - days * kSecondsPerDay;
    CivilTime c;
    civilFromDays(days, c.year, c.month, c.day);
    c.hour = static_cast<int>(secOfDay / 3600);
    c.minute = static_cast<int>(secOfDay / 60 % 60);
    c.second = static_cast<int>(secOfDay % 60);
    c.centis = static_cast<int>(micros / 10000);
    return c;
}

UtcMicros fromCivil(const CivilTime& c) {
    const std::int64_t seconds = daysFromCivil(c.year, c.month, c.day) * kSecondsPerDay +
                                 c.hour * 3600 + c.minute * 60 + c.second;
    return seconds * kMicrosPerSecond + static_cast<std::int64_t>(c.centis) * 10000;
}

std::optional<UtcMicros> parseIsoTime(const std::string& text) {
    CivilTime c;
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%n", &c.year, &c.month, &c.day, &c.hour,
                    &c.minute, &c.second, &consumed) != 6) {
        return std::nullopt;
    }
    const std::string rest = text.substr(static_cast<std::size_t>(consumed));
    if (consumed != 19 || !(rest.empty() || rest == "Z")) {
        return std::nullopt;
    }
    if (c.month < 1 || c.month > 12 || c.hour > 23 || c.minute > 59 || c.second > 59 ||
        c.hour < 0 || c.minute < 0 || c.second < 0 || c.day < 1) {
        return std::nullopt;
    }
    const UtcMicros t = fromCivil(c);
    const CivilTime back = toCivil(t);
    if (back.day != c.day || back.month != c.month) {
        return std::nullopt;  // 31 April, 29 February of a common year
    }
    return t;
}

}  // namespace nmeasim
