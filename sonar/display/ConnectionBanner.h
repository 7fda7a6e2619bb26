#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "acquisition/ConnectionState.h"

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct BannerText {
    std::string text;
    Rgb colour;
};

// The connection state text of the sonar window. "No RX Data !" blinks: it shows on every sixth
// repaint, alternating red and white, so each call is one repaint.
class ConnectionBanner {
  public:
    static constexpr Rgb kRed{255, 0, 0};
    static constexpr Rgb kWhite{255, 255, 255};

    std::optional<BannerText> next(ConnectionState state, bool noRxData, bool playback);

  private:
    int count_ = 0;
    bool white_ = false;
};
