#include "kbfile/ProgressMeter.h"

#include <algorithm>

namespace kbfile {

void ProgressMeter::update(std::uint64_t done, std::uint64_t total) {
    if (!enabled_ || total < kMinBytes) {
        return;
    }
    const int percent = static_cast<int>(std::min<std::uint64_t>(done, total) * 100 / total);
    if (percent == shown_) {
        return;
    }
    shown_ = percent;
    std::fprintf(out_, "\r%s %3d%%", label_.c_str(), percent);
    std::fflush(out_);
}

void ProgressMeter::clear() {
    if (shown_ < 0) {
        return;
    }
    // Label, blank and "100%".
    std::fprintf(out_, "\r%*s\r", static_cast<int>(label_.size() + 5), "");
    std::fflush(out_);
    shown_ = -1;
}

}  // namespace kbfile
