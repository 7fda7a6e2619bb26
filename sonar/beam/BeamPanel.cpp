#include "beam/BeamPanel.h"

namespace beam {
namespace {
constexpr int kInset = 12;
constexpr int kValueX = 80;
constexpr int kButtonGap = 6;
constexpr int kGroupHeight = 76;
constexpr int kCaptionHeight = 24;
constexpr int kTextSize = 16;

struct Group {
    const char* caption;
    std::string value;
    BeamButton first;
    BeamButton second;
    const char* firstCaption;
    const char* secondCaption;
};
}  // namespace

PanelLayout panelLayout(const BeamCoverageState& s, int canvasWidth, bool printing) {
    PanelLayout p;
    const int x0 = canvasWidth - kPanelWidth;
    p.area = {x0, 0, kPanelWidth, 0};
    const Group groups[] = {
        {"Freq:", s.frequency(), BeamButton::FrequencyUp, BeamButton::FrequencyDown, "Up", "Down"},
        {"Range:", s.rangeText(), BeamButton::RangeUp, BeamButton::RangeDown, "Up", "Down"},
        {"Height:", s.heightText(), BeamButton::HeightUp, BeamButton::HeightDown, "Up", "Down"},
        {"Gain:", s.gainText(), BeamButton::GainUp, BeamButton::GainDown, "Up", "Down"},
        {"Units:", s.unitsText(), BeamButton::Meters, BeamButton::Feet, "Meters", "Feet"},
    };
    int top = kMargin;
    const int left = x0 + kInset;
    const int right = left + kButtonWidth + kButtonGap;
    for (const Group& g : groups) {
        p.labels.push_back({g.caption, {left, top}, kTextSize, Anchor::Left});
        p.labels.push_back({g.value, {x0 + kValueX, top}, kTextSize, Anchor::Left});
        const int y = top + kCaptionHeight;
        p.buttons.push_back({g.first, g.firstCaption, {left, y, kButtonWidth, kButtonHeight}});
        p.buttons.push_back({g.second, g.secondCaption, {right, y, kButtonWidth, kButtonHeight}});
        top += kGroupHeight;
    }
    top += kMargin;
    p.buttons.push_back({BeamButton::Preview, "Preview", {left, top, kButtonWidth, kButtonHeight}});
    p.buttons.push_back({BeamButton::Print, "Print", {right, top, kButtonWidth, kButtonHeight}});
    top += kButtonHeight + 2 * kMargin;
    if (printing) {
        p.labels.push_back({"Printing...", {left, top}, kTextSize, Anchor::Left});
    }
    p.area.height = top + kCaptionHeight;
    return p;
}

std::string settingsSummary(const BeamCoverageState& s) {
    return "Frequency " + s.frequency() + " (vertical beam " + std::to_string(s.beamWidth()) +
           " deg)    Range " + s.rangeText() + "    Height " + s.heightText() + "    Gain " +
           s.gainText();
}

}  // namespace beam
