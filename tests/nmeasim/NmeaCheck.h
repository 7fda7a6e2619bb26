#pragma once

// An independent reading of NMEA text for the tests: split on commas, recompute checksums,
// turn ddmm.mmmm fields back into degrees. Kept apart from the simulator's own formatting.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace nmeacheck {

// True for "$...*HH\r\n" with the right checksum.
inline bool valid(const std::string& s) {
    if (s.size() < 6 || s[0] != '$' || s.substr(s.size() - 2) != "\r\n") {
        return false;
    }
    const std::size_t star = s.size() - 5;
    if (s[star] != '*') {
        return false;
    }
    unsigned sum = 0;
    for (std::size_t i = 1; i < star; ++i) {
        sum ^= static_cast<unsigned char>(s[i]);
    }
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    return s.compare(star + 1, 2, hex) == 0;
}

// Fields of a sentence without "$", checksum and line end; field 0 is the address.
inline std::vector<std::string> fields(const std::string& s) {
    const std::string body = s.substr(1, s.find('*') - 1);
    std::vector<std::string> out;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = body.find(',', from);
        out.push_back(body.substr(from, comma - from));
        if (comma == std::string::npos) {
            return out;
        }
        from = comma + 1;
    }
}

// Signed decimal degrees of a "ddmm.mmmm" / "dddmm.mmmm" field and its hemisphere letter.
inline double degrees(const std::string& field, const std::string& hemisphere) {
    const double v = std::atof(field.c_str());
    const double d = static_cast<int>(v / 100) + (v - 100 * static_cast<int>(v / 100)) / 60.0;
    return hemisphere == "S" || hemisphere == "W" ? -d : d;
}

// Seconds of the day of "hhmmss.ss".
inline double seconds(const std::string& field) {
    return std::atoi(field.substr(0, 2).c_str()) * 3600.0 +
           std::atoi(field.substr(2, 2).c_str()) * 60.0 + std::atof(field.substr(4).c_str());
}

// Splits a byte stream into lines that end in LF (the LF kept).
inline std::vector<std::string> lines(const std::string& stream) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t lf = stream.find('\n'); lf != std::string::npos;
         lf = stream.find('\n', from)) {
        out.push_back(stream.substr(from, lf + 1 - from));
        from = lf + 1;
    }
    return out;
}

}  // namespace nmeacheck
