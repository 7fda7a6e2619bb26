#include "sensorcfg/DialogValidation.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace dialog_validation {
namespace {
bool onlyBlanks(const char* p) {
    while (*p == ' ' || *p == '\t') {
        ++p;
    }
    return *p == '\0';
}
}  // namespace

std::optional<long> parseInteger(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || !onlyBlanks(end)) {
        return std::nullopt;
    }
    return v;
}

std::optional<double> parseNumber(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE || !onlyBlanks(end) || v != v) {
        return std::nullopt;
    }
    return v;
}

std::string formatNumber(double value, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, value);
    return buf;
}

std::optional<std::string> checkInteger(const std::string& text, long low, long high) {
    const auto v = parseInteger(text);
    if (!v) {
        return std::string("Please enter an integer.");
    }
    if (*v < low || *v > high) {
        return "Please enter an integer between " + std::to_string(low) + " and " +
               std::to_string(high) + ".";
    }
    return std::nullopt;
}

std::optional<std::string> checkNumber(const std::string& text, double low, double high,
                                       int digits) {
    const auto v = parseNumber(text);
    if (!v) {
        return std::string("Please enter a number.");
    }
    // Single fields compare what they will hold.
    const double held = digits == kSingleDigits ? static_cast<float>(*v) : *v;
    if (held < low || held > high) {
        return "Please enter a number between " + formatNumber(low, digits) + " and " +
               formatNumber(high, digits) + ".";
    }
    return std::nullopt;
}

}  // namespace dialog_validation
