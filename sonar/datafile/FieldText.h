#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Text fields of the record layouts and the C-style number reading the layouts rely on. Every
// routine stays inside the bytes it is given.
namespace fieldtext {

// The characters at offset up to the first zero byte, at most maxLen of them.
std::string textAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t maxLen);

// Copies at most maxLen characters of text to offset; the rest of the field is left as it is.
void putText(std::span<std::uint8_t> bytes, std::size_t offset, std::size_t maxLen,
             std::string_view text);

// text.substr that never throws: an empty view when pos lies past the end.
std::string_view cut(std::string_view text, std::size_t pos, std::size_t len);

// Leading integer as a C conversion reads it: blanks, an optional sign, digits; 0 when none.
int leadingInt(std::string_view text);
// Leading decimal number likewise, independent of the process locale.
double leadingDouble(std::string_view text);

// Truncates toward zero; 0 for NaN, clamped to the int range.
int truncToInt(double value);

// printf-style formatting into a string.
std::string formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace fieldtext
