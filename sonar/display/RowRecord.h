#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// What is known about the ping drawn on one image row. Fixed-size texts keep the per-ping path
// free of allocations; a longer GPS text is cut.
struct RowRecord {
    static constexpr std::size_t kTimeTextLength = 12;
    static constexpr std::size_t kGpsTextCount = 6;
    static constexpr std::size_t kGpsTextCapacity = 32;  // including the terminator

    std::array<char, kTimeTextLength> timeText{};  // no terminator
    std::array<std::array<char, kGpsTextCapacity>, kGpsTextCount> gpsTexts{};
    std::uint8_t sideLayout = 0;  // 0 on rows never drawn
    std::uint8_t marker = 0;      // 1 on the one row of each ping that stands for it

    // Up to the first zero byte.
    std::string_view time() const;
    std::string_view gpsText(std::size_t i) const;

    void setTime(std::string_view text);
    void setGpsText(std::size_t i, std::string_view text);
};

// The six GPS display texts of a ping, in the GPS reader's text order.
using GpsTextViews = std::array<std::string_view, RowRecord::kGpsTextCount>;
