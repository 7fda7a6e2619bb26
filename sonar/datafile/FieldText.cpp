#include "datafile/FieldText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

namespace fieldtext {
namespace {
std::string_view skipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    return text.substr(i);
}
}  // namespace

std::string textAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t maxLen) {
    if (offset >= bytes.size()) {
        return {};
    }
    const auto field = bytes.subspan(offset, std::min(maxLen, bytes.size() - offset));
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return std::string(field.begin(), end);
}

void putText(std::span<std::uint8_t> bytes, std::size_t offset, std::size_t maxLen,
             std::string_view text) {
    if (offset >= bytes.size()) {
        return;
    }
    const std::size_t n = std::min({maxLen, text.size(), bytes.size() - offset});
    std::copy_n(text.begin(), n, bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::string_view cut(std::string_view text, std::size_t pos, std::size_t len) {
    if (pos >= text.size()) {
        return {};
    }
    return text.substr(pos, len);
}

int leadingInt(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min<long long>(value * 10 + (c - '0'), std::numeric_limits<int>::max());
    }
    return static_cast<int>(negative ? -value : value);
}

double leadingDouble(std::string_view text) {
    text = skipBlanks(text);
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{} ? value : 0.0;
}

int truncToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kMin = std::numeric_limits<int>::min();
    constexpr double kMax = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::trunc(value), kMin, kMax));
}

std::string formatted(const char* format, ...) {
    char small[128];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (n >= 0 && static_cast<std::size_t>(n) < sizeof small) {
        out.assign(small, static_cast<std::size_t>(n));
    } else if (n >= 0) {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, again);
        out.resize(static_cast<std::size_t>(n));
    }
    va_end(again);
    return out;
}

}  // namespace fieldtext
