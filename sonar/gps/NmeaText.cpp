#include "gps/NmeaText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace nmea {
namespace {
constexpr const char* kMonths[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                     "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

bool blank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Blanks, then an optional sign, as the C conversions take them; true for a minus.
bool skipBlanksAndSign(std::string_view& t) {
    std::size_t i = 0;
    while (i < t.size() && blank(t[i])) {
        ++i;
    }
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    t.remove_prefix(i);
    return negative;
}

// Appends v as "%0*d" with the given width. Values that need more digits, or a sign, go
// through printf, so every value prints as it always did.
void appendPadded(std::string& out, int v, int width) {
    int limit = 1;
    for (int i = 0; i < width; ++i) {
        limit *= 10;
    }
    if (v < 0 || v >= limit) {
        out += format("%0*d", width, v);
        return;
    }
    char digits[10];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

char twoDigits(int v, int which) {
    return static_cast<char>('0' + (which == 0 ? v / 10 : v % 10));
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}
}  // namespace

namespace detail {

int toIntGeneral(std::string_view text) {
    const bool negative = skipBlanksAndSign(text);
    constexpr long long kCap = 1LL << 40;  // far beyond any int, so the clamp below decides
    long long v = 0;
    for (const char c : text) {
        const auto digit = static_cast<unsigned>(c - '0');
        if (digit > 9) {
            break;
        }
        v = v * 10 + digit;
        if (v > kCap) {
            v = kCap;
        }
    }
    v = negative ? -v : v;
    return static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

double toDoubleGeneral(std::string_view text) {
    const bool negative = skipBlanksAndSign(text);
    double v = 0.0;
    if (!fastDecimal(text, v)) {
        // Only plain decimals: a field never holds exponents, hex or infinities worth believing.
        std::size_t n = 0;
        while (n < text.size() && ((text[n] >= '0' && text[n] <= '9') || text[n] == '.')) {
            ++n;
        }
        const auto r = std::from_chars(text.data(), text.data() + n, v, std::chars_format::fixed);
        if (n == 0 || r.ec != std::errc{}) {
            v = 0.0;
        }
    }
    return negative ? -v : v;
}

}  // namespace detail

std::string format(const char* fmt, ...) {
    char buf[128];
    va_list args;
    va_start(args, fmt);
    const int n = std::vsnprintf(buf, sizeof buf, fmt, args);
    va_end(args);
    if (n < 0) {
        return {};
    }
    return std::string(buf, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buf - 1));
}

const char* monthName(int month) {
    return month >= 1 && month <= 12 ? kMonths[month - 1] : "";
}

void writeTime(std::string& out, int hour, int minute, int second) {
    if (hour >= 0 && hour < 100 && minute >= 0 && minute < 100 && second >= 0 && second < 100) {
        const char t[8] = {twoDigits(hour, 0),   twoDigits(hour, 1),   ':',
                           twoDigits(minute, 0), twoDigits(minute, 1), ':',
                           twoDigits(second, 0), twoDigits(second, 1)};
        out.assign(t, sizeof t);
        return;
    }
    out.clear();
    appendPadded(out, hour, 2);
    out += ':';
    appendPadded(out, minute, 2);
    out += ':';
    appendPadded(out, second, 2);
}

void writeDate(std::string& out, int day, int month, int year) {
    if (day >= 0 && day < 100 && year >= 0 && year < 10000) {
        const char* name = monthName(month);
        const std::size_t nameLength = std::strlen(name);
        char t[16];
        char* p = t;
        *p++ = twoDigits(day, 0);
        *p++ = twoDigits(day, 1);
        *p++ = '-';
        p = std::copy(name, name + nameLength, p);
        *p++ = '-';
        *p++ = static_cast<char>('0' + year / 1000);
        *p++ = static_cast<char>('0' + year / 100 % 10);
        *p++ = static_cast<char>('0' + year / 10 % 10);
        *p++ = static_cast<char>('0' + year % 10);
        out.assign(t, p);
        return;
    }
    out.clear();
    appendPadded(out, day, 2);
    out += '-';
    out += monthName(month);
    out += '-';
    appendPadded(out, year, 4);
}

void writeFixed(std::string& out, double value, std::string_view unit) {
    // Hundredths of the value, rounded to nearest: below 1e9 the product is off by less than
    // 2e-5, so unless it lies within 1e-4 of a half its rounding is certain and equals printf's.
    const double magnitude = std::fabs(value);
    if (magnitude < 1e9) {
        const double hundredths = magnitude * 100.0;
        const double whole = std::floor(hundredths);
        const double fraction = hundredths - whole;
        if (std::fabs(fraction - 0.5) > 1e-4) {
            auto n = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
            // Digits are written backwards into the first part, the unit after them.
            constexpr std::size_t kUnitRoom = 16;
            char buf[32 + kUnitRoom];
            char* end = buf + 32;
            char* p = end;
            *--p = static_cast<char>('0' + n % 10);
            n /= 10;
            *--p = static_cast<char>('0' + n % 10);
            n /= 10;
            *--p = '.';
            do {
                *--p = static_cast<char>('0' + n % 10);
                n /= 10;
            } while (n > 0);
            if (std::signbit(value)) {
                *--p = '-';
            }
            if (unit.size() <= kUnitRoom) {
                end = std::copy(unit.begin(), unit.end(), end);
                out.assign(p, end);
            } else {
                out.assign(p, end).append(unit);
            }
            return;
        }
    }
    // to_chars with a precision writes what printf writes; an answer that would not fit the
    // buffer format() uses goes through format(), which cuts it as it always did.
    char buf[127];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
    if (r.ec != std::errc{} || static_cast<std::size_t>(r.ptr - buf) + unit.size() >= 127) {
        out = format("%.2f%.*s", value, static_cast<int>(unit.size()), unit.data());
        return;
    }
    out.assign(buf, r.ptr).append(unit);
}

bool checksumAcceptable(std::string_view s) {
    const std::size_t star = s.rfind('*');
    if (star == std::string_view::npos || s.empty() || s[0] != '$') {
        return true;
    }
    // The checksum is the two characters after the asterisk, right before CR LF.
    if (s.size() != star + 5) {
        return false;
    }
    const int hi = hexValue(s[star + 1]);
    const int lo = hexValue(s[star + 2]);
    if (hi < 0 || lo < 0) {
        return false;
    }
    // Eight characters at a time, folded at the end: exclusive-or does not care how it is
    // grouped.
    std::uint64_t wide = 0;
    std::size_t i = 1;
    for (; i + 8 <= star; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        wide ^= w;
    }
    wide ^= wide >> 32;
    wide ^= wide >> 16;
    wide ^= wide >> 8;
    unsigned sum = static_cast<unsigned>(wide & 0xFF);
    for (; i < star; ++i) {
        sum ^= static_cast<unsigned char>(s[i]);
    }
    return sum == static_cast<unsigned>(hi * 16 + lo);
}

}  // namespace nmea
