#include "display/ConnectionBanner.h"

namespace {
constexpr int kBlinkRepaints = 5;
}

std::optional<BannerText> ConnectionBanner::next(ConnectionState state, bool noRxData,
                                                 bool playback) {
    if (playback) {
        return std::nullopt;
    }
    switch (state) {
        case ConnectionState::NotConnected:
        case ConnectionState::Offline:
            return BannerText{"No Connection !", waterfall_view::kRed};
        case ConnectionState::Connecting:
            return BannerText{"Connecting... Please wait....", waterfall_view::kRed};
        case ConnectionState::Connected:
            break;
    }
    if (!noRxData) {
        return std::nullopt;
    }
    if (++count_ <= kBlinkRepaints) {
        return std::nullopt;
    }
    count_ = 0;
    white_ = !white_;
    return BannerText{"No RX Data !", white_ ? waterfall_view::kWhite : waterfall_view::kRed};
}
