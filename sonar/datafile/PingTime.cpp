#include "datafile/PingTime.h"

#include <array>

#include "datafile/FieldText.h"

namespace {
constexpr std::array<const char*, 12> kMonthNames = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                     "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

int monthFromName(std::string_view name) {
    for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
        if (name == kMonthNames[i]) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}
}  // namespace

const char* monthName(int month) {
    if (month < 1 || month > 12) {
        return "";
    }
    return kMonthNames[static_cast<std::size_t>(month - 1)];
}

std::string formatDateText(const PingTime& t) {
    return fieldtext::formatted("%02d-%s-%04d", t.day, monthName(t.month), t.year);
}

std::string formatTimeText(const PingTime& t) {
    return fieldtext::formatted("%02d:%02d:%02d", t.hour, t.minute, t.second);
}

std::string formatMillisecondText(const PingTime& t) {
    return fieldtext::formatted(".%03d", t.millisecond);
}

PingTime parsePingTime(std::string_view dateText, std::string_view timeText,
                       std::string_view millisecondText) {
    using fieldtext::cut;
    using fieldtext::leadingInt;
    PingTime t;
    // "dd-MMM-yyyy" and "hh:mm:ss" at their fixed positions.
    t.day = leadingInt(cut(dateText, 0, 2));
    t.month = monthFromName(cut(dateText, 3, 3));
    t.year = leadingInt(cut(dateText, 7, 4));
    t.hour = leadingInt(cut(timeText, 0, 2));
    t.minute = leadingInt(cut(timeText, 3, 2));
    t.second = leadingInt(cut(timeText, 6, 2));
    t.millisecond = leadingInt(cut(millisecondText, 1, 3));
    return t;
}
