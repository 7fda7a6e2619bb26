#include "display/RowRecord.h"

#include <algorithm>
#include <cstring>

namespace {
std::string_view upToZero(const char* p, std::size_t cap) {
    const void* z = std::memchr(p, 0, cap);
    return {p, z ? static_cast<std::size_t>(static_cast<const char*>(z) - p) : cap};
}
}  // namespace

std::string_view RowRecord::time() const {
    return upToZero(timeText.data(), kTimeTextLength);
}

std::string_view RowRecord::date() const {
    return upToZero(dateText.data(), kDateTextLength);
}

std::string_view RowRecord::gpsText(std::size_t i) const {
    if (i >= kGpsTextCount) {
        return {};
    }
    return upToZero(gpsTexts[i].data(), kGpsTextCapacity);
}

void RowRecord::setTime(std::string_view text) {
    timeText.fill(0);
    if (!text.empty()) {
        std::memcpy(timeText.data(), text.data(), std::min(text.size(), kTimeTextLength));
    }
}

void RowRecord::setDate(std::string_view text) {
    dateText.fill(0);
    if (!text.empty()) {
        std::memcpy(dateText.data(), text.data(), std::min(text.size(), kDateTextLength));
    }
}

void RowRecord::setGpsText(std::size_t i, std::string_view text) {
    if (i >= kGpsTextCount) {
        return;
    }
    auto& dst = gpsTexts[i];
    dst.fill(0);
    if (!text.empty()) {
        std::memcpy(dst.data(), text.data(), std::min(text.size(), kGpsTextCapacity - 1));
    }
}
