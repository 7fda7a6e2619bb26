#pragma once

#include <array>
#include <cstddef>
#include <string>

// The "GPS type" setting: which NMEA sentences the parser believes. Kept as the small integer it
// is stored as; a value outside 0..3 (a file may carry one) is kept and parses nothing.
enum class GpsSentenceSet : int { GllVtg = 0, GgaVtg = 1, Rmc = 2, Vtg = 3 };

// The list text of a set, "" for values outside 0..3.
inline const char* sentenceSetText(GpsSentenceSet set) {
    switch (set) {
        case GpsSentenceSet::GllVtg:
            return "GLL + VTG";
        case GpsSentenceSet::GgaVtg:
            return "GGA + VTG";
        case GpsSentenceSet::Rmc:
            return "RMC";
        case GpsSentenceSet::Vtg:
            return "VTG";
    }
    return "";
}

// Shown for every GPS value not received yet.
inline constexpr const char* kGpsNotAvailable = "n/a";

// The parsed position, speed and heading. Latitude and longitude are positive while parsing and
// take the sign of their hemisphere when the fix is handed to the track.
struct GpsFix {
    static constexpr std::size_t kTickSentences = 10;

    double latitude = 0.0;
    double longitude = 0.0;
    char latitudeHemisphere = 0;   // as received: 'N' or 'S'; 0 until a position arrived
    char longitudeHemisphere = 0;  // as received: 'E' or 'W'
    double speedKnots = 0.0;
    double headingDegrees = 0.0;
    int sentenceSeen = 0;  // a sentence reached the parser during the current read tick
    int trackRestart = 1;  // the next position starts a new track
    // The complete sentences (with CR LF) of the current read tick, in order; unused ones empty.
    std::array<std::string, kTickSentences> tickSentences;
};

// The six GPS display strings, each "n/a" until first set.
struct GpsText {
    enum Field : std::size_t { Latitude = 0, Longitude, Time, Speed, Heading, Date, kFieldCount };

    std::array<std::string, kFieldCount> fields{kGpsNotAvailable, kGpsNotAvailable,
                                                kGpsNotAvailable, kGpsNotAvailable,
                                                kGpsNotAvailable, kGpsNotAvailable};

    std::string& operator[](Field f) { return fields[f]; }
    const std::string& operator[](Field f) const { return fields[f]; }
};
