#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "display/BlendWeights.h"

// The resampled lines of the last pings, line k being the line of the ping k pings ago. Kept as
// a ring so moving down by one ping costs one line copy.
class BlendHistory {
  public:
    static constexpr int kLines = BlendWeights::kMaxLines;

    void resize(std::size_t width);
    void clear();
    std::size_t width() const { return width_; }

    // width() bytes of line k; nullptr outside 0..kLines-1 or before resize.
    const std::uint8_t* line(int k) const;
    std::uint8_t* line(int k);

    // Line k takes line k-1 for every k from the oldest down; line 0 keeps its bytes.
    void shiftDown();

    // out[j] = trunc(sum over the newest `lines` lines of line[k][j] x weight(k, lines - 1)).
    void blend(int lines, const BlendWeights& weights, std::uint8_t* out) const;

  private:
    std::size_t physical(int k) const;

    std::size_t width_ = 0;
    std::size_t head_ = 0;
    std::vector<std::uint8_t> bytes_;
};
