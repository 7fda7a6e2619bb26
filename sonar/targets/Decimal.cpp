#include "targets/Decimal.h"

#include <charconv>
#include <cmath>

std::string decimalText(double value, int decimals) {
    // 1e308 with 17 decimals is the longest a double can be written.
    char buffer[340];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

double roundedTo(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    return std::isfinite(rounded) ? rounded : value;
}
