#pragma once

#include <string>
#include <vector>

#include "beam/BeamDrawing.h"

namespace beam {

inline constexpr int kButtonWidth = 65;
inline constexpr int kButtonHeight = 30;

struct PanelButton {
    BeamButton id;
    std::string caption;
    Rect rect;
};

// The side panel at the right of the view: each value with its caption above its pair of
// buttons, then Preview and Print.
struct PanelLayout {
    Rect area;
    std::vector<Label> labels;
    std::vector<PanelButton> buttons;
};

// `printing`: a print is under way and the panel says so.
PanelLayout panelLayout(const BeamCoverageState& state, int canvasWidth, bool printing);

// One line of the values drawn, for the printed page.
std::string settingsSummary(const BeamCoverageState& state);

}  // namespace beam
