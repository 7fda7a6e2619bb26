#pragma once

#include "datafile/DiskSpace.h"

// Free space from the operating system, through std::filesystem.
class FilesystemDiskSpace : public DiskSpace {
  public:
    std::optional<std::uint64_t> freeBytes(const std::string& path) override;
};
