#pragma once

#include <cstdint>
#include <fstream>
#include <span>
#include <string>

#include "datafile/ByteSource.h"

// A byte source over a file opened for reading.
class FileByteSource : public ByteSource {
  public:
    explicit FileByteSource(const std::string& path);

    bool isOpen() const { return file_.is_open(); }
    std::uint64_t size() override;
    std::size_t readAt(std::uint64_t position, std::span<std::uint8_t> out) override;

  private:
    std::ifstream file_;
};
