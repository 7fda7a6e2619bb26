#include "sim/common/OptionReader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sim {

bool isHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

bool asksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), isHelp);
}

std::optional<std::uint64_t> parseWhole(const std::string& text, std::uint64_t max) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    errno = 0;
    const unsigned long long v = std::strtoull(text.c_str(), nullptr, 10);
    if (errno != 0 || v > max) {
        return std::nullopt;
    }
    return v;
}

std::optional<double> parseDecimal(const std::string& text, Sign sign) {
    if (text.empty() || text.find_first_of(" \t") != std::string::npos) {
        return std::nullopt;
    }
    const bool digitOrPoint = (text[0] >= '0' && text[0] <= '9') || text[0] == '.';
    if (sign == Sign::Refused && !digitOrPoint) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

OptionReader::OptionReader(const std::vector<std::string>& args, Rules rules)
    : args_(args), rules_(rules) {}

bool OptionReader::next(std::string& name) {
    if (failed() || next_ >= args_.size()) {
        return false;
    }
    name = args_[next_++];
    if (rules_.refuseRepeats && seen(name)) {
        return fail("option " + name + " given twice");
    }
    seen_.push_back(name);
    return true;
}

bool OptionReader::readAll(const std::function<bool(const std::string& name)>& option) {
    std::string name;
    while (next(name) && option(name)) {
    }
    return !failed();
}

bool OptionReader::value(const std::string& name, std::string& out) {
    if (next_ >= args_.size() || (rules_.emptyIsMissing && args_[next_].empty())) {
        return fail("option " + name + " needs a value");
    }
    out = args_[next_++];
    return true;
}

bool OptionReader::invalid(const std::string& name, const std::string& text,
                           const std::string& expected) {
    return fail("invalid value '" + text + "' for " + name + " (expected " + expected + ")");
}

bool OptionReader::whole(const std::string& name, std::uint64_t min, std::uint64_t max,
                         std::uint64_t& out) {
    std::string text;
    if (!value(name, text)) {
        return false;
    }
    const auto v = parseWhole(text, max);
    if (!v || *v < min) {
        return invalid(name, text, std::to_string(min) + ".." + std::to_string(max));
    }
    out = *v;
    return true;
}

bool OptionReader::wholeFrom(const std::string& name, std::uint64_t min, std::uint64_t& out) {
    std::string text;
    if (!value(name, text)) {
        return false;
    }
    const auto v = parseWhole(text);
    if (!v || *v < min) {
        return invalid(name, text,
                       "a whole number" + (min > 0 ? " from " + std::to_string(min) : ""));
    }
    out = *v;
    return true;
}

bool OptionReader::decimal(const std::string& name, double min, double max, bool minOpen,
                           double& out, Sign sign) {
    std::string text;
    if (!value(name, text)) {
        return false;
    }
    const auto v = parseDecimal(text, sign);
    if (!v || *v > max || *v < min || (minOpen && *v == min)) {
        char range[96];
        std::snprintf(range, sizeof range, minOpen ? "more than %g, at most %g" : "%g..%g", min,
                      max);
        return invalid(name, text, range);
    }
    out = *v;
    return true;
}

bool OptionReader::fail(const std::string& message) {
    if (error_.empty()) {
        error_ = message;
    }
    return false;
}

bool OptionReader::seen(const std::string& name) const {
    return std::find(seen_.begin(), seen_.end(), name) != seen_.end();
}

}  // namespace sim
