#include "sensorcfg/WindowPlacement.h"

#include <cstdio>

#include "sensorcfg/Profile.h"

namespace {
namespace keys = profile_keys;
constexpr int kDefaultSize = 500;

std::optional<WindowRect> parseRect(const std::string& text) {
    WindowRect r;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%d %d %d %d %c", &r.left, &r.top, &r.right, &r.bottom, &extra) !=
            4 ||
        r.width() <= 0 || r.height() <= 0) {
        return std::nullopt;
    }
    return r;
}
}  // namespace

WindowPlacement readWindowPlacement(const Profile& profile) {
    WindowPlacement p;
    p.normal = parseRect(profile.readString(keys::kWindowSize, "Rect", ""));
    p.minimized = profile.readInt(keys::kWindowSize, "icon", 0) != 0;
    p.maximized = profile.readInt(keys::kWindowSize, "max", 0) != 0;
    p.toolbar = profile.readInt(keys::kWindowSize, "tool", 1) != 0;
    p.statusBar = profile.readInt(keys::kWindowSize, "status", 1) != 0;
    return p;
}

void writeWindowPlacement(Profile& profile, const WindowPlacement& p) {
    if (p.normal) {
        char text[64];
        std::snprintf(text, sizeof text, "%04d %04d %04d %04d", p.normal->left, p.normal->top,
                      p.normal->right, p.normal->bottom);
        profile.writeString(keys::kWindowSize, "Rect", text);
    }
    profile.writeInt(keys::kWindowSize, "icon", p.minimized ? 1 : 0);
    profile.writeInt(keys::kWindowSize, "max", p.maximized ? 1 : 0);
    profile.writeInt(keys::kWindowSize, "tool", p.toolbar ? 1 : 0);
    profile.writeInt(keys::kWindowSize, "status", p.statusBar ? 1 : 0);
}

WindowRect normalRect(const WindowPlacement& p, int screenWidth, int screenHeight) {
    if (p.normal) {
        const WindowRect& r = *p.normal;
        const bool onScreen =
            r.right > 0 && r.bottom > 0 && r.left < screenWidth && r.top < screenHeight;
        if (onScreen) {
            return r;
        }
    }
    const int left = screenWidth / 2 - kDefaultSize / 2;
    const int top = screenHeight / 2 - kDefaultSize / 2;
    return {left, top, left + kDefaultSize, top + kDefaultSize};
}

WindowShow windowShow(const WindowPlacement& p) {
    if (p.minimized) {
        return p.maximized ? WindowShow::MinimizedRestoringMaximized : WindowShow::Minimized;
    }
    return p.maximized ? WindowShow::Maximized : WindowShow::Normal;
}
