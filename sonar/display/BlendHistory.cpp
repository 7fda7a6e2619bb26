#include "display/BlendHistory.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {
// Rounding must never reach the highlight index.
constexpr double kMaxBlended = 254.0;
}  // namespace

void BlendHistory::resize(std::size_t width) {
    width_ = width;
    head_ = 0;
    bytes_.assign(width * kLines, 0);
}

void BlendHistory::clear() {
    std::fill(bytes_.begin(), bytes_.end(), 0);
}

std::size_t BlendHistory::physical(int k) const {
    return (head_ + static_cast<std::size_t>(k)) % kLines;
}

const std::uint8_t* BlendHistory::line(int k) const {
    if (k < 0 || k >= kLines || width_ == 0) {
        return nullptr;
    }
    return bytes_.data() + physical(k) * width_;
}

std::uint8_t* BlendHistory::line(int k) {
    return const_cast<std::uint8_t*>(static_cast<const BlendHistory&>(*this).line(k));
}

void BlendHistory::shiftDown() {
    if (width_ == 0) {
        return;
    }
    head_ = (head_ + kLines - 1) % kLines;
    std::memcpy(line(0), line(1), width_);
}

void BlendHistory::blend(int lines, const BlendWeights& weights, std::uint8_t* out) const {
    lines = std::clamp(lines, 1, kLines);
    std::array<const std::uint8_t*, kLines> src{};
    std::array<double, kLines> w{};
    for (int k = 0; k < lines; ++k) {
        src[static_cast<std::size_t>(k)] = line(k);
        w[static_cast<std::size_t>(k)] = weights.weight(k, lines - 1);
    }
    for (std::size_t j = 0; j < width_; ++j) {
        double sum = 0.0;
        for (int k = 0; k < lines; ++k) {
            sum += src[static_cast<std::size_t>(k)][j] * w[static_cast<std::size_t>(k)];
        }
        out[j] = static_cast<std::uint8_t>(std::min(sum, kMaxBlended));
    }
}
