#pragma once

#include <cstdint>
#include <span>

#include "datafile/ByteSource.h"

// A byte source over memory the caller keeps alive.
class MemoryByteSource : public ByteSource {
  public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t size() override { return bytes_.size(); }
    std::size_t readAt(std::uint64_t position, std::span<std::uint8_t> out) override;

  private:
    std::span<const std::uint8_t> bytes_;
};
