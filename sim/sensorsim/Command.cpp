#include "sensorsim/Command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "nmeasim/Nmea.h"

namespace sensorsim {
namespace {

constexpr int kCalder = 1;
constexpr int kHadley = 6;
constexpr int kUserDatumFields = 5;  // semi-major axis, inverse flattening, DX, DY, DZ

// Ranges the unit accepts; the editor's dialogs keep values inside them.
constexpr double kMinAltitude = -1500.0;
constexpr double kMaxAltitude = 18000.0;
constexpr double kMinAxis = 6360000.0;
constexpr double kMaxAxis = 6380000.0;
constexpr double kMinFlattening = 285.0;
constexpr double kMaxFlattening = 311.0;
constexpr double kMaxShift = 5000.0;
constexpr long kMaxFilter = 255;
constexpr long kMaxPpsLength = 255;
constexpr long kMaxValidTime = 255;
constexpr long kMaxOutputTime = 900;
constexpr double kLowestBeaconKHz = 283.5;
constexpr double kHighestBeaconKHz = 325.0;
constexpr long kBitRates[] = {0, 25, 50, 100, 200};

using Fields = std::vector<std::string_view>;

Fields split(std::string_view s) {
    Fields out;
    while (true) {
        const std::size_t comma = s.find(',');
        out.push_back(s.substr(0, comma));
        if (comma == std::string_view::npos) {
            return out;
        }
        s.remove_prefix(comma + 1);
    }
}

bool allDigits(std::string_view f) {
    return !f.empty() && f.find_first_not_of("0123456789") == std::string_view::npos;
}

std::optional<long> integer(std::string_view f, long low, long high) {
    const std::string_view digits = !f.empty() && f[0] == '-' ? f.substr(1) : f;
    if (!allDigits(digits) || digits.size() > 9) {
        return std::nullopt;
    }
    const long v = std::strtol(std::string(f).c_str(), nullptr, 10);
    return v >= low && v <= high ? std::optional<long>(v) : std::nullopt;
}

std::optional<double> real(std::string_view f, double low, double high) {
    if (f.empty() || f.find_first_not_of("0123456789.-+") != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string text(f);
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v) || v < low || v > high) {
        return std::nullopt;
    }
    return v;
}

// Index of the one-letter field in `letters`.
std::optional<std::int16_t> letter(std::string_view f, std::string_view letters) {
    if (f.size() != 1 || letters.find(f[0]) == std::string_view::npos) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(letters.find(f[0]));
}

// On/off settings travel as 1 (off) and 2 (on).
std::optional<std::int16_t> onOff(std::string_view f) {
    return letter(f, "12");
}

Verdict refuse(std::string reason) {
    return Verdict{std::nullopt, std::move(reason)};
}

Verdict accept(Answer answer, Action action, const SensorConfig& config) {
    return Verdict{Accepted{answer, action, config}, {}};
}

// Strips a trailing "*hh" after checking it; false when it is wrong.
bool stripChecksum(std::string_view& s) {
    const std::size_t star = s.find('*');
    if (star == std::string_view::npos) {
        return true;
    }
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", nmeasim::checksum(s.substr(1, star - 1)));
    if (s.substr(star + 1) != hex) {
        return false;
    }
    s = s.substr(0, star);
    return true;
}

// "$PTVRO": the probe, output selection and the one-letter commands.
Verdict outputCommand(const Fields& f, const SensorConfig& c) {
    if (f.size() != 3) {
        return refuse("expected 2 fields");
    }
    if (!f[1].empty()) {
        const int index = sentenceIndex(std::string(f[1]));
        const auto on = letter(f[2], "01");
        if (index < 0 || !on) {
            return refuse("unknown sentence or setting");
        }
        SensorConfig next = c;
        next.sentences[static_cast<std::size_t>(index)] = *on;
        return accept(Answer::Echo, Action::None, next);
    }
    const std::string_view command = f[2];
    if (command.empty()) {
        return accept(Answer::Echo, Action::None, c);
    }
    if (command == "B") {
        return c.model == kCalder ? accept(Answer::Echo, Action::None, c)
                                  : refuse("only base model 1 takes B");
    }
    if (command == "E") {
        SensorConfig fresh = c;
        resetToDefaults(fresh, c.model);
        return accept(Answer::Silent, Action::EraseMemory, fresh);
    }
    if (command == "T") {
        return accept(Answer::Silent, Action::TestMode, c);
    }
    if (command == (c.model == kHadley ? "S" : "G")) {
        return accept(Answer::Silent, Action::BinaryMode, c);
    }
    return refuse("unknown command for this base model");
}

// "ddmm.mmm" or "dddmm.mmm": degrees from the leading digits, minutes from the rest.
bool angle(std::string_view f, std::size_t degreeDigits, long maxDegrees, std::int16_t& degrees,
           float& minutes) {
    if (f.size() <= degreeDigits || !allDigits(f.substr(0, degreeDigits))) {
        return false;
    }
    const auto d = integer(f.substr(0, degreeDigits), 0, maxDegrees);
    const auto m = real(f.substr(degreeDigits), 0.0, 60.0);
    if (!d || !m) {
        return false;
    }
    degrees = static_cast<std::int16_t>(*d);
    minutes = static_cast<float>(*m);
    return true;
}

// Six digits in three pairs, each pair within its limits.
bool pairs(std::string_view f, int low0, int high0, int low1, int high1, int low2, int high2) {
    if (f.size() != 6 || !allDigits(f)) {
        return false;
    }
    const int lows[] = {low0, low1, low2};
    const int highs[] = {high0, high1, high2};
    for (int i = 0; i < 3; ++i) {
        const int v = (f[2 * i] - '0') * 10 + (f[2 * i + 1] - '0');
        if (v < lows[i] || v > highs[i]) {
            return false;
        }
    }
    return true;
}

// "$PTVRI": initial position and time, or the reset and autolocate commands.
Verdict positionCommand(const Fields& f, const SensorConfig& c) {
    if (f.size() == 8) {
        for (std::size_t i = 1; i < 7; ++i) {
            if (!f[i].empty()) {
                return refuse("expected empty fields before the command");
            }
        }
        if (f[7] == "R") {
            return accept(Answer::Echo, Action::ResetUnit, c);
        }
        if (f[7] == "A") {
            return accept(Answer::Echo, Action::Autolocate, c);
        }
        return refuse("unknown command");
    }
    if (f.size() != 7) {
        return refuse("expected 6 fields");
    }
    SensorConfig next = c;
    const auto south = letter(f[2], "NS");
    const auto west = letter(f[4], "EW");
    if (!angle(f[1], 2, 99, next.lat_deg, next.lat_min) || !south ||
        !angle(f[3], 3, 180, next.lon_deg, next.lon_min) || !west) {
        return refuse("bad position");
    }
    if (!pairs(f[5], 1, 31, 1, 12, 0, 99) || !pairs(f[6], 0, 23, 0, 59, 0, 60)) {
        return refuse("bad date or time");
    }
    next.lat_south = *south;
    next.lon_west = *west;
    return accept(Answer::Echo, Action::None, next);
}

// Fields 4 to 8 of "$PTVRC": all given for the user datum; for any other datum the unit keeps
// the WGS 84 ellipsoid and no shifts, which is also what it reports for them.
bool userDatum(const Fields& f, SensorConfig& next) {
    int empty = 0;
    for (std::size_t i = 4; i < 4 + kUserDatumFields; ++i) {
        empty += f[i].empty() ? 1 : 0;
    }
    if (next.datum != kUserDatum && empty == kUserDatumFields) {
        next.datum_a = kWgs84SemiMajorAxis;
        next.datum_df = kWgs84InverseFlattening;
        next.dx = next.dy = next.dz = 0.0F;
        return true;
    }
    const auto a = real(f[4], kMinAxis, kMaxAxis);
    const auto df = real(f[5], kMinFlattening, kMaxFlattening);
    const auto dx = real(f[6], -kMaxShift, kMaxShift);
    const auto dy = real(f[7], -kMaxShift, kMaxShift);
    const auto dz = real(f[8], -kMaxShift, kMaxShift);
    if (empty != 0 || !a || !df || !dx || !dy || !dz) {
        return false;
    }
    const bool user = next.datum == kUserDatum;
    next.datum_a = user ? *a : kWgs84SemiMajorAxis;
    next.datum_df = user ? *df : kWgs84InverseFlattening;
    next.dx = static_cast<float>(*dx);
    next.dy = static_cast<float>(*dy);
    next.dz = static_cast<float>(*dz);
    return true;
}

// "$PTVRC". Base model 1 has no exclusive differential mode and no pulse output, and base
// models 0 and 1 keep the line speed they were built with.
Verdict configCommand(const Fields& f, const SensorConfig& c) {
    if (f.size() != 15) {
        return refuse("expected 14 fields");
    }
    SensorConfig next = c;
    const auto fix = letter(f[1], "A23");
    const auto alt = real(f[2], kMinAltitude, kMaxAltitude);
    const auto datum = integer(f[3], 0, datumCount(c.model) - 1);
    const auto diff = letter(f[9], "AD");
    const auto baud = integer(f[10], 1, 8);
    const auto filter = integer(f[11], 0, kMaxFilter);
    const auto pps = onOff(f[12]);
    const auto ppslen = integer(f[13], 0, kMaxPpsLength);
    const auto valid = integer(f[14], 0, kMaxValidTime);
    if (!fix || !alt || !datum || !diff || !baud || !filter || !pps || !ppslen || !valid) {
        return refuse("bad field");
    }
    next.datum = static_cast<std::int16_t>(*datum);
    if (!userDatum(f, next)) {
        return refuse("bad user datum");
    }
    const bool calder = c.model == kCalder;
    next.fixmode = *fix;
    next.alt = static_cast<float>(*alt);
    next.diffmode = calder ? 0 : *diff;
    if (c.model >= 2) {
        next.baudrate = static_cast<std::int16_t>(*baud);
    }
    next.filter = static_cast<std::int16_t>(*filter);
    next.ppsmode = calder ? 0 : *pps;
    if (!calder) {
        next.ppslen = static_cast<std::int16_t>(*ppslen);
    }
    next.vldtime = static_cast<std::int16_t>(*valid);
    return accept(Answer::Echo, Action::None, next);
}

// "$PTVRC1": base model 0 ends with three settings of its own, models 2 to 7 with three empty
// fields and the pulse stop; base model 1 does not know the sentence.
Verdict extraCommand(const Fields& f, const SensorConfig& c) {
    if (c.model == kCalder) {
        return refuse("base model 1 has no additional configuration");
    }
    const bool brisa = c.model == 0;
    if (f.size() != (brisa ? 13U : 14U)) {
        return refuse(brisa ? "expected 12 fields" : "expected 13 fields");
    }
    SensorConfig next = c;
    const auto out = integer(f[1], 0, kMaxOutputTime);
    const auto cpo = onOff(f[2]);
    const auto avg = onOff(f[3]);
    const auto freq = real(f[4], 0.0, kHighestBeaconKHz);
    const auto br = integer(f[5], 0, 200);
    const auto tune = onOff(f[6]);
    const auto nmea230 = onOff(f[7]);
    const auto dgps = letter(f[8], "AWRN");
    const auto psm = letter(f[9], "NP");
    const bool beaconOk = freq && (*freq == 0.0 || *freq >= kLowestBeaconKHz);
    const bool rateOk =
        br && std::find(std::begin(kBitRates), std::end(kBitRates), *br) != std::end(kBitRates);
    if (!out || !cpo || !avg || !beaconOk || !rateOk || !tune || !nmea230 || !dgps || !psm) {
        return refuse("bad field");
    }
    next.outtime = static_cast<std::int16_t>(*out);
    next.cpo = *cpo;
    next.avg = *avg;
    next.bcn_freq = static_cast<float>(*freq);
    next.bcn_br = static_cast<std::int16_t>(*br);
    next.bcn_auto = *tune;
    next.nmea230 = *nmea230;
    next.dgpsmode = *dgps;
    next.psm = *psm;
    if (brisa) {
        const auto adaptive = onOff(f[10]);
        const auto autoOff = onOff(f[11]);
        const auto extPower = onOff(f[12]);
        if (!adaptive || !autoOff || !extPower) {
            return refuse("bad field");
        }
        next.adaptive_tx = *adaptive;
        next.auto_off = *autoOff;
        next.ext_pwr_on = *extPower;
    } else {
        const auto ppsStop = onOff(f[13]);
        if (!f[10].empty() || !f[11].empty() || !f[12].empty() || !ppsStop) {
            return refuse("bad field");
        }
        next.pps_auto_off = *ppsStop;
    }
    return accept(Answer::Echo, Action::None, next);
}

}  // namespace

Verdict interpret(std::string_view sentence, const SensorConfig& current) {
    if (sentence.empty() || sentence[0] != '$') {
        return refuse("not a sentence");
    }
    if (!stripChecksum(sentence)) {
        return refuse("wrong checksum");
    }
    const Fields f = split(sentence);
    const std::string_view name = f[0];
    if (f.size() == 1) {
        if (name == "$PTVRIX") {
            return accept(Answer::ReplyPosition, Action::None, current);
        }
        if (name == "$PTVRCX") {
            return accept(Answer::ReplyConfig, Action::None, current);
        }
        if (name == "$PTVRC1X") {
            return current.model == kCalder ? refuse("base model 1 has no additional configuration")
                                            : accept(Answer::ReplyExtra, Action::None, current);
        }
    }
    if (name == "$PTVRO") {
        return outputCommand(f, current);
    }
    if (name == "$PTVRI") {
        return positionCommand(f, current);
    }
    if (name == "$PTVRC") {
        return configCommand(f, current);
    }
    if (name == "$PTVRC1") {
        return extraCommand(f, current);
    }
    return refuse("unknown sentence");
}

}  // namespace sensorsim
