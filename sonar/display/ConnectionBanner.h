#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "acquisition/ConnectionState.h"
#include "display/ViewTexts.h"

struct BannerText {
    std::string text;
    waterfall_view::Colour colour;
};

// The connection state text of the sonar window. "No RX Data !" blinks: it shows on every sixth
// repaint, alternating red and white, so each call is one repaint.
class ConnectionBanner {
  public:
    std::optional<BannerText> next(ConnectionState state, bool noRxData, bool playback);

  private:
    int count_ = 0;
    bool white_ = false;
};
