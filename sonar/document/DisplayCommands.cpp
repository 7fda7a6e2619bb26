// The display commands of the document: colour tables, side layouts, blending, speed
// correction, the colour indicator, clear screen, grid, grid text size, range text and units.
#include "document/CKeelbrookDoc.h"

namespace {
constexpr int kGridTextLarge = 18;
constexpr int kGridTextMedium = 16;
constexpr int kGridTextSmall = 14;

int colourIndex(CommandId id) {
    return static_cast<int>(id) - kFirstColourCommand;
}
bool isColourCommand(CommandId id) {
    const int i = colourIndex(id);
    return i >= 0 && i < kColourTableCount;
}
int gridTextSize(CommandId id) {
    switch (id) {
        case CommandId::GridTextLarge:
            return kGridTextLarge;
        case CommandId::GridTextMedium:
            return kGridTextMedium;
        default:
            return kGridTextSmall;
    }
}
}  // namespace

std::optional<bool> CKeelbrookDoc::displayCommandEnabled(CommandId id) const {
    switch (id) {
        case CommandId::PortOnly:
        case CommandId::StbdOnly:
        case CommandId::BothSides:
        case CommandId::VerticalBlending:
        case CommandId::SpeedCorrection:
        case CommandId::ColorIndicator:
        case CommandId::ClearScreen:
        case CommandId::Grid:
        case CommandId::GridTextLarge:
        case CommandId::GridTextMedium:
        case CommandId::GridTextSmall:
        case CommandId::Metric:
        case CommandId::Imperial:
            return true;
        default:
            return isColourCommand(id) ? std::optional<bool>(true) : std::nullopt;
    }
}

std::optional<bool> CKeelbrookDoc::displayCommandChecked(CommandId id) const {
    const DisplaySettings& d = pipeline_.settings();
    switch (id) {
        case CommandId::PortOnly:
            return d.sideLayout() == SideLayout::PortOnly;
        case CommandId::StbdOnly:
            return d.sideLayout() == SideLayout::StarboardOnly;
        case CommandId::BothSides:
            return d.sideLayout() == SideLayout::BothSides;
        case CommandId::VerticalBlending:
            return d.verticalBlending();
        case CommandId::SpeedCorrection:
            return d.speedCorrection();
        case CommandId::ColorIndicator:
            return d.colourIndicatorShown();
        case CommandId::Grid:
            return settings_.showGrid;
        case CommandId::GridTextLarge:
        case CommandId::GridTextMedium:
        case CommandId::GridTextSmall:
            return settings_.markerTextSize == gridTextSize(id);
        case CommandId::Metric:
            return settings_.units == 0;
        case CommandId::Imperial:
            return settings_.units == 1;
        default:
            if (!isColourCommand(id)) {
                return std::nullopt;
            }
            return d.colourTable() == colourIndex(id);
    }
}

bool CKeelbrookDoc::executeDisplayCommand(CommandId id) {
    DisplaySettings& d = pipeline_.settings();
    switch (id) {
        case CommandId::PortOnly:
            d.setSideLayout(static_cast<int>(SideLayout::PortOnly));
            return true;
        case CommandId::StbdOnly:
            d.setSideLayout(static_cast<int>(SideLayout::StarboardOnly));
            return true;
        case CommandId::BothSides:
            d.setSideLayout(static_cast<int>(SideLayout::BothSides));
            return true;
        case CommandId::VerticalBlending:
            d.toggleVerticalBlending();
            return true;
        case CommandId::SpeedCorrection:
            d.toggleSpeedCorrection();
            settings_.speedCorrectionEnabled = d.speedCorrection();
            return true;
        case CommandId::ColorIndicator:
            d.toggleColourIndicator();
            settings_.showColorIndicator = d.colourIndicatorShown();
            ports_.frame.redrawViews();
            return true;
        case CommandId::ClearScreen:
            pipeline_.clearScreen();
            ports_.frame.redrawViews();
            return true;
        case CommandId::Grid:
            settings_.showGrid = !settings_.showGrid;
            ports_.frame.redrawViews();
            return true;
        case CommandId::GridTextLarge:
        case CommandId::GridTextMedium:
        case CommandId::GridTextSmall:
            settings_.markerTextSize = gridTextSize(id);
            ports_.frame.redrawViews();
            return true;
        case CommandId::Metric:
        case CommandId::Imperial:
            settings_.units = id == CommandId::Metric ? 0 : 1;
            ports_.frame.refreshDiagnostics();
            ports_.frame.refreshSonarSettings();
            ports_.frame.redrawViews();
            ports_.frame.refreshStatus();
            return true;
        default:
            break;
    }
    if (!isColourCommand(id)) {
        return false;
    }
    if (pipeline_.selectColourTable(colourIndex(id))) {
        settings_.colorTable = colourIndex(id);
        ports_.frame.redrawViews();
    }
    return true;
}
