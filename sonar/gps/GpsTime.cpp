#include "gps/GpsTime.h"

#include "gps/NmeaText.h"

namespace gps_time {
namespace {
// Days from 1970-01-01 to a proleptic Gregorian date (month 1..12).
long long daysFromCivil(long long y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}
}  // namespace

long long secondsSinceEpoch(int year, int month, int day, int hour, int minute, int second) {
    long long y = year;
    long long m0 = static_cast<long long>(month) - 1;  // 0-based, may be out of range
    y += m0 >= 0 ? m0 / 12 : (m0 - 11) / 12;
    m0 = ((m0 % 12) + 12) % 12;
    const long long days = daysFromCivil(y, static_cast<int>(m0) + 1, 1) + day - 1;
    return days * 86400 + static_cast<long long>(hour) * 3600 + minute * 60LL + second;
}

std::optional<std::tm> toLocal(long long secondsUtc) {
    const std::time_t t = static_cast<std::time_t>(secondsUtc);
    std::tm out{};
    if (localtime_r(&t, &out) == nullptr) {
        return std::nullopt;
    }
    return out;
}

}  // namespace gps_time

void fillClockRecord(const GpsTimeInput& in, GpsClock& clock, SystemTime& record) {
    record = clock.utcNow();
    if (in.year != 0) {
        record.year = in.year;
        record.month = in.month;
        record.day = in.day;
    }
    record.hour = in.hour;
    record.minute = in.minute;
    record.second = in.second;
}

void ConvertGpsTime(const GpsTimeInput& in, const CivilDate& fallbackDate, GpsClock& clock,
                    GpsText& texts, SystemTime& record) {
    const CivilDate date = in.year != 0 ? CivilDate{in.year, in.month, in.day} : fallbackDate;
    const long long utc =
        gps_time::secondsSinceEpoch(date.year, date.month, date.day, in.hour, in.minute, in.second);
    const std::optional<std::tm> local = gps_time::toLocal(utc);
    if (!local) {
        return;
    }
    fillClockRecord(in, clock, record);
    if (texts[GpsText::Date] != kGpsNotAvailable) {
        texts[GpsText::Date] =
            nmea::format("%02d-%s-%04d", local->tm_mday, nmea::monthName(local->tm_mon + 1),
                         local->tm_year + 1900);
    }
    texts[GpsText::Time] =
        nmea::format("%02d:%02d:%02d", local->tm_hour, local->tm_min, local->tm_sec);
}
