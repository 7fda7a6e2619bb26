#pragma once

#include <ctime>
#include <optional>

#include "gps/GpsClock.h"
#include "gps/GpsTypes.h"

namespace gps_time {

// Seconds since 1970-01-01 00:00 UTC of a Gregorian date and time. Months outside 1..12 roll
// into the neighbouring years, days outside the month into the neighbouring months.
long long secondsSinceEpoch(int year, int month, int day, int hour, int minute, int second);

// The local time of a moment, by the computer's time-zone rules; nothing when the conversion
// fails.
std::optional<std::tm> toLocal(long long secondsUtc);

}  // namespace gps_time

// The UTC time of a sentence turned into local texts, and the record the clock is set from.
struct GpsTimeInput {
    int hour = 0, minute = 0, second = 0;
    int year = 0, month = 0, day = 0;  // all 0 when the sentence carries no date
};

// Rewrites the time text (and the date text when it is not "n/a") of texts in local time and
// fills record for setting the clock. The date of a sentence without one is fallbackDate (the
// played ping's date during playback, else the computer's local date). When the local-time
// conversion fails nothing changes.
void ConvertGpsTime(const GpsTimeInput& in, const CivilDate& fallbackDate, GpsClock& clock,
                    GpsText& texts, SystemTime& record);

// Only the record: the clock is set from GPS time without touching the texts.
void fillClockRecord(const GpsTimeInput& in, GpsClock& clock, SystemTime& record);
