#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Which way the vessel went at a ping, and how that was found.
enum class CourseFrom : std::uint8_t {
    None = 0,       // not known: the vessel has not moved far enough yet, or no GPS
    Positions = 1,  // the bearing between successive GPS positions
    Heading = 2,    // the GPS course over ground, while the positions give none
};

// Where the ping of a row was taken, for the positions of targets marked on it.
struct RowNav {
    std::uint32_t pingNumber = 0;  // the number in the recorded or played file; 0 none
    bool hasPosition = false;
    double latitude = 0.0;   // degrees, south negative
    double longitude = 0.0;  // degrees, west negative
    CourseFrom courseFrom = CourseFrom::None;
    double courseDegrees = 0.0;  // true, clockwise from north
};

// What is known about the ping drawn on one image row. Fixed-size texts keep the per-ping path
// free of allocations; a longer GPS text is cut.
struct RowRecord {
    static constexpr std::size_t kTimeTextLength = 12;
    static constexpr std::size_t kDateTextLength = 11;  // "05-MAR-2007"
    static constexpr std::size_t kGpsTextCount = 6;
    static constexpr std::size_t kGpsTextCapacity = 32;  // including the terminator

    std::array<char, kTimeTextLength> timeText{};  // no terminator
    std::array<char, kDateTextLength> dateText{};  // no terminator
    std::array<std::array<char, kGpsTextCapacity>, kGpsTextCount> gpsTexts{};
    std::uint8_t sideLayout = 0;  // 0 on rows never drawn
    std::uint8_t marker = 0;      // 1 on the one row of each ping that stands for it
    RowNav nav;

    // Up to the first zero byte.
    std::string_view time() const;
    std::string_view date() const;
    std::string_view gpsText(std::size_t i) const;

    void setTime(std::string_view text);
    void setDate(std::string_view text);
    void setGpsText(std::size_t i, std::string_view text);
};

// The six GPS display texts of a ping, in the GPS reader's text order.
using GpsTextViews = std::array<std::string_view, RowRecord::kGpsTextCount>;
