#include "headsim/CommandFramer.h"

#include <algorithm>

namespace headsim {
namespace {
constexpr std::uint8_t kStartByte = 0xFE;
}  // namespace

std::size_t CommandFramer::skipToStart(std::size_t pos) {
    const auto start =
        std::find(pending_.begin() + static_cast<std::ptrdiff_t>(pos), pending_.end(), kStartByte);
    const auto found = static_cast<std::size_t>(start - pending_.begin());
    discarded_ += found - pos;
    return found;
}

void CommandFramer::feed(const std::uint8_t* data, std::size_t len,
                         std::vector<SwitchCommand>& out) {
    if (data == nullptr || len == 0) {
        return;
    }
    pending_.insert(pending_.end(), data, data + len);
    std::size_t pos = skipToStart(0);
    while (pending_.size() - pos >= SwitchCommand::kSize) {
        SwitchCommand command;
        if (SwitchCommand::parse(pending_.data() + pos, SwitchCommand::kSize, command)) {
            out.push_back(command);
            pos += SwitchCommand::kSize;
        } else {
            // A start byte inside garbage: resync on the next one.
            ++pos;
            ++discarded_;
        }
        pos = skipToStart(pos);
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(pos));
}

}  // namespace headsim
