#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Reading inside one received sentence. Positions are signed so that "not found" (-1) and the
// arithmetic done on it stay harmless: every substring is clamped to the sentence, so nothing
// outside it is ever read, however malformed the sentence is.
class NmeaText {
  public:
    explicit NmeaText(std::string_view s) : s_(s) {}

    long size() const { return static_cast<long>(s_.size()); }
    std::string_view view() const { return s_; }

    // The character at pos, or 0 outside the sentence.
    char at(long pos) const { return pos >= 0 && pos < size() ? s_[pos] : '\0'; }

    // Position of c at or after from, or -1. Eight characters are looked at in one step while
    // eight remain; the first match in a step is its lowest matching byte.
    long find(char c, long from) const {
        static_assert(std::endian::native == std::endian::little);
        constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
        constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
        const std::uint64_t pattern = kOnes * static_cast<unsigned char>(c);
        long i = from < 0 ? 0 : from;
        for (; i + 8 <= size(); i += 8) {
            std::uint64_t w;
            std::memcpy(&w, s_.data() + i, sizeof w);
            const std::uint64_t x = w ^ pattern;
            const std::uint64_t zero = (x - kOnes) & ~x & kHighs;
            if (zero != 0) {
                return i + (std::countr_zero(zero) >> 3);
            }
        }
        for (; i < size(); ++i) {
            if (s_[static_cast<std::size_t>(i)] == c) {
                return i;
            }
        }
        return -1;
    }

    // Start below 0 is taken as 0, a length below 0 as 0, a range past the end is cut there.
    std::string_view sub(long start, long length) const {
        start = start < 0 ? 0 : (start > size() ? size() : start);
        length = length < 0 ? 0 : (length > size() - start ? size() - start : length);
        return s_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    }

  private:
    std::string_view s_;
};

namespace nmea {

namespace detail {
int toIntGeneral(std::string_view text);
double toDoubleGeneral(std::string_view text);

// Plain decimals of up to 15 or so significant digits: the digits make an exact integer and
// the division by an exact power of ten is correctly rounded, so the result is the double
// nearest the text, as from_chars gives it. False when the text needs the general path.
inline bool fastDecimal(std::string_view t, double& v) {
    constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t kExactMantissa = 1ULL << 53;
    std::uint64_t mantissa = 0;
    int fraction = -1;  // digits after the point, -1 before it
    for (const char c : t) {
        const auto digit = static_cast<unsigned>(c - '0');
        if (digit <= 9) {
            mantissa = mantissa * 10 + digit;
            if (mantissa >= kExactMantissa) {
                return false;
            }
            fraction += fraction >= 0 ? 1 : 0;
        } else if (c == '.' && fraction < 0) {
            fraction = 0;
        } else {
            break;
        }
    }
    if (fraction >= static_cast<int>(sizeof kPowersOfTen / sizeof kPowersOfTen[0])) {
        return false;
    }
    v = static_cast<double>(mantissa) / kPowersOfTen[fraction > 0 ? fraction : 0];
    return true;
}
}  // namespace detail

// C-style conversions of the leading number of text: blanks, an optional sign, then digits
// (and for decimals a point and more digits); anything after that is ignored, so a trailing
// checksum does no harm. No number reads as 0. Fields as receivers send them take the short
// way, inline.
inline int toInt(std::string_view text) {
    constexpr std::size_t kSafeDigits = 9;  // below 1e9: no clamping can apply
    int v = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto digit = static_cast<unsigned>(text[i] - '0');
        if (digit > 9) {
            return i > 0 ? v : detail::toIntGeneral(text);
        }
        if (i == kSafeDigits) {
            return detail::toIntGeneral(text);
        }
        v = v * 10 + static_cast<int>(digit);
    }
    return v;
}

inline double toDouble(std::string_view text) {
    double v = 0.0;
    if (!text.empty() && (static_cast<unsigned>(text[0] - '0') <= 9 || text[0] == '.') &&
        detail::fastDecimal(text, v)) {
        return v;
    }
    return detail::toDoubleGeneral(text);
}

// printf into a std::string.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// "JAN" .. "DEC", "" outside 1..12.
const char* monthName(int month);

// The texts the parser writes for every sentence, built by hand: the same characters as the
// printf formats in their comments, without printf's cost on the reader's hot path.
// They replace the content of out, whose own buffer holds them without allocating.
void writeTime(std::string& out, int hour, int minute, int second);  // "%02d:%02d:%02d"
void writeDate(std::string& out, int day, int month, int year);      // "%02d-%s-%04d", month's name
void writeFixed(std::string& out, double value, std::string_view unit);  // "%.2f" then unit

// The checksum rule: true when the sentence carries no checksum ("*hh" before its CR LF) or
// when the one it carries matches the exclusive-or of the characters between "$" and "*".
bool checksumAcceptable(std::string_view sentence);

}  // namespace nmea
