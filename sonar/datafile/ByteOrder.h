#pragma once

#include <bit>
#include <cstdint>

// Multi-byte fields at fixed offsets: big-endian in the program's own records, little-endian in
// XTF. The codecs check a record's length before touching its fields, so these do not.
namespace byteorder {

inline std::uint16_t getBe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

inline std::uint32_t getBe32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

inline void putBe16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 8);
    p[1] = static_cast<std::uint8_t>(v);
}

inline void putBe32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}

inline std::uint16_t getLe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[1] << 8 | p[0]);
}

inline std::uint32_t getLe32(const std::uint8_t* p) {
    return std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
}

inline std::uint64_t getLe64(const std::uint8_t* p) {
    return std::uint64_t{getLe32(p + 4)} << 32 | getLe32(p);
}

inline void putLe16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void putLe32(std::uint8_t* p, std::uint32_t v) {
    putLe16(p, static_cast<std::uint16_t>(v));
    putLe16(p + 2, static_cast<std::uint16_t>(v >> 16));
}

inline void putLe64(std::uint8_t* p, std::uint64_t v) {
    putLe32(p, static_cast<std::uint32_t>(v));
    putLe32(p + 4, static_cast<std::uint32_t>(v >> 32));
}

inline float getLeFloat(const std::uint8_t* p) {
    return std::bit_cast<float>(getLe32(p));
}
inline double getLeDouble(const std::uint8_t* p) {
    return std::bit_cast<double>(getLe64(p));
}
inline void putLeFloat(std::uint8_t* p, float v) {
    putLe32(p, std::bit_cast<std::uint32_t>(v));
}
inline void putLeDouble(std::uint8_t* p, double v) {
    putLe64(p, std::bit_cast<std::uint64_t>(v));
}

}  // namespace byteorder
