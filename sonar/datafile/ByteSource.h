#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Random access to the bytes of a recorded data file, wherever they live. Playback reads the
// file through this, the tests and benchmarks read memory.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Current length in bytes (a file may still be growing while it is recorded).
    virtual std::uint64_t size() = 0;
    // Copies up to out.size() bytes from position on; returns how many were copied.
    virtual std::size_t readAt(std::uint64_t position, std::span<std::uint8_t> out) = 0;
};
