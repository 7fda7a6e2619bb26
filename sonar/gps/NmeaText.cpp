#include "gps/NmeaText.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <iterator>

long NmeaText::find(char c, long from) const {
    if (from < 0) {
        from = 0;
    }
    if (from >= size()) {
        return -1;
    }
    const std::size_t pos = s_.find(c, static_cast<std::size_t>(from));
    return pos == std::string_view::npos ? -1 : static_cast<long>(pos);
}

std::string_view NmeaText::sub(long start, long length) const {
    start = std::clamp(start, 0L, size());
    length = std::clamp(length, 0L, size() - start);
    return s_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

namespace nmea {
namespace {
constexpr const char* kMonths[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                     "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

std::string_view skipBlanks(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || (t[i] >= '\t' && t[i] <= '\r'))) {
        ++i;
    }
    return t.substr(i);
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactMantissa = 1ULL << 53;

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

// Plain decimals of up to 15 or so significant digits: the digits make an exact integer and
// the division by an exact power of ten is correctly rounded, so the result is the double
// nearest the text, as from_chars gives it. False when the text needs the general path.
bool fastDecimal(std::string_view t, double& v) {
    std::uint64_t mantissa = 0;
    int fraction = -1;  // digits after the point, -1 before it
    std::size_t i = 0;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
            if (mantissa >= kExactMantissa) {
                return false;
            }
            if (fraction >= 0) {
                ++fraction;
            }
        } else if (c == '.' && fraction < 0) {
            fraction = 0;
        } else {
            break;
        }
    }
    if (fraction >= static_cast<int>(std::size(kPowersOfTen))) {
        return false;
    }
    v = static_cast<double>(mantissa) / kPowersOfTen[fraction > 0 ? fraction : 0];
    return true;
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

int toInt(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    long long v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        v = std::min(v * 10 + (c - '0'), 1LL << 40);
    }
    v = negative ? -v : v;
    return static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

double toDouble(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // Only plain decimals: a field never holds exponents, hex or infinities worth believing.
    std::size_t n = 0;
    while (n < text.size() && ((text[n] >= '0' && text[n] <= '9') || text[n] == '.')) {
        ++n;
    }
    double v = 0.0;
    if (n > 0 && !fastDecimal(text.substr(0, n), v)) {
        const auto r = std::from_chars(text.data(), text.data() + n, v, std::chars_format::fixed);
        if (r.ec != std::errc{}) {
            v = 0.0;
        }
    }
    return negative ? -v : v;
}

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

std::string timeText(int hour, int minute, int second) {
    std::string out;
    appendPadded(out, hour, 2);
    out += ':';
    appendPadded(out, minute, 2);
    out += ':';
    appendPadded(out, second, 2);
    return out;
}

std::string dateText(int day, int month, int year) {
    std::string out;
    appendPadded(out, day, 2);
    out += '-';
    out += monthName(month);
    out += '-';
    appendPadded(out, year, 4);
    return out;
}

std::string fixedText(double value, std::string_view unit) {
    // to_chars with a precision writes what printf writes; an answer that would not fit the
    // buffer format() uses goes through format(), which cuts it as it always did.
    char buf[127];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
    if (r.ec != std::errc{} || static_cast<std::size_t>(r.ptr - buf) + unit.size() >= 127) {
        return format("%.2f%.*s", value, static_cast<int>(unit.size()), unit.data());
    }
    std::string out(buf, r.ptr);
    out.append(unit);
    return out;
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
    unsigned sum = 0;
    for (std::size_t i = 1; i < star; ++i) {
        sum ^= static_cast<unsigned char>(s[i]);
    }
    return sum == static_cast<unsigned>(hi * 16 + lo);
}

}  // namespace nmea
