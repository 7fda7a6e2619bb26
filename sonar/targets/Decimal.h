#pragma once

#include <string>

// A number with this many decimals, always with a point, never in the user's locale: the
// lists and exports are read by other programs on other machines.
std::string decimalText(double value, int decimals);

// The same number rounded to that many decimals, for writing as a JSON number.
double roundedTo(double value, int decimals);
