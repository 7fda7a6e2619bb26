#include "gps/NmeaText.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdio>

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
    if (n > 0) {
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
