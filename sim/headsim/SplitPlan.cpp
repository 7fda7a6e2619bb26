#include "headsim/SplitPlan.h"

#include <algorithm>

namespace headsim {

SplitPlan::SplitPlan(Mode mode, std::size_t size, std::uint64_t seed)
    : mode_(size == 0 && mode == Mode::Fixed ? Mode::Whole : mode), size_(size), rng_(seed) {}

std::vector<std::size_t> SplitPlan::segments(std::size_t length) {
    std::vector<std::size_t> out;
    std::uniform_int_distribution<std::size_t> randomSize(1, kRandomMax);
    std::size_t left = length;
    while (left > 0) {
        std::size_t n = left;
        if (mode_ == Mode::Fixed) {
            n = size_;
        } else if (mode_ == Mode::Random) {
            n = randomSize(rng_);
        }
        n = std::min(n, left);
        out.push_back(n);
        left -= n;
    }
    return out;
}

unsigned SplitPlan::pauseMicros() {
    std::uniform_int_distribution<unsigned> pause(kPauseMinMicros, kPauseMaxMicros);
    return pause(rng_);
}

}  // namespace headsim
