#pragma once

#include <optional>
#include <span>
#include <string>

#include "gps/GpsTypes.h"

namespace kbfile {

// A position in decimal degrees, negative south and west.
struct GeoPoint {
    double latitude = 0.0;
    double longitude = 0.0;
};

// What the NMEA sentences stored with one ping say, read by the program's own parser the way
// playback believes them: only the sentences of the record's sentence set count, the last one
// of a kind wins, and an empty field gives nothing (where the parser would show 0).
struct NmeaReading {
    std::optional<GeoPoint> position;
    std::optional<double> speedKnots;
    std::optional<double> headingDegrees;
    std::string timeText;  // "hh:mm:ss" in UTC, empty when no sentence carried a time
    std::string dateText;  // "dd-MON-yyyy", empty unless an RMC sentence carried a date
};

NmeaReading readSentences(std::span<const std::string> sentences, GpsSentenceSet set);

// One $GPRMC sentence with CR LF that gives back, through readSentences, the position and
// (when known) speed, heading, time ("hh:mm:ss") and date ("dd-MON-yyyy"). Minutes keep four
// decimals.
std::string rmcSentence(const GeoPoint& position, std::optional<double> speedKnots,
                        std::optional<double> headingDegrees, const std::string& timeText,
                        const std::string& dateText);

}  // namespace kbfile
