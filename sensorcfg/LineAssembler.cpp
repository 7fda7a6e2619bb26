#include "sensorcfg/LineAssembler.h"

namespace {
constexpr char kCr = '\r';
constexpr char kLf = '\n';
}  // namespace

void LineAssembler::feed(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == kLf) {
            if (overlong_) {
                overlong_ = false;
            } else if (!line_.empty()) {
                line_ += kLf;
                onLine_(line_);
            }
            line_.clear();
            continue;
        }
        if (overlong_) {
            continue;
        }
        // Room for 200 characters and one CR after them; anything beyond makes it too long.
        const bool full = c == kCr ? line_.size() > kMaxText : line_.size() >= kMaxText;
        if (full) {
            overlong_ = true;
            line_.clear();
            continue;
        }
        line_ += c;
    }
}

void LineAssembler::reset() {
    line_.clear();
    overlong_ = false;
}
