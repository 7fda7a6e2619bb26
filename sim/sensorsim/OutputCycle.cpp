#include "sensorsim/OutputCycle.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace sensorsim {
namespace {

using nmeasim::SentenceType;

constexpr int kOrder[kSentenceCount] = {GPGGA, GPGSA, GPGSV, GPRMC, GPVTG, GPGLL, LCGLL,
                                        LCVTG, PTVRB, PTVRE, PTVRF, PTVRT, PTVRV, PTVRM};
constexpr std::size_t kChannels = 12;
constexpr std::size_t kGgaQualityField = 6;
constexpr const char* kSimulatedQuality = "8";

// GPS time runs ahead of UTC by the leap seconds since its start on 1980-01-06.
constexpr std::int64_t kGpsEpochUnixSeconds = 315964800;
constexpr std::int64_t kLeapSeconds = 18;
constexpr std::int64_t kSecondsPerWeek = 604800;

// What a beacon receiver settles on when told to tune itself.
constexpr double kAutoTunedKHz = 298.5;
constexpr int kAutoBitRate = 100;
constexpr double kHorizontalErrorPerHdop = 3.5;
constexpr double kVerticalErrorPerVdop = 5.0;
constexpr int kBaseTemperature = 24;

std::string format(const char* fmt, auto... args) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, fmt, args...);
    return buffer;
}

// The framed sentence with one field replaced (field 0 is the address).
std::string withField(const std::string& framed, std::size_t index, const std::string& value) {
    const std::string body = framed.substr(1, framed.find('*') - 1);
    std::string out;
    std::size_t from = 0;
    for (std::size_t field = 0;; ++field) {
        const std::size_t comma = body.find(',', from);
        out += field == index ? value : body.substr(from, comma - from);
        if (comma == std::string::npos) {
            break;
        }
        out += ',';
        from = comma + 1;
    }
    return nmeasim::frame(out);
}

// A 12-channel receiver reports the twelve highest satellites.
void keepTracked(nmeasim::Fix& fix) {
    auto& sats = fix.satellites;
    if (sats.size() > kChannels) {
        std::sort(sats.begin(), sats.end(),
                  [](const auto& a, const auto& b) { return a.elevation > b.elevation; });
        sats.resize(kChannels);
        std::sort(sats.begin(), sats.end(),
                  [](const auto& a, const auto& b) { return a.prn < b.prn; });
    }
}

std::vector<SentenceType> standardTypes(int sentence) {
    switch (sentence) {
        case GPGGA:
            return {SentenceType::GGA};
        case GPGSA:
            return {SentenceType::GSA};
        case GPGSV:
            return {SentenceType::GSV};
        case GPRMC:
            return {SentenceType::RMC};
        case GPVTG:
        case LCVTG:
            return {SentenceType::VTG};
        case GPGLL:
        case LCGLL:
            return {SentenceType::GLL};
        default:
            return {};
    }
}

}  // namespace

OutputCycle::OutputCycle(std::uint64_t seed)
    : vessel_([seed] {
          nmeasim::VesselConfig v;
          v.seed = seed;
          return v;
      }()) {}

std::vector<Transmitted> OutputCycle::next(const SensorConfig& config, nmeasim::UtcMicros time,
                                           double seconds, bool testMode) {
    vessel_.advance(seconds);
    nmeasim::Fix fix = vessel_.fix(time);
    keepTracked(fix);
    std::vector<Transmitted> out;
    for (const int sentence : kOrder) {
        if (config.sentences[static_cast<std::size_t>(sentence)] == 0) {
            continue;
        }
        const std::vector<SentenceType> types = standardTypes(sentence);
        const bool loran = sentence == LCGLL || sentence == LCVTG;
        std::vector<std::string> texts = types.empty()
                                             ? proprietary(sentence, config, fix, testMode)
                                         : loran ? loran_.build(types, fix)
                                                 : gps_.build(types, fix);
        for (std::string& text : texts) {
            if (sentence == GPGGA && testMode) {
                text = withField(text, kGgaQualityField, kSimulatedQuality);
            }
            out.push_back({sentence, std::move(text)});
        }
    }
    return out;
}

std::vector<std::string> OutputCycle::proprietary(int sentence, const SensorConfig& c,
                                                  const nmeasim::Fix& fix, bool testMode) const {
    const std::int64_t unixSeconds = fix.time / nmeasim::kMicrosPerSecond;
    const std::int64_t gpsSeconds = unixSeconds - kGpsEpochUnixSeconds + kLeapSeconds;
    const double course = fix.courseDegrees * std::numbers::pi / 180.0;
    const double metresPerSecond = fix.speedKnots * nmeasim::kMetresPerSecondPerKnot;
    switch (sentence) {
        case PTVRB: {  // beacon: frequency, bit rate, signal-to-noise, auto or manual tuning
            const bool automatic = c.bcn_freq <= 0.0F;
            return {nmeasim::frame(format(
                "PTVRB,%.1f,%d,%d,%c", automatic ? kAutoTunedKHz : static_cast<double>(c.bcn_freq),
                c.bcn_br > 0 ? c.bcn_br : kAutoBitRate, 12 + static_cast<int>(unixSeconds % 7),
                automatic ? 'A' : 'M'))};
        }
        case PTVRE: {  // estimated horizontal, vertical and spherical error
            const double h = fix.hdop * kHorizontalErrorPerHdop;
            const double v = fix.vdop * kVerticalErrorPerVdop;
            return {nmeasim::frame(format("PTVRE,%.1f,M,%.1f,M,%.1f,M", h, v, std::hypot(h, v)))};
        }
        case PTVRF: {  // GPS week and time of week, fix dimension, satellites used, PDOP
            const char dimension = c.fixmode == 1 ? '2' : '3';
            return {nmeasim::frame(format("PTVRF,%lld,%lld,%c,%d,%.1f",
                                          static_cast<long long>(gpsSeconds / kSecondsPerWeek),
                                          static_cast<long long>(gpsSeconds % kSecondsPerWeek),
                                          dimension, fix.satellitesUsed(), fix.pdop))};
        }
        case PTVRT: {  // model, self test passed, normal or test mode, board temperature
            return {nmeasim::frame(
                format("PTVRT,%s,P,%c,%d", modelName(c.model).c_str(), testMode ? 'T' : 'N',
                       kBaseTemperature + static_cast<int>(unixSeconds / 60 % 5)))};
        }
        case PTVRV: {  // velocity east, north and up in metres per second
            return {nmeasim::frame(format("PTVRV,%.1f,%.1f,0.0", metresPerSecond * std::sin(course),
                                          metresPerSecond * std::cos(course)))};
        }
        case PTVRM: {  // the datum positions are given in
            const std::string name = datumName(c.datum);
            return {nmeasim::frame("PTVRM," + (name.empty() ? std::string("Unknown") : name))};
        }
        default:
            return {};
    }
}

std::string cycleNames(const std::vector<Transmitted>& cycle) {
    std::string names;
    int last = -1;
    for (const Transmitted& t : cycle) {
        if (t.sentence != last) {
            names += (names.empty() ? "" : " ") + sentenceName(t.sentence);
            last = t.sentence;
        }
    }
    return names;
}

}  // namespace sensorsim
