#pragma once

#include <optional>

class Profile;

// Where the main window was and how it was shown, in the profile's "Window size" section.
struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const WindowRect&) const = default;
};

struct WindowPlacement {
    std::optional<WindowRect> normal;  // "Rect": the normal (not maximised) position
    bool minimized = false;            // "icon"
    bool maximized = false;            // "max"
    bool toolbar = true;               // "tool"
    bool statusBar = true;             // "status"
};

enum class WindowShow { Normal, Maximized, Minimized, MinimizedRestoringMaximized };

WindowPlacement readWindowPlacement(const Profile& profile);
void writeWindowPlacement(Profile& profile, const WindowPlacement& placement);

// The normal position to use on a screen of the given size: the stored one, or a 500 x 500
// window in the middle when none is stored or the stored one lies wholly off the screen.
WindowRect normalRect(const WindowPlacement& placement, int screenWidth, int screenHeight);
WindowShow windowShow(const WindowPlacement& placement);
