#include "nmeasim/Nmea.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace nmeasim {
namespace {

constexpr std::array<const char*, 7> kNames = {"GGA", "GLL", "RMC", "VTG", "GSA", "GSV", "ZDA"};
constexpr double kKmPerNauticalMile = 1.852;
constexpr int kMinuteDecimals = 5;
constexpr double kMinuteScale = 100000.0;  // 10^kMinuteDecimals
constexpr int kSatellitesPerGsv = 4;
constexpr std::size_t kGsaSlots = 12;

std::string printf1(const char* format, double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, v);
    return buffer;
}

// A course just under 360 would print as "360.00", which no receiver sends.
std::string courseText(double degrees) {
    std::string text = printf1("%.2f", degrees);
    return text == "360.00" ? "0.00" : text;
}

// "ddmm.mmmmm,N" (two or three degree digits), rounded so that minutes never read 60.
std::string angle(double value, int degreeDigits, char positive, char negative) {
    const double magnitude = std::fabs(value);
    const long long scaled = std::llround(magnitude * 60.0 * kMinuteScale);
    const long long perDegree = static_cast<long long>(60 * kMinuteScale);
    const long long degrees = scaled / perDegree;
    const double minutes = static_cast<double>(scaled % perDegree) / kMinuteScale;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld%0*.*f,%c", degreeDigits, degrees,
                  kMinuteDecimals + 3, kMinuteDecimals, minutes,
                  value < 0 && scaled != 0 ? negative : positive);
    return buffer;
}

std::string timeField(UtcMicros t) {
    const CivilTime c = toCivil(t);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d%02d%02d.%02d", c.hour, c.minute, c.second, c.centis);
    return buffer;
}

std::string dateField(UtcMicros t) {
    const CivilTime c = toCivil(t);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d%02d%02d", c.day, c.month, c.year % 100);
    return buffer;
}

std::string position(const Fix& fix) {
    return angle(fix.latitude, 2, 'N', 'S') + "," + angle(fix.longitude, 3, 'E', 'W');
}

}  // namespace

std::optional<SentenceType> sentenceTypeFromName(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (upper == kNames[i]) {
            return static_cast<SentenceType>(i);
        }
    }
    return std::nullopt;
}

const char* sentenceName(SentenceType type) {
    return kNames[static_cast<std::size_t>(type)];
}

std::uint8_t checksum(std::string_view body) {
    std::uint8_t sum = 0;
    for (const char c : body) {
        sum ^= static_cast<std::uint8_t>(c);
    }
    return sum;
}

std::string frame(std::string_view body) {
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", checksum(body));
    std::string out;
    out.reserve(body.size() + 6);
    out += '$';
    out += body;
    out += tail;
    return out;
}

int Fix::satellitesUsed() const {
    return static_cast<int>(std::count_if(satellites.begin(), satellites.end(),
                                          [](const Satellite& s) { return s.used; }));
}

std::vector<std::string> SentenceBuilder::build(const std::vector<SentenceType>& types,
                                                const Fix& fix) const {
    std::vector<std::string> out;
    for (const SentenceType type : types) {
        append(type, fix, out);
    }
    return out;
}

void SentenceBuilder::append(SentenceType type, const Fix& fix,
                             std::vector<std::string>& out) const {
    switch (type) {
        case SentenceType::GGA:
            out.push_back(frame(gga(fix)));
            break;
        case SentenceType::GLL:
            out.push_back(frame(gll(fix)));
            break;
        case SentenceType::RMC:
            out.push_back(frame(rmc(fix)));
            break;
        case SentenceType::VTG:
            out.push_back(frame(vtg(fix)));
            break;
        case SentenceType::GSA:
            out.push_back(frame(gsa(fix)));
            break;
        case SentenceType::GSV:
            gsv(fix, out);
            break;
        case SentenceType::ZDA:
            out.push_back(frame(zda(fix)));
            break;
    }
}

std::string SentenceBuilder::gga(const Fix& fix) const {
    char tail[96];
    std::snprintf(tail, sizeof tail, ",1,%02d,%.1f,%.1f,M,%.1f,M,,", fix.satellitesUsed(), fix.hdop,
                  fix.altitude, fix.geoidSeparation);
    return talker_ + "GGA," + timeField(fix.time) + "," + position(fix) + tail;
}

std::string SentenceBuilder::gll(const Fix& fix) const {
    return talker_ + "GLL," + position(fix) + "," + timeField(fix.time) + ",A,A";
}

// Magnetic variation is left empty: the simulator has no magnetic model, as many receivers.
std::string SentenceBuilder::rmc(const Fix& fix) const {
    return talker_ + "RMC," + timeField(fix.time) + ",A," + position(fix) + "," +
           printf1("%.2f", fix.speedKnots) + "," + courseText(fix.courseDegrees) + "," +
           dateField(fix.time) + ",,,A";
}

std::string SentenceBuilder::vtg(const Fix& fix) const {
    return talker_ + "VTG," + courseText(fix.courseDegrees) + ",T,,M," +
           printf1("%.2f", fix.speedKnots) + ",N," +
           printf1("%.2f", fix.speedKnots * kKmPerNauticalMile) + ",K,A";
}

std::string SentenceBuilder::gsa(const Fix& fix) const {
    std::string body = talker_ + "GSA,A,3";
    std::size_t slots = 0;
    for (const Satellite& s : fix.satellites) {
        if (s.used && slots < kGsaSlots) {
            char prn[8];
            std::snprintf(prn, sizeof prn, ",%02d", s.prn);
            body += prn;
            ++slots;
        }
    }
    for (; slots < kGsaSlots; ++slots) {
        body += ',';
    }
    char dops[48];
    std::snprintf(dops, sizeof dops, ",%.1f,%.1f,%.1f", fix.pdop, fix.hdop, fix.vdop);
    return body + dops;
}

// Satellites in view are GPS satellites: a multi-constellation receiver still reports them
// with the GP talker.
void SentenceBuilder::gsv(const Fix& fix, std::vector<std::string>& out) const {
    const std::string talker = talker_ == "GN" ? "GP" : talker_;
    const int inView = static_cast<int>(fix.satellites.size());
    const int messages = std::max(1, (inView + kSatellitesPerGsv - 1) / kSatellitesPerGsv);
    for (int m = 0; m < messages; ++m) {
        char head[32];
        std::snprintf(head, sizeof head, "GSV,%d,%d,%02d", messages, m + 1, inView);
        std::string body = talker + head;
        for (int i = m * kSatellitesPerGsv; i < std::min(inView, (m + 1) * kSatellitesPerGsv);
             ++i) {
            const Satellite& s = fix.satellites[static_cast<std::size_t>(i)];
            char sat[32];
            std::snprintf(sat, sizeof sat, ",%02d,%02d,%03d,", s.prn, s.elevation, s.azimuth);
            body += sat;
            if (s.snr > 0) {
                body += std::to_string(s.snr);
            }
        }
        out.push_back(frame(body));
    }
}

std::string SentenceBuilder::zda(const Fix& fix) const {
    const CivilTime c = toCivil(fix.time);
    char tail[32];
    std::snprintf(tail, sizeof tail, ",%02d,%02d,%04d,00,00", c.day, c.month, c.year);
    return talker_ + "ZDA," + timeField(fix.time) + tail;
}

}  // namespace nmeasim
