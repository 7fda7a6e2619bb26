#pragma once

#include <cstdint>

#include "display/ColourTables.h"
#include "display/SideLayout.h"

// The display options the user switches from the menus. Setters only store; the next ping or
// paint uses them.
class DisplaySettings {
  public:
    static constexpr int kDefaultColourTable = ColourTables::Grey;

    int colourTable() const { return colourTable_; }
    int previousColourTable() const { return previousColourTable_; }
    // False when the index is out of range or already selected; otherwise the current index
    // becomes the previous one.
    bool selectColourTable(int index);

    bool verticalBlending() const { return verticalBlending_; }
    void setVerticalBlending(bool on) { verticalBlending_ = on; }
    void toggleVerticalBlending() { verticalBlending_ = !verticalBlending_; }

    bool speedCorrection() const { return speedCorrection_; }
    void setSpeedCorrection(bool on) { speedCorrection_ = on; }
    void toggleSpeedCorrection() { speedCorrection_ = !speedCorrection_; }

    SideLayout sideLayout() const { return sideLayout_; }
    // False for a value other than 1, 2 or 3.
    bool setSideLayout(int layout);

    bool colourIndicatorShown() const { return colourIndicatorShown_; }
    void setColourIndicatorShown(bool on) { colourIndicatorShown_ = on; }
    void toggleColourIndicator() { colourIndicatorShown_ = !colourIndicatorShown_; }

  private:
    int colourTable_ = kDefaultColourTable;
    int previousColourTable_ = ColourTables::NormalHigh;
    bool verticalBlending_ = false;
    bool speedCorrection_ = false;
    SideLayout sideLayout_ = SideLayout::BothSides;
    bool colourIndicatorShown_ = true;
};
