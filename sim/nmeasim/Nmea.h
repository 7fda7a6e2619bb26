#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "nmeasim/UtcTime.h"

namespace nmeasim {

enum class SentenceType { GGA, GLL, RMC, VTG, GSA, GSV, ZDA };

// "GGA" and so on; case-insensitive when parsing.
std::optional<SentenceType> sentenceTypeFromName(std::string_view name);
const char* sentenceName(SentenceType type);

// XOR of every byte of `body` (the text between "$" and "*").
std::uint8_t checksum(std::string_view body);

// "$" body "*" two upper-case hex digits CR LF.
std::string frame(std::string_view body);

struct Satellite {
    int prn = 0;
    int elevation = 0;  // degrees
    int azimuth = 0;    // degrees true
    int snr = 0;        // dB-Hz; 0 = not tracked
    bool used = false;  // in the position solution
};

// Everything one cycle of sentences reports.
struct Fix {
    UtcMicros time = 0;
    double latitude = 0.0;   // degrees, south negative
    double longitude = 0.0;  // degrees, west negative
    double speedKnots = 0.0;
    double courseDegrees = 0.0;  // true course over ground, 0..360
    double altitude = 0.0;       // antenna height above mean sea level, metres
    double geoidSeparation = 0.0;
    double hdop = 1.0;
    double vdop = 1.0;
    double pdop = 1.4;
    std::vector<Satellite> satellites;

    int satellitesUsed() const;
};

// Writes the sentences of one fix with the chosen talker ("GP", "GN", ...).
class SentenceBuilder {
  public:
    explicit SentenceBuilder(std::string talker) : talker_(std::move(talker)) {}

    // One framed sentence per type, GSV as many as the sky needs, in the order given.
    std::vector<std::string> build(const std::vector<SentenceType>& types, const Fix& fix) const;

  private:
    void append(SentenceType type, const Fix& fix, std::vector<std::string>& out) const;
    std::string gga(const Fix& fix) const;
    std::string gll(const Fix& fix) const;
    std::string rmc(const Fix& fix) const;
    std::string vtg(const Fix& fix) const;
    std::string gsa(const Fix& fix) const;
    void gsv(const Fix& fix, std::vector<std::string>& out) const;
    std::string zda(const Fix& fix) const;

    std::string talker_;
};

}  // namespace nmeasim
