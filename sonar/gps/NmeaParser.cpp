#include "gps/NmeaParser.h"

#include <algorithm>
#include <cmath>

#include "gps/GpsTime.h"
#include "gps/NmeaText.h"

namespace {
constexpr double kMinutesToDegrees = 0.016666666666666666;  // the double nearest 1/60
constexpr std::size_t kMinutesTextMax = 7;                  // "mm.mmmm": cut, not rounded
constexpr int kTwoDigitYearPivot = 69;
constexpr std::string_view kLineEnd = "\r\n";

// "dd.mm.mmmm H": short, so it is put together on the stack; a malformed field's longer text
// goes into a string of its own.
struct AngleText {
    static constexpr std::size_t kInline = 32;
    char chars[kInline];
    std::size_t length = 0;
    std::string longer;

    void set(std::string_view degrees, std::string_view minutes, char hemisphere) {
        length = degrees.size() + minutes.size() + 3;
        char* p = chars;
        if (length > kInline) {
            longer.resize(length);
            p = longer.data();
        }
        p = std::copy(degrees.begin(), degrees.end(), p);
        *p++ = '.';
        p = std::copy(minutes.begin(), minutes.end(), p);
        *p++ = ' ';
        *p = hemisphere;
    }
    void copyTo(std::string& out) const {
        out.assign(length > kInline ? longer.data() : chars, length);
    }
};

struct Angle {
    double value = 0.0;
    char hemisphere = 0;
    AngleText text;
    bool present = false;  // the field was there and not empty
};

// A latitude or longitude field from start up to comma; dot is searched from the comma before
// the field, so an empty field finds the point of a later field and reads as nothing.
void readAngle(const NmeaText& s, long commaBefore, long start, long comma, Angle& a) {
    const long dot = s.find('.', commaBefore);
    const long degreeDigits = dot - start - 2;
    const std::string_view degreesText = s.sub(start, degreeDigits);
    std::string_view minutesText = s.sub(dot - 2, comma - (dot - 2));
    a.value = nmea::toDouble(minutesText) * kMinutesToDegrees + nmea::toInt(degreesText);
    a.hemisphere = s.at(comma + 1);
    if (minutesText.size() > kMinutesTextMax) {
        minutesText = minutesText.substr(0, kMinutesTextMax);
    }
    a.text.set(degreesText, minutesText, a.hemisphere);
    a.present = comma > start && dot > start && dot < comma;
}

// Latitude field starting after comma c: fills the fix and its texts. A receiver without a fix
// sends empty fields; they leave the last position as it was instead of drawing 0 N 0 E.
// lonEnd: the third comma searched from c on (whatever was found), where the caller's search
// for later fields goes on.
bool readPosition(const NmeaText& s, long c, GpsData& d, long& lonEnd) {
    const long latEnd = s.find(',', c + 1);
    const long lonComma = s.find(',', latEnd + 1);
    lonEnd = s.find(',', lonComma + 1);
    if (latEnd < 0 || lonComma < 0 || lonEnd < 0) {
        return false;
    }
    Angle lat;
    Angle lon;
    readAngle(s, c, c + 1, latEnd, lat);
    readAngle(s, lonComma, lonComma + 1, lonEnd, lon);
    if (!lat.present || !lon.present) {
        return false;
    }
    d.fix.latitude = lat.value;
    d.fix.latitudeHemisphere = lat.hemisphere;
    d.fix.longitude = lon.value;
    d.fix.longitudeHemisphere = lon.hemisphere;
    lat.text.copyTo(d.text[GpsText::Latitude]);
    lon.text.copyTo(d.text[GpsText::Longitude]);
    d.carried.position = true;
    return true;
}

// Whether the field after comma holds anything.
bool filled(const NmeaText& s, long comma) {
    const char c = s.at(comma + 1);
    return comma >= 0 && c != ',' && c != '*' && c != '\r' && c != '\0';
}

GpsTimeInput readTime(const NmeaText& s, long comma, GpsData& d) {
    d.carried.time = filled(s, comma);
    GpsTimeInput t;
    t.hour = nmea::toInt(s.sub(comma + 1, 2));
    t.minute = nmea::toInt(s.sub(comma + 3, 2));
    t.second = nmea::toInt(s.sub(comma + 5, 2));
    return t;
}

void readDate(const NmeaText& s, long comma, GpsTimeInput& t, GpsData& d) {
    d.carried.date = filled(s, comma);
    GpsText& text = d.text;
    t.day = nmea::toInt(s.sub(comma + 1, 2));
    t.month = nmea::toInt(s.sub(comma + 3, 2));
    const int yy = nmea::toInt(s.sub(comma + 5, 2));
    t.year = yy > kTwoDigitYearPivot ? 1900 + yy : 2000 + yy;
    nmea::writeDate(text[GpsText::Date], t.day, t.month, t.year);
}

void applyTime(const GpsTimeInput& t, GpsData& d, GpsClock& clock) {
    nmea::writeTime(d.text[GpsText::Time], t.hour, t.minute, t.second);
    if (d.utcToLocal) {
        const CivilDate fallback = d.playback ? d.playbackDate : clock.localDate();
        ConvertGpsTime(t, fallback, clock, d.text, d.clockRecord);
    }
    if (d.syncRequest && !d.playback) {
        fillClockRecord(t, clock, d.clockRecord);
        clock.setUtc(d.clockRecord);  // without the privilege nothing happens, silently
        d.syncRequest = false;
    }
}

void setSpeed(double knots, GpsData& d) {
    d.fix.speedKnots = knots;
    nmea::writeFixed(d.text[GpsText::Speed], knots, " Knots");
}

void setHeading(double degrees, GpsData& d) {
    d.fix.headingDegrees = degrees;
    nmea::writeFixed(d.text[GpsText::Heading], degrees, " Deg.");
}

bool ParseGGA(const NmeaText& s, GpsData& d, GpsClock& clock) {
    const long c0 = s.find(',', 0);
    const GpsTimeInput t = readTime(s, c0, d);
    d.text[GpsText::Date] = kGpsNotAvailable;
    long lonEnd = -1;
    const bool position = readPosition(s, s.find(',', c0 + 1), d, lonEnd);
    applyTime(t, d, clock);
    return position;
}

bool ParseGLL(const NmeaText& s, GpsData& d, GpsClock& clock) {
    const long c0 = s.find(',', 0);
    long lonEnd = -1;
    const bool position = readPosition(s, c0, d, lonEnd);
    const long c = s.find(',', lonEnd + 1);  // the fourth comma from c0
    const GpsTimeInput t = readTime(s, c, d);
    d.text[GpsText::Date] = kGpsNotAvailable;
    applyTime(t, d, clock);
    return position;
}

bool ParseRMC(const NmeaText& s, GpsData& d, GpsClock& clock) {
    const long c0 = s.find(',', 0);
    GpsTimeInput t = readTime(s, c0, d);
    const long c1 = s.find(',', c0 + 1);  // status: not looked at
    const long c2 = s.find(',', c1 + 1);
    long lonEnd = -1;
    const bool position = readPosition(s, c2, d, lonEnd);
    long c = s.find(',', lonEnd + 1);  // the fourth comma from c2
    d.carried.speed = filled(s, c);
    setSpeed(nmea::toDouble(s.sub(c + 1, s.size())), d);
    c = s.find(',', c + 1);
    d.carried.heading = filled(s, c);
    setHeading(nmea::toDouble(s.sub(c + 1, s.size())), d);
    c = s.find(',', c + 1);
    readDate(s, c, t, d);
    applyTime(t, d, clock);
    return position;
}

void ParseVTG(const NmeaText& s, GpsData& d) {
    long c = s.find(',', 0);
    d.carried.heading = filled(s, c);
    setHeading(nmea::toDouble(s.sub(c + 1, s.size())), d);
    for (int i = 0; i < 4; ++i) {
        c = s.find(',', c + 1);
    }
    d.carried.speed = filled(s, c);
    setSpeed(nmea::toDouble(s.sub(c + 1, s.size())), d);
}

double signedBy(double value, char hemisphere, char negative) {
    return hemisphere == negative || hemisphere == negative + ('a' - 'A') ? -std::fabs(value)
                                                                          : value;
}

void handToTrack(GpsData& d) {
    if (!d.positionParsed || d.text[GpsText::Latitude] == kGpsNotAvailable ||
        d.text[GpsText::Longitude] == kGpsNotAvailable) {
        return;
    }
    d.fix.latitude = signedBy(d.fix.latitude, d.fix.latitudeHemisphere, 'S');
    d.fix.longitude = signedBy(d.fix.longitude, d.fix.longitudeHemisphere, 'W');
    d.track.AddTrackPoint(d.fix.latitude, d.fix.longitude, d.fix.trackRestart != 0);
    ++d.positionsAdded;
    d.fix.trackRestart = 0;
    d.positionParsed = false;
}
}  // namespace

