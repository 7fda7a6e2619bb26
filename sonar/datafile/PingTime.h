#pragma once

#include <string>
#include <string_view>

// A ping's local date and time as numbers. Records store them as the ping's date, time and
// millisecond texts; XTF stores the numbers.
struct PingTime {
    int year = 0;
    int month = 0;  // 1..12, 0 when the text named no month
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// "JAN" .. "DEC"; "" for a month outside 1..12.
const char* monthName(int month);

// "%02d-%s-%04d", "%02d:%02d:%02d" and ".%03d".
std::string formatDateText(const PingTime& t);
std::string formatTimeText(const PingTime& t);
std::string formatMillisecondText(const PingTime& t);

// Reads the three texts back; fields the texts do not carry are 0.
PingTime parsePingTime(std::string_view dateText, std::string_view timeText,
                       std::string_view millisecondText);
