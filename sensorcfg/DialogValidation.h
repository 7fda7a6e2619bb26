#pragma once

#include <optional>
#include <string>

// The text-field checks a dialog makes on OK, with the messages users of the platform's
// dialogs know ("Please enter an integer between 0 and 99.").
namespace dialog_validation {

// A whole decimal integer, blanks around it allowed.
std::optional<long> parseInteger(const std::string& text);
// A decimal number, blanks around it allowed.
std::optional<double> parseNumber(const std::string& text);

// Nothing when the text is a valid value in range; otherwise the message to show.
std::optional<std::string> checkInteger(const std::string& text, long low, long high);
// `digits` is the precision the bounds are written with: 6 for single, 15 for double fields.
std::optional<std::string> checkNumber(const std::string& text, double low, double high,
                                       int digits);

// A field value written as the dialog shows it: the shortest form in `digits` significant
// digits ("0", "12.5", "298.257223563").
std::string formatNumber(double value, int digits);

constexpr int kSingleDigits = 6;
constexpr int kDoubleDigits = 15;

}  // namespace dialog_validation