std::string_view sentenceName(std::string_view sentence) {
    return sentence.size() >= 6 ? sentence.substr(3, 3) : std::string_view{};
}

bool sentenceInSet(std::string_view name, GpsSentenceSet set) {
    switch (set) {
        case GpsSentenceSet::GllVtg:
            return name == "GLL" || name == "VTG";
        case GpsSentenceSet::GgaVtg:
            return name == "GGA" || name == "VTG";
        case GpsSentenceSet::Rmc:
            return name == "RMC";
        case GpsSentenceSet::Vtg:
            return name == "VTG";
    }
    return false;
}

void DispatchSentence(std::string_view sentence, GpsData& d, GpsClock& clock) {
    d.fix.sentenceSeen = 1;
    d.carried = {};
    if (sentence.size() <= 3 || sentence.front() != '$' || !sentence.ends_with(kLineEnd)) {
        return;
    }
    // A sentence whose start was lost and that ran into the next one is the later sentence.
    const std::size_t again = sentence.find('$', 1);
    if (again != std::string_view::npos) {
        sentence = sentence.substr(again);
    }
    if (!nmea::checksumAcceptable(sentence)) {
        return;
    }
    const NmeaText s(sentence);
    const std::string_view name = sentenceName(sentence);
    const GpsSentenceSet set = d.sentenceSet;
    bool position = false;
    if (name == "GGA" && set == GpsSentenceSet::GgaVtg) {
        position = ParseGGA(s, d, clock);
    } else if (name == "GLL" && set == GpsSentenceSet::GllVtg) {
        position = ParseGLL(s, d, clock);
    } else if (name == "RMC" && set == GpsSentenceSet::Rmc) {
        position = ParseRMC(s, d, clock);
    } else if (name == "VTG" && sentenceInSet(name, set)) {
        ParseVTG(s, d);
        position = set == GpsSentenceSet::Vtg;
    }
    if (position) {
        d.positionParsed = true;
    }
    handToTrack(d);
}

void ResetGpsData(GpsData& d) {
    d.fix.trackRestart = 1;
    d.recent.clear();
}
