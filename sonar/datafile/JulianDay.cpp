#include "datafile/JulianDay.h"

#include <array>

namespace {
constexpr std::array<int, 12> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kFirstDay = 1;
constexpr int kLastDay = 366;
}  // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int julianDay(int year, int month, int day) {
    long long total = day;
    for (int m = 1; m < month && m <= 12; ++m) {
        total += kMonthDays[static_cast<std::size_t>(m - 1)];
        if (m == 2 && isLeapYear(year)) {
            ++total;
        }
    }
    return total < kFirstDay || total > kLastDay ? kFirstDay : static_cast<int>(total);
}
