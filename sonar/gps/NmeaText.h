#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Reading inside one received sentence. Positions are signed so that "not found" (-1) and the
// arithmetic done on it stay harmless: every substring is clamped to the sentence, so nothing
// outside it is ever read, however malformed the sentence is.
class NmeaText {
  public:
    explicit NmeaText(std::string_view s) : s_(s) {}

    long size() const { return static_cast<long>(s_.size()); }
    std::string_view view() const { return s_; }

    // The character at pos, or 0 outside the sentence.
    char at(long pos) const { return pos >= 0 && pos < size() ? s_[pos] : '\0'; }

    // Position of c at or after from, or -1.
    long find(char c, long from) const;

    // Start below 0 is taken as 0, a length below 0 as 0, a range past the end is cut there.
    std::string_view sub(long start, long length) const;

  private:
    std::string_view s_;
};

namespace nmea {

// C-style conversions of the leading number of text: blanks, an optional sign, then digits
// (and for decimals a point and more digits); anything after that is ignored, so a trailing
// checksum does no harm. No number reads as 0.
int toInt(std::string_view text);
double toDouble(std::string_view text);

// printf into a std::string.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// "JAN" .. "DEC", "" outside 1..12.
const char* monthName(int month);

// The texts the parser writes for every sentence, built by hand: the same characters as the
// printf formats in their comments, without printf's cost on the reader's hot path.
std::string timeText(int hour, int minute, int second);      // "%02d:%02d:%02d"
std::string dateText(int day, int month, int year);          // "%02d-%s-%04d", month's name
std::string fixedText(double value, std::string_view unit);  // "%.2f" then unit

// The checksum rule: true when the sentence carries no checksum ("*hh" before its CR LF) or
// when the one it carries matches the exclusive-or of the characters between "$" and "*".
bool checksumAcceptable(std::string_view sentence);

}  // namespace nmea
