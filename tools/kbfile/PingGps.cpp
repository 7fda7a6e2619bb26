#include "kbfile/PingGps.h"

#include <cmath>

#include "datafile/FieldText.h"

namespace kbfile {
namespace {
constexpr long long kUnitsPerMinute = 10000;
constexpr long long kUnitsPerDegree = 60 * kUnitsPerMinute;

double signedBy(double value, char hemisphere, char negative) {
    const bool flip = hemisphere == negative || hemisphere == negative + ('a' - 'A');
    return flip ? -std::fabs(value) : value;
}

std::string knownText(const std::string& text) {
    return text == kGpsNotAvailable ? std::string{} : text;
}

PingGps ss2Gps(const PingRecord& rec) {
    PingGps g;
    if (!rec.gpsInput) {
        return g;
    }
    if (knownText(rec.gpsText[GpsText::Latitude]).size() > 0 &&
        knownText(rec.gpsText[GpsText::Longitude]).size() > 0) {
        g.position = GeoPoint{signedBy(rec.fix.latitude, rec.fix.latitudeHemisphere, 'S'),
                              signedBy(rec.fix.longitude, rec.fix.longitudeHemisphere, 'W')};
    }
    g.speedKnots = rec.fix.speedKnots;
    g.headingDegrees = rec.fix.headingDegrees;
    g.timeText = knownText(rec.gpsText[GpsText::Time]);
    g.dateText = knownText(rec.gpsText[GpsText::Date]);
    return g;
}

PingGps xtfGps(const PingRecord& rec) {
    PingGps g;
    if (rec.fix.latitude != 0.0 || rec.fix.longitude != 0.0) {
        g.position = GeoPoint{rec.fix.latitude, rec.fix.longitude};
    }
    if (g.position || rec.fix.speedKnots != 0.0 || rec.fix.headingDegrees != 0.0) {
        g.speedKnots = rec.fix.speedKnots;
        g.headingDegrees = rec.fix.headingDegrees;
    }
    return g;
}

void putFix(const PingGps& g, PingRecord& rec) {
    const GeoPoint p = g.position.value_or(GeoPoint{});
    rec.fix.latitude = std::fabs(p.latitude);
    rec.fix.longitude = std::fabs(p.longitude);
    rec.fix.latitudeHemisphere = g.position ? (p.latitude < 0.0 ? 'S' : 'N') : 0;
    rec.fix.longitudeHemisphere = g.position ? (p.longitude < 0.0 ? 'W' : 'E') : 0;
    rec.fix.speedKnots = g.speedKnots.value_or(0.0);
    rec.fix.headingDegrees = g.headingDegrees.value_or(0.0);
}

void putTexts(const PingGps& g, PingRecord& rec) {
    auto orNa = [](std::string text) { return text.empty() ? kGpsNotAvailable : text; };
    GpsText& t = rec.gpsText;
    t[GpsText::Latitude] =
        g.position ? positionText(g.position->latitude, 2, 'N', 'S') : kGpsNotAvailable;
    t[GpsText::Longitude] =
        g.position ? positionText(g.position->longitude, 3, 'E', 'W') : kGpsNotAvailable;
    t[GpsText::Speed] =
        g.speedKnots ? fieldtext::formatted("%.2f Knots", *g.speedKnots) : kGpsNotAvailable;
    t[GpsText::Heading] =
        g.headingDegrees ? fieldtext::formatted("%.2f Deg.", *g.headingDegrees) : kGpsNotAvailable;
    t[GpsText::Time] = orNa(g.timeText);
    t[GpsText::Date] = orNa(g.dateText);
}

void putSentence(const PingGps& ping, PingRecord& rec) {
    rec.fix.tickSentences = {};
    if (ping.position) {
        rec.sentenceSet = GpsSentenceSet::Rmc;
        rec.fix.tickSentences[0] = rmcSentence(*ping.position, ping.speedKnots, ping.headingDegrees,
                                               ping.timeText, ping.dateText);
    }
}

}  // namespace

PingGps gpsOf(const PingRecord& rec, SourceKind kind) {
    switch (kind) {
        case SourceKind::Dsx: {
            const NmeaReading r = readSentences(rec.fix.tickSentences, rec.sentenceSet);
            return {r.position, r.speedKnots, r.headingDegrees, r.timeText, r.dateText};
        }
        case SourceKind::Ss2:
            return ss2Gps(rec);
        case SourceKind::Xtf:
            break;
    }
    return xtfGps(rec);
}

void GpsCarry::update(const PingGps& ping) {
    if (ping.position) {
        current_.position = ping.position;
    }
    if (ping.speedKnots) {
        current_.speedKnots = ping.speedKnots;
    }
    if (ping.headingDegrees) {
        current_.headingDegrees = ping.headingDegrees;
    }
    if (!ping.timeText.empty()) {
        current_.timeText = ping.timeText;
    }
    if (!ping.dateText.empty()) {
        current_.dateText = ping.dateText;
    }
}

void applyGps(const GpsCarry& carry, const PingGps& ping, SourceKind from, SourceKind to,
              PingRecord& rec) {
    if (from == to) {
        return;
    }
    switch (to) {
        case SourceKind::Dsx:
            putSentence(ping, rec);
            break;
        case SourceKind::Ss2:
            rec.gpsInput = carry.current().position.has_value();
            putFix(carry.current(), rec);
            putTexts(carry.current(), rec);
            break;
        case SourceKind::Xtf:
            putFix(carry.current(), rec);
            break;
    }
}

std::string positionText(double value, int degreeDigits, char positive, char negative) {
    const long long units = std::llround(std::fabs(value) * static_cast<double>(kUnitsPerDegree));
    const long long rest = units % kUnitsPerDegree;
    return fieldtext::formatted("%0*lld.%02lld.%04lld %c", degreeDigits, units / kUnitsPerDegree,
                                rest / kUnitsPerMinute, rest % kUnitsPerMinute,
                                value < 0.0 ? negative : positive);
}

}  // namespace kbfile
