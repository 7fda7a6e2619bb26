#pragma once

#include <cstdint>

// Which part of the swath a line shows.
enum class SideLayout : std::uint8_t { PortOnly = 1, StarboardOnly = 2, BothSides = 3 };

constexpr bool isSideLayout(int v) {
    return v >= 1 && v <= 3;
}
