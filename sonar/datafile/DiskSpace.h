#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Free space as the recorder needs it: the bytes the user may still write on the volume that
// holds path. Nothing when the system cannot tell.
class DiskSpace {
  public:
    virtual ~DiskSpace() = default;
    virtual std::optional<std::uint64_t> freeBytes(const std::string& path) = 0;
};
