#include "beam/BeamCoverageState.h"

#include <algorithm>
#include <cstdio>

namespace beam {
namespace {
constexpr int kFirstRangeIndex = 5;
constexpr int kMaxGain = 100;
// In metres the height moves by whole metres; these keep it on the usable scale.
constexpr int kMetresStepFeet = 3;
constexpr int kMetresTopSnap = 596;
constexpr int kMetresBottomSnap = 4;

constexpr std::array<const char*, 3> kFrequencies = {"Low", "Medium", "High"};
constexpr std::array<int, 3> kBeamWidths = {120, 90, 30};

int frequencyIndex(const std::string& name) {
    for (std::size_t i = 0; i < kFrequencies.size(); ++i) {
        if (name == kFrequencies[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string format(const char* fmt, int value) {
    char buf[48];
    std::snprintf(buf, sizeof buf, fmt, value);
    return buf;
}
}  // namespace

int rangeForIndex(int rangeIndex) {
    const int i = rangeIndex - kFirstRangeIndex;
    // The last entry (200) is also the answer for every index outside 5..14.
    if (i >= 0 && i < static_cast<int>(kRanges.size()) - 1) {
        return kRanges[static_cast<std::size_t>(i)];
    }
    return kRanges.back();
}

int beamWidthFor(const std::string& frequency) {
    const int i = frequencyIndex(frequency);
    return i < 0 ? 0 : kBeamWidths[static_cast<std::size_t>(i)];
}

void BeamCoverageState::setFrequency(const std::string& name) {
    frequency_ = name;
    beamWidth_ = beamWidthFor(name);
}

void BeamCoverageState::takeSonarSettings(const BeamStartSettings& s) {
    range_ = rangeForIndex(s.rangeIndex);
    if (s.mode == 1 || s.mode == 2) {
        setFrequency(kFrequencies[static_cast<std::size_t>(s.mode)]);
    }
    // The panel steps the gain within 0..100; a stray byte from a damaged file starts at a limit.
    gain_ = std::clamp(s.dataGain, 0, kMaxGain);
    units_ = s.units == 1 ? Units::Feet : Units::Metres;
}

bool BeamCoverageState::press(BeamButton button) {
    const std::string frequency = frequency_;
    const int range = range_, height = height_, gain = gain_;
    const Units units = units_;
    const int f = frequencyIndex(frequency_);
    switch (button) {
        case BeamButton::FrequencyUp:
            setFrequency(kFrequencies[static_cast<std::size_t>(f < 0 ? 0 : (f + 1) % 3)]);
            break;
        case BeamButton::FrequencyDown:
            setFrequency(kFrequencies[static_cast<std::size_t>(f < 0 ? 0 : (f + 2) % 3)]);
            break;
        case BeamButton::RangeUp:
            rangeUp();
            break;
        case BeamButton::RangeDown:
            rangeDown();
            break;
        case BeamButton::HeightUp:
            heightUp();
            break;
        case BeamButton::HeightDown:
            heightDown();
            break;
        case BeamButton::GainUp:
            gain_ = std::min(gain_ + 1, kMaxGain);
            break;
        case BeamButton::GainDown:
            gain_ = std::max(gain_ - 1, 0);
            break;
        case BeamButton::Meters:
            units_ = Units::Metres;
            height_ = std::max(height_, kMetresStepFeet);
            break;
        case BeamButton::Feet:
            units_ = Units::Feet;
            break;
        case BeamButton::Print:
        case BeamButton::Preview:
            return false;
    }
    return frequency != frequency_ || range != range_ || height != height_ || gain != gain_ ||
           units != units_;
}

void BeamCoverageState::rangeUp() {
    const auto it = std::find(kRanges.begin(), kRanges.end(), range_);
    range_ = (it == kRanges.end() || it + 1 == kRanges.end()) ? kRanges.back() : *(it + 1);
}

void BeamCoverageState::rangeDown() {
    const auto it = std::find(kRanges.begin(), kRanges.end(), range_);
    range_ = (it == kRanges.end() || it == kRanges.begin()) ? kRanges.front() : *(it - 1);
}

void BeamCoverageState::heightUp() {
    if (units_ == Units::Feet) {
        height_ = std::min(height_ + 1, kMaxHeightFeet);
        return;
    }
    height_ += kMetresStepFeet;
    if (height_ > kMetresTopSnap) {
        height_ = kMaxHeightFeet;
    }
}

void BeamCoverageState::heightDown() {
    if (units_ == Units::Feet) {
        height_ = std::max(height_ - 1, kMinHeightFeet);
        return;
    }
    height_ -= kMetresStepFeet;
    if (height_ < kMetresBottomSnap) {
        height_ = kMetresStepFeet;
    }
}

std::string BeamCoverageState::rangeText() const {
    return units_ == Units::Feet ? format("%d ft", range_ * kFeetPerMetre) : format("%d m", range_);
}

std::string BeamCoverageState::heightText() const {
    return units_ == Units::Feet ? format("%d ft", height_)
                                 : format("%d m", height_ / kFeetPerMetre);
}

std::string BeamCoverageState::gainText() const {
    return format("%d%%", gain_);
}

std::string BeamCoverageState::unitsText() const {
    return units_ == Units::Feet ? "feet" : "meters";
}

std::string BeamCoverageState::rangeLabel() const {
    return "Range = " + rangeText();
}

std::string BeamCoverageState::heightLabel() const {
    return "H: " + heightText();
}

}  // namespace beam
