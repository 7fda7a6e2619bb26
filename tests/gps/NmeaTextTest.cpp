#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <random>
#include <string>

#include "gps/NmeaText.h"

namespace {

std::string fixedText(double v, std::string_view unit) {
    std::string out = "previous text, longer than any";
    nmea::writeFixed(out, v, unit);
    return out;
}
std::string timeText(int h, int m, int s) {
    std::string out = "previous";
    nmea::writeTime(out, h, m, s);
    return out;
}
std::string dateText(int d, int m, int y) {
    std::string out = "previous";
    nmea::writeDate(out, d, m, y);
    return out;
}

// The reading every field has always had: sign, then the plain decimal from_chars takes.
double referenceDouble(std::string_view t) {
    while (!t.empty() && (t[0] == ' ' || (t[0] >= '\t' && t[0] <= '\r'))) {
        t.remove_prefix(1);
    }
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    std::size_t n = 0;
    while (n < t.size() && ((t[n] >= '0' && t[n] <= '9') || t[n] == '.')) {
        ++n;
    }
    double v = 0.0;
    if (n > 0 &&
        std::from_chars(t.data(), t.data() + n, v, std::chars_format::fixed).ec != std::errc{}) {
        v = 0.0;
    }
    return negative ? -v : v;
}

// strtol's reading, clamped to int.
int referenceInt(std::string_view t) {
    std::string text(t);
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

// Decimal texts as receivers send them, and some they should not.
std::string randomField(std::mt19937_64& rng) {
    static const char kTails[][5] = {"", ",", "*5C", ".", "E", " "};
    std::uniform_int_distribution<int> digits(0, 24), digit(0, 9), coin(0, 3), tail(0, 5);
    std::string s;
    if (coin(rng) == 0) {
        s += coin(rng) == 0 ? "-" : " +";
    }
    const int before = digits(rng) % 12;
    for (int i = 0; i < before; ++i) {
        s += static_cast<char>('0' + digit(rng));
    }
    if (coin(rng) != 0) {
        s += '.';
        const int after = digits(rng);
        for (int i = 0; i < after; ++i) {
            s += static_cast<char>('0' + digit(rng));
        }
    }
    return s + kTails[tail(rng)];
}

TEST(NmeaText, FieldsReadAsTheCConversionsReadThem) {
    for (const char* t : {"", ".", "0", "-0", "4916.45", "12311.1200", "000.5", "0.1", "5.", ".5",
                          "9007199254740993", "0.30000000000000004441",
                          "123456789012345678901234.5", "1.2.3", "-054.7*48", "  7"}) {
        EXPECT_EQ(nmea::toDouble(t), referenceDouble(t)) << t;
        EXPECT_EQ(nmea::toInt(t), referenceInt(t)) << t;
    }
    for (const char* t : {"123456789", "1234567890", "99999999999", "-2147483649", "+07", "0x1F"}) {
        EXPECT_EQ(nmea::toInt(t), referenceInt(t)) << t;
    }
    std::mt19937_64 rng(11);
    for (int i = 0; i < 200000; ++i) {
        const std::string t = randomField(rng);
        ASSERT_EQ(nmea::toDouble(t), referenceDouble(t)) << t;
        ASSERT_EQ(nmea::toInt(t), referenceInt(t)) << t;
    }
}

TEST(NmeaText, HandBuiltTextsAreWhatPrintfWrites) {
    for (const double v : {0.0, -0.0, 0.005, 0.015, 0.125, 1.005, 2.675, 359.995, 0.58, 251.34,
                           -3.14159, 999999.995, 1e15 + 0.5, 1e22, 1e200, 4.35e-7}) {
        EXPECT_EQ(fixedText(v, " Knots"), nmea::format("%.2f Knots", v)) << v;
    }
    std::mt19937_64 rng(12);
    for (int i = 0; i < 200000; ++i) {
        const double v = nmea::toDouble(randomField(rng));
        ASSERT_EQ(fixedText(v, " Deg."), nmea::format("%.2f Deg.", v)) << v;
    }
    for (int a = -12; a <= 120; a += 3) {
        for (int b = -1; b <= 101; b += 17) {
            EXPECT_EQ(timeText(a, b, a + b), nmea::format("%02d:%02d:%02d", a, b, a + b));
        }
    }
    for (const int year : {-5, 0, 7, 1999, 2007, 9999, 10000, 123456}) {
        for (int month = -1; month <= 13; ++month) {
            EXPECT_EQ(dateText(month + 5, month, year),
                      nmea::format("%02d-%s-%04d", month + 5, nmea::monthName(month), year));
        }
    }
}

}  // namespace

namespace {

TEST(NmeaText, SearchesFindTheFirstMatchAndStayInsideTheSentence) {
    std::mt19937_64 rng(13);
    std::uniform_int_distribution<int> length(0, 40), byte(0, 255), pick(0, 5);
    const char common[] = {',', '.', '$', '*', '\x80', '\xAC'};
    for (int i = 0; i < 100000; ++i) {
        // The sentence is a window inside a larger buffer whose outside holds matches, so a
        // search that looks past either end finds them.
        std::string buffer(64, ',');
        const int n = length(rng);
        for (int k = 0; k < n; ++k) {
            buffer[static_cast<std::size_t>(8 + k)] =
                pick(rng) == 0 ? static_cast<char>(byte(rng)) : common[pick(rng)];
        }
        const std::string_view sentence(buffer.data() + 8, static_cast<std::size_t>(n));
        const NmeaText text(sentence);
        const char c = common[pick(rng)];
        for (long from = -2; from <= n + 1; ++from) {
            const std::size_t expected =
                sentence.find(c, static_cast<std::size_t>(std::max(0L, from)));
            ASSERT_EQ(text.find(c, from),
                      expected == std::string_view::npos ? -1 : static_cast<long>(expected))
                << i << " from " << from;
        }
    }
}

}  // namespace
