#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kbfile {

// 16-bit samples of other systems' XTF files as the 8-bit echo strengths the display draws.
// The rule is linear: the 95th percentile of the file's non-zero samples (of the two channels
// drawn) becomes 254, the strongest echo the palette shows, and brighter samples stay there. A
// robust percentile rather than the peak, since a few saturated returns (a wreck, the surface)
// would otherwise leave the whole seabed dark.
class SampleGain {
  public:
    static constexpr double kPercentile = 0.95;
    static constexpr std::uint8_t kTop = 254;

    SampleGain() { settle(); }

    // Counts little-endian 16-bit samples (two bytes each).
    void count(std::span<const std::uint8_t> le16);
    // Fixes the rule from what was counted; without non-zero samples the reference is 1.
    void settle();
    // The sample value that maps to kTop.
    std::uint16_t reference() const { return reference_; }
    // Maps le16.size() / 2 samples to out.
    void apply(std::span<const std::uint8_t> le16, std::uint8_t* out) const;

  private:
    std::vector<std::uint64_t> histogram_ = std::vector<std::uint64_t>(65536);
    std::vector<std::uint8_t> table_;
    std::uint16_t reference_ = 1;
};

}  // namespace kbfile
