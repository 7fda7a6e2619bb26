#pragma once

#include <array>
#include <string>

#include "beam/BeamSettingsSource.h"

namespace beam {

// The ranges the tool offers, in metres.
inline constexpr std::array<int, 11> kRanges = {10, 20, 30, 40, 50, 60, 80, 100, 125, 150, 200};
inline constexpr int kMinHeightFeet = 1;
inline constexpr int kMaxHeightFeet = 600;
// Heights are kept in feet; metres are shown as feet / 3 (the tool's own fixed factor).
inline constexpr int kFeetPerMetre = 3;

enum class Units { Metres = 0, Feet = 1 };

// The panel's buttons by control id.
enum class BeamButton : int {
    FrequencyUp = 41001,
    FrequencyDown = 41002,
    HeightUp = 41003,
    HeightDown = 41004,
    RangeUp = 41005,
    RangeDown = 41006,
    Meters = 41010,
    Feet = 41011,
    GainUp = 41012,
    GainDown = 41013,
    Print = 57607,
    Preview = 57609,
};

// The values the beam coverage window draws. They start from the sonar settings on the window's
// first update and are then the window's own: nothing here reaches the head.
class BeamCoverageState {
  public:
    static constexpr double kGainFactor = 40.0;

    void takeSonarSettings(const BeamStartSettings& s);

    // The value buttons; false for a button that changed nothing (a limit, or Print/Preview).
    bool press(BeamButton button);

    const std::string& frequency() const { return frequency_; }
    int beamWidth() const { return beamWidth_; }
    int range() const { return range_; }
    int height() const { return height_; }  // feet
    Units units() const { return units_; }
    int gain() const { return gain_; }
    double gainFactor() const { return kGainFactor; }

    // Any values, as a damaged source might give them; the drawing copes.
    void setRange(int metres) { range_ = metres; }
    void setHeight(int feet) { height_ = feet; }
    void setGain(int gain) { gain_ = gain; }
    void setFrequency(const std::string& name);

    // Panel values.
    std::string rangeText() const;   // "150 ft" / "50 m"
    std::string heightText() const;  // "90 ft" / "30 m"
    std::string gainText() const;    // "20%"
    std::string unitsText() const;   // "feet" / "meters"
    // Diagram labels.
    std::string rangeLabel() const;   // "Range = 150 ft"
    std::string heightLabel() const;  // "H: 90 ft"

  private:
    void rangeUp();
    void rangeDown();
    void heightUp();
    void heightDown();

    std::string frequency_ = "Low";
    int beamWidth_ = 120;
    int range_ = 50;
    int height_ = 90;
    Units units_ = Units::Metres;
    int gain_ = 20;
};

// The metres of a head range index: 5..14 give 10..150, anything else 200.
int rangeForIndex(int rangeIndex);
// The vertical beam width of a frequency name; 0 for an unknown name.
int beamWidthFor(const std::string& frequency);

}  // namespace beam
