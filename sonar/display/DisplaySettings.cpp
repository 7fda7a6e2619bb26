#include "display/DisplaySettings.h"

bool DisplaySettings::selectColourTable(int index) {
    if (index < 0 || index >= ColourTables::kTableCount || index == colourTable_) {
        return false;
    }
    previousColourTable_ = colourTable_;
    colourTable_ = index;
    return true;
}

bool DisplaySettings::setSideLayout(int layout) {
    if (!isSideLayout(layout)) {
        return false;
    }
    sideLayout_ = static_cast<SideLayout>(layout);
    return true;
}
