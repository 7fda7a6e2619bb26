#include "gps/RecentSentences.h"

#include <algorithm>

void RecentSentences::add(std::string_view sentence) {
    if (count_ == kCapacity) {
        std::rotate(slots_.begin(), slots_.begin() + 1, slots_.end());
        --count_;
    }
    slots_[count_++] = sentence;
}

void RecentSentences::setSlot(std::size_t i, std::string_view sentence) {
    if (i < kCapacity) {
        slots_[i] = sentence;
    }
}

void RecentSentences::clear() {
    for (std::string& s : slots_) {
        s.clear();
    }
    count_ = 0;
}
