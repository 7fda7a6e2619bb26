#include "kbfile/SampleGain.h"

#include <algorithm>

#include "datafile/ByteOrder.h"

namespace kbfile {

void SampleGain::count(std::span<const std::uint8_t> le16) {
    for (std::size_t i = 0; i + 1 < le16.size(); i += 2) {
        ++histogram_[byteorder::getLe16(le16.data() + i)];
    }
}

void SampleGain::settle() {
    std::uint64_t total = 0;
    for (std::size_t v = 1; v < histogram_.size(); ++v) {
        total += histogram_[v];
    }
    reference_ = 1;
    if (total > 0) {
        // The smallest value with at least kPercentile of the non-zero samples at or below it.
        const auto wanted = static_cast<std::uint64_t>(kPercentile * static_cast<double>(total));
        std::uint64_t seen = 0;
        for (std::size_t v = 1; v < histogram_.size(); ++v) {
            seen += histogram_[v];
            if (seen >= std::max<std::uint64_t>(wanted, 1)) {
                reference_ = static_cast<std::uint16_t>(v);
                break;
            }
        }
    }
    table_.resize(histogram_.size());
    for (std::size_t v = 0; v < table_.size(); ++v) {
        const std::uint64_t scaled = (v * kTop + reference_ / 2) / reference_;
        table_[v] = static_cast<std::uint8_t>(std::min<std::uint64_t>(scaled, kTop));
    }
}

void SampleGain::apply(std::span<const std::uint8_t> le16, std::uint8_t* out) const {
    const std::size_t n = le16.size() / 2;
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = table_[byteorder::getLe16(le16.data() + 2 * i)];
    }
}

}  // namespace kbfile
