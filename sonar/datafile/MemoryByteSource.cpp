#include "datafile/MemoryByteSource.h"

#include <algorithm>

std::size_t MemoryByteSource::readAt(std::uint64_t position, std::span<std::uint8_t> out) {
    if (position >= bytes_.size()) {
        return 0;
    }
    const std::size_t start = static_cast<std::size_t>(position);
    const std::size_t n = std::min(out.size(), bytes_.size() - start);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(start), n, out.begin());
    return n;
}
