#include "survey/PingBottom.h"

#include <algorithm>

#include "survey/SlantRange.h"

void PingSides::split(std::span<const std::uint8_t> ping) {
    const std::size_t half = ping.size() / 2;
    port_.assign(ping.rbegin() + static_cast<std::ptrdiff_t>(ping.size() - half), ping.rend());
    starboard_ = ping.subspan(half, half);
}

std::optional<int> BottomPair::nearer() const {
    if (port && starboard) {
        return std::min(*port, *starboard);
    }
    return port ? port : starboard;
}

BottomPair detectBottoms(const PingSides& sides, const BottomDetectorSettings& settings) {
    return {detectBottom(sides.port(), settings), detectBottom(sides.starboard(), settings)};
}

std::optional<double> AltitudeHold::next(std::optional<double> found) {
    if (found) {
        last_ = found;
        held_ = 0;
        return found;
    }
    if (last_ && held_ < maxHeld_) {
        ++held_;
        return last_;
    }
    last_.reset();
    return std::nullopt;
}

SideAltitudes sideAltitudes(const BottomPair& bottoms, double metresPerSample,
                            std::optional<double> fallback, AltitudeHold& hold) {
    auto metres = [&](std::optional<int> index) -> std::optional<double> {
        return index ? std::optional(*index * metresPerSample) : std::nullopt;
    };
    const std::optional<double> ping =
        hold.next(bottoms.any() ? metres(bottoms.nearer()) : fallback);
    return {bottoms.port ? metres(bottoms.port) : ping,
            bottoms.starboard ? metres(bottoms.starboard) : ping};
}

std::span<const std::uint8_t> PingRelayer::relay(std::span<const std::uint8_t> ping) {
    sides_.split(ping);
    const SideAltitudes alt = sideAltitudes(detectBottoms(sides_), 1.0, std::nullopt, hold_);
    const std::size_t half = ping.size() / 2;
    out_.assign(ping.size(), kNoData);
    ground_.resize(half);
    if (alt.port) {
        relayOnSeabed(sides_.port(), {1.0, *alt.port}, 1.0, ground_, kNoData);
        std::reverse_copy(ground_.begin(), ground_.end(), out_.begin());
    }
    if (alt.starboard) {
        relayOnSeabed(sides_.starboard(), {1.0, *alt.starboard}, 1.0, ground_, kNoData);
        std::copy(ground_.begin(), ground_.end(), out_.begin() + static_cast<std::ptrdiff_t>(half));
    }
    return out_;
}
