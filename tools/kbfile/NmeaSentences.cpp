#include "kbfile/NmeaSentences.h"

#include <cmath>

#include "datafile/FieldText.h"
#include "datafile/PingTime.h"
#include "gps/NmeaParser.h"

namespace kbfile {
namespace {
using fieldtext::formatted;

// Positions are written in units of 0.0001 minute.
constexpr long long kUnitsPerMinute = 10000;
constexpr long long kUnitsPerDegree = 60 * kUnitsPerMinute;

// Reading a file never sets the computer's clock nor looks at it: times stay in UTC.
class NoClock : public GpsClock {
  public:
    SystemTime utcNow() override { return {}; }
    CivilDate localDate() override { return {}; }
    bool setUtc(const SystemTime&) override { return false; }
};

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
    NoClock clock;
    GpsData d;
    d.sentenceSet = set;
    NmeaReading r;
    for (const std::string& s : sentences) {
        DispatchSentence(s, d, clock);
        const GpsData::Carried& c = d.carried;
        if (c.position) {
            // The parser has handed the fix to the track, signed by its hemispheres.
            r.position = GeoPoint{d.fix.latitude, d.fix.longitude};
        }
        if (c.speed) {
            r.speedKnots = d.fix.speedKnots;
        }
        if (c.heading) {
            r.headingDegrees = d.fix.headingDegrees;
        }
        if (c.time) {
            r.timeText = d.text[GpsText::Time];
        }
        if (c.date) {
            r.dateText = d.text[GpsText::Date];
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
