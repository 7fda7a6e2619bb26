#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "acquisition/SwitchCommand.h"

namespace headsim {

// Cuts the client's TCP byte stream into SwitchCommands. The stream arrives in pieces of any
// size; bytes that cannot start a command (or a start byte whose frame does not close with the end
// byte) are skipped so the framer finds the next command after garbage.
class CommandFramer {
  public:
    // Appends every command completed by these bytes to `out`.
    void feed(const std::uint8_t* data, std::size_t len, std::vector<SwitchCommand>& out);

    std::size_t discardedBytes() const { return discarded_; }
    std::size_t pendingBytes() const { return pending_.size(); }

  private:
    // Index of the first start byte at or after pos (or the end); counts what it passes over.
    std::size_t skipToStart(std::size_t pos);

    std::vector<std::uint8_t> pending_;
    std::size_t discarded_ = 0;
};

}  // namespace headsim
