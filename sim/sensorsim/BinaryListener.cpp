#include "sensorsim/BinaryListener.h"

namespace sensorsim {
namespace {
constexpr char kDle = 0x10;
constexpr char kEtx = 0x03;
constexpr int kHadley = 6;

bool endsWith(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}
}  // namespace

std::string binaryPacket(std::uint8_t id, const std::string& data) {
    std::uint8_t sum = static_cast<std::uint8_t>(id + data.size());
    for (const char c : data) {
        sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(c));
    }
    std::string packet{kDle, static_cast<char>(id), static_cast<char>(data.size())};
    packet += data;
    packet += static_cast<char>(static_cast<std::uint8_t>(-sum));
    packet += kDle;
    packet += kEtx;
    return packet;
}

std::string returnToNmeaPacket(int model) {
    using namespace std::string_literals;
    return model == kHadley ? binaryPacket(0x0D, "\x02\x0D\x00\x00"s)
                            : binaryPacket(0x0A, "\x26\x00"s);
}

std::string hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += kDigits[b >> 4];
        out += kDigits[b & 0x0F];
    }
    return out;
}

std::vector<BinaryListener::Outcome> BinaryListener::hear(std::string_view bytes,
                                                          std::int64_t nowMs) {
    std::vector<Outcome> out = tick(nowMs);
    lastMs_ = nowMs;
    const std::string frameEnd{kDle, kEtx};
    for (const char c : bytes) {
        pending_ += c;
        if (endsWith(pending_, expected_)) {
            if (pending_.size() > expected_.size()) {
                out.push_back({false, pending_.substr(0, pending_.size() - expected_.size())});
            }
            out.push_back({true, expected_});
            pending_.clear();
        } else if (endsWith(pending_, frameEnd)) {
            out.push_back({false, pending_});
            pending_.clear();
        }
    }
    return out;
}

std::vector<BinaryListener::Outcome> BinaryListener::tick(std::int64_t nowMs) {
    if (pending_.empty() || nowMs - lastMs_ < kQuietMs) {
        return {};
    }
    std::vector<Outcome> out{{false, pending_}};
    pending_.clear();
    return out;
}

}  // namespace sensorsim
