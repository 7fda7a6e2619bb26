#include <gtest/gtest.h>

#include <map>
#include <string>

#include "beam/BeamPanel.h"

using beam::BeamButton;

namespace {
std::map<std::string, std::string> captionToValue(const beam::PanelLayout& p) {
    std::map<std::string, std::string> values;
    for (std::size_t i = 0; i + 1 < p.labels.size(); i += 2) {
        values[p.labels[i].text] = p.labels[i + 1].text;
    }
    return values;
}
}  // namespace

TEST(BeamPanel, ValuesSitBesideTheirCaptionsInTheChosenUnits) {
    beam::BeamCoverageState s;
    const std::map<std::string, std::string> metres =
        captionToValue(beam::panelLayout(s, 1190, false));
    EXPECT_EQ(metres, (std::map<std::string, std::string>{{"Freq:", "Low"},
                                                          {"Range:", "50 m"},
                                                          {"Height:", "30 m"},
                                                          {"Gain:", "20%"},
                                                          {"Units:", "meters"}}));
    s.press(BeamButton::Feet);
    s.press(BeamButton::FrequencyDown);
    const auto feet = captionToValue(beam::panelLayout(s, 1190, false));
    EXPECT_EQ(feet.at("Range:"), "150 ft");
    EXPECT_EQ(feet.at("Height:"), "90 ft");
    EXPECT_EQ(feet.at("Units:"), "feet");
    EXPECT_EQ(feet.at("Freq:"), "High");
    // While a print runs the panel says so, below its buttons.
    const beam::PanelLayout printing = beam::panelLayout(s, 1190, true);
    EXPECT_EQ(printing.labels.back().text, "Printing...");
    EXPECT_NE(beam::panelLayout(s, 1190, false).labels.back().text, "Printing...");
}

TEST(BeamPanel, TwelveButtonsInsideThePanelWithoutOverlap) {
    const beam::PanelLayout p = beam::panelLayout(beam::BeamCoverageState{}, 1190, false);
    ASSERT_EQ(p.buttons.size(), 12u);
    std::map<BeamButton, std::string> captions;
    for (const beam::PanelButton& b : p.buttons) {
        captions[b.id] = b.caption;
        EXPECT_EQ(b.rect.width, 65);
        EXPECT_EQ(b.rect.height, 30);
        EXPECT_GE(b.rect.x, 1190 - 170);
        EXPECT_LE(b.rect.right(), 1190);
        for (const beam::PanelButton& o : p.buttons) {
            const bool apart = b.rect.right() <= o.rect.x || o.rect.right() <= b.rect.x ||
                               b.rect.bottom() <= o.rect.y || o.rect.bottom() <= b.rect.y;
            EXPECT_TRUE(&b == &o || apart) << b.caption << " / " << o.caption;
        }
    }
    EXPECT_EQ(captions[BeamButton::FrequencyUp], "Up");
    EXPECT_EQ(captions[BeamButton::GainDown], "Down");
    EXPECT_EQ(captions[BeamButton::Meters], "Meters");
    EXPECT_EQ(captions[BeamButton::Feet], "Feet");
    EXPECT_EQ(captions[BeamButton::Preview], "Preview");
    EXPECT_EQ(captions[BeamButton::Print], "Print");
}
