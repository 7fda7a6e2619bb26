#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

// The command-line pieces every simulator shares: its parse result, number syntax, and a reader
// that walks option names and values and keeps the first error in the simulators' wording.
namespace sim {

enum class ParseStatus { Run, Help, Error };

template <class Options>
struct Parsed {
    using Status = ParseStatus;
    Status status = Status::Error;
    Options options;
    std::string error;  // one line, for stderr, when status is Error
};

// "--help" or "-h".
bool isHelp(const std::string& arg);
// Whether any argument asks for help (it wins over every error).
bool asksForHelp(const std::vector<std::string>& args);

// Digits only (no sign, no spaces), at most `max`; nullopt otherwise.
std::optional<std::uint64_t> parseWhole(
    const std::string& text, std::uint64_t max = std::numeric_limits<std::uint64_t>::max());

enum class Sign { Allowed, Refused };
// A finite number in strtod's syntax with no spaces; Sign::Refused also refuses anything that
// does not begin with a digit or a point.
std::optional<double> parseDecimal(const std::string& text, Sign sign = Sign::Allowed);

class OptionReader {
  public:
    struct Rules {
        bool refuseRepeats = true;    // "option X given twice"
        bool emptyIsMissing = false;  // an empty value "needs a value"
    };

    OptionReader(const std::vector<std::string>& args, Rules rules);

    // The next option name. False at the end, after an error, or when the name came before
    // and repeats are refused (then failed()).
    bool next(std::string& name);
    // Every remaining option through `option`, which reads its values and applies it; stops at
    // the first error. True when none failed.
    bool readAll(const std::function<bool(const std::string& name)>& option);
    // The value after option `name`.
    bool value(const std::string& name, std::string& out);
    // A whole number in min..max.
    bool whole(const std::string& name, std::uint64_t min, std::uint64_t max, std::uint64_t& out);
    // A whole number from `min` on, with no upper bound of its own.
    bool wholeFrom(const std::string& name, std::uint64_t min, std::uint64_t& out);
    // A number in min..max, or above min and at most max when `minOpen`.
    bool decimal(const std::string& name, double min, double max, bool minOpen, double& out,
                 Sign sign = Sign::Allowed);

    // Keeps the first message; always false, so a rule can `return reader.fail(...)`.
    bool fail(const std::string& message);
    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }
    // Whether option `name` has been read.
    bool seen(const std::string& name) const;

  private:
    bool invalid(const std::string& name, const std::string& text, const std::string& expected);

    const std::vector<std::string>& args_;
    Rules rules_;
    std::size_t next_ = 0;
    std::vector<std::string> seen_;
    std::string error_;
};

}  // namespace sim
