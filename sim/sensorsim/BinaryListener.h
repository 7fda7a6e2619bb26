#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sensorsim {

// A packet of the unit's binary mode: DLE, id, data size, data, checksum (the two's complement
// of the sum of id, size and data), DLE, ETX.
std::string binaryPacket(std::uint8_t id, const std::string& data);

// The one packet that brings a unit of `model` from binary mode back to NMEA.
std::string returnToNmeaPacket(int model);

// "100A02..." for the event log.
std::string hex(std::string_view bytes);

// What a unit in binary mode hears, checked byte for byte against its return packet. Bytes
// are judged once they end in the packet (whatever came before it is bad), once they end a
// frame (DLE ETX) that is not the packet, or once the line has been quiet for a moment.
class BinaryListener {
  public:
    static constexpr std::int64_t kQuietMs = 100;

    struct Outcome {
        bool ok = false;
        std::string bytes;
    };

    explicit BinaryListener(int model) : expected_(returnToNmeaPacket(model)) {}

    std::vector<Outcome> hear(std::string_view bytes, std::int64_t nowMs);
    // Judges what is left once the line is quiet.
    std::vector<Outcome> tick(std::int64_t nowMs);
    // When tick() has something to judge; -1 when nothing waits.
    std::int64_t nextDueMs() const { return pending_.empty() ? -1 : lastMs_ + kQuietMs; }
    void clear() { pending_.clear(); }

  private:
    std::string expected_;
    std::string pending_;
    std::int64_t lastMs_ = 0;
};

}  // namespace sensorsim
