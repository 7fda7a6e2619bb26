#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "beam/BeamDrawing.h"

using beam::BeamButton;
using beam::BeamCoverageState;
using beam::BeamDrawing;

namespace {

// A 1190 x 800 window: diagram 1020 wide, so H = 505, the towfish at (515, 130).
constexpr beam::CanvasSize kScreen{1190, 800, false};

BeamCoverageState state(const char* frequency, int range, int heightFeet, int gain = 20) {
    BeamCoverageState s;
    s.setFrequency(frequency);
    s.setRange(range);
    s.setHeight(heightFeet);
    s.setGain(gain);
    return s;
}

std::vector<int> markXs(const BeamDrawing& d) {
    std::vector<int> xs;
    for (const beam::Segment& m : d.marks) {
        EXPECT_EQ(m.a.x, m.b.x);  // vertical strokes
        EXPECT_EQ(m.a.y, d.bottomY);
        EXPECT_EQ(m.b.y, d.bottomY + 60);
        xs.push_back(m.a.x);
    }
    std::sort(xs.begin(), xs.end());
    return xs;
}

int maxBlue(const BeamDrawing& d) {
    int best = 0;
    for (const beam::Ray& r : d.rays) {
        best = std::max(best, static_cast<int>(r.colour.b));
    }
    return best;
}

// The ray that ends nearest to the beam axis' end, 20 degrees below the horizontal.
const beam::Ray& axisRay(const BeamDrawing& d) {
    const double ax = d.towfish.x + d.halfWidth * std::cos(20 * M_PI / 180);
    const double ay = d.towfish.y + d.halfWidth * std::sin(20 * M_PI / 180);
    return *std::min_element(d.rays.begin(), d.rays.end(), [&](const auto& a, const auto& b) {
        return std::hypot(a.line.b.x - ax, a.line.b.y - ay) <
               std::hypot(b.line.b.x - ax, b.line.b.y - ay);
    });
}

std::vector<std::string> labelTexts(const BeamDrawing& d) {
    std::vector<std::string> t;
    for (const beam::Label& l : d.scaleLabels) {
        t.push_back(l.text);
    }
    return t;
}

}  // namespace

TEST(BeamLayout, DiagramLeavesThePanelAndPutsTheBottomByHeightAndRange) {
    const BeamDrawing d = beam::drawBeamCoverage(state("Low", 50, 90), kScreen);
    EXPECT_EQ(d.halfWidth, 505);
    EXPECT_EQ(d.towfish, (beam::Point{515, 130}));
    EXPECT_EQ(d.diagram, (beam::Rect{10, 10, 1010, 780}));
    EXPECT_EQ(d.bottomY, 433);  // 30 m of a 50 m radius of 505 pixels
    EXPECT_EQ(d.background, (beam::Colour{0x78, 0x78, 0x78}));
    EXPECT_EQ(d.diagramFill, (beam::Colour{0, 0, 0}));
    EXPECT_EQ(d.fanClip, (beam::Rect{10, 10, 1010, 423}));

    // Printed, the diagram takes the whole width on white, and the texts turn black.
    const BeamDrawing p = beam::drawBeamCoverage(state("Low", 50, 90), {1020, 800, true});
    EXPECT_EQ(p.halfWidth, 505);
    EXPECT_EQ(p.background, (beam::Colour{255, 255, 255}));
    EXPECT_EQ(p.diagramFill, (beam::Colour{255, 255, 255}));
    EXPECT_EQ(p.textColour, (beam::Colour{0, 0, 0}));
    EXPECT_EQ(p.scaleLabels.front().size, 14);
    EXPECT_EQ(p.bottomLine.colour, (beam::Colour{0xC8, 0x8C, 0x00}));  // yellow is lost on paper
    EXPECT_EQ(d.bottomLine.colour, (beam::Colour{255, 255, 0}));
    // The scale's numbers are the lowest thing drawn: 14 under the scale line at 433 + 60.
    EXPECT_EQ(beam::contentBottom(p), 433 + 60 + 14 + 14);
    EXPECT_EQ(d.scaleLabels.front().size, 20);
}

TEST(BeamLayout, BottomLineHatchingAndHeightLineSpanTheDiagram) {
    const BeamDrawing d = beam::drawBeamCoverage(state("Low", 50, 90), kScreen);
    EXPECT_EQ(d.bottomLine.line, (beam::Segment{{10, 433}, {1020, 433}}));
    EXPECT_EQ(d.bottomLine.width, 5);
    EXPECT_TRUE(d.bottomLine.dashed);
    EXPECT_EQ(d.heightLine.line, (beam::Segment{{515, 130}, {515, 433}}));
    EXPECT_TRUE(d.heightLine.arrowAtStart && d.heightLine.arrowAtEnd);
    EXPECT_EQ(d.depthLine.line, (beam::Segment{{10, 130}, {1020, 130}}));
    ASSERT_EQ(d.hatch.size(), 40u);
    EXPECT_EQ(d.hatch.front(), (beam::Segment{{35, 433}, {10, 453}}));  // s = 25.25
    EXPECT_EQ(d.hatch.back(), (beam::Segment{{1020, 433}, {994, 453}}));
    EXPECT_EQ(d.bottomText.text, "Bottom");
    EXPECT_EQ(d.bottomText.anchor, beam::Anchor::Centre);
    EXPECT_GT(d.bottomText.at.y, 453);
    EXPECT_EQ(d.towfishCircle, (beam::Rect{505, 120, 20, 20}));
    // The value labels: the range near the circle's end, the height beside its line.
    EXPECT_EQ(d.rangeLabel.text, "Range = 50 m");
    EXPECT_EQ(d.heightLabel.text, "H: 30 m");
    EXPECT_GT(d.heightLabel.at.x, 515);
    EXPECT_TRUE(d.heightLabel.at.y > 130 && d.heightLabel.at.y < 433);
    // Too shallow to hold the text under the towfish: it goes above the depth line.
    const BeamDrawing shallow = beam::drawBeamCoverage(state("Low", 50, 3), kScreen);
    EXPECT_LE(shallow.heightLabel.at.y + shallow.heightLabel.size, 130);
}

TEST(BeamLayout, OutlineAndAxesFollowTheBeamWidth) {
    struct Case {
        const char* frequency;
        double starboardStart, portStart, sweep;
    };
    for (const Case& c :
         {Case{"Low", -40, 220, 120}, Case{"Medium", -25, 205, 90}, Case{"High", 5, 175, 30}}) {
        const BeamDrawing d = beam::drawBeamCoverage(state(c.frequency, 50, 90), kScreen);
        EXPECT_DOUBLE_EQ(d.outline[0].startDeg, c.starboardStart) << c.frequency;
        EXPECT_DOUBLE_EQ(d.outline[0].sweepDeg, c.sweep) << c.frequency;
        EXPECT_DOUBLE_EQ(d.outline[1].startDeg, c.portStart) << c.frequency;
        EXPECT_DOUBLE_EQ(d.outline[1].sweepDeg, -c.sweep) << c.frequency;
        EXPECT_EQ(d.outline[0].bounds, (beam::Rect{10, -375, 1010, 1010}));
    }
    const BeamDrawing d = beam::drawBeamCoverage(state("Low", 50, 90), kScreen);
    // H cos 20 = 474.5, H sin 20 + 130 = 302.7
    EXPECT_EQ(d.axes[0].line, (beam::Segment{{515, 130}, {989, 302}}));
    EXPECT_EQ(d.axes[1].line, (beam::Segment{{515, 130}, {41, 302}}));
    EXPECT_TRUE(d.axes[0].dashed && d.axes[0].arrowAtEnd);
    EXPECT_EQ(d.axes[0].dashOffset, 20);
}

TEST(BeamFan, RaysFanOutFromBelowTheTowfishToTheRangeCircleInMirroredPairs) {
    const BeamDrawing d = beam::drawBeamCoverage(state("Medium", 50, 90), kScreen);
    // 0.3 degree steps over the half circle that points down or sideways: about 533 each side.
    EXPECT_GT(d.rays.size(), 1000u);
    EXPECT_LE(d.rays.size(), 1200u);
    for (std::size_t i = 0; i + 1 < d.rays.size(); i += 2) {
        const beam::Ray& stbd = d.rays[i];
        const beam::Ray& port = d.rays[i + 1];
        EXPECT_EQ(stbd.line.a, (beam::Point{515, 133}));
        EXPECT_EQ(port.line.a, (beam::Point{515, 133}));
        EXPECT_EQ(stbd.line.b.x - 515, 515 - port.line.b.x);
        EXPECT_EQ(stbd.line.b.y, port.line.b.y);
        EXPECT_EQ(stbd.colour, port.colour);
        const double r = std::hypot(stbd.line.b.x - 515, stbd.line.b.y - 130);
        EXPECT_NEAR(r, 505, 1.5);
    }
    EXPECT_EQ(d.rayWidth, 5);
}

TEST(BeamFan, GainZeroIsPaleAndGainFiftySaturatesTheAxis) {
    struct Case {
        int gain;
        int strongest;
    };
    for (const Case c : {Case{0, 25}, Case{20, 160}, Case{50, 255}, Case{100, 255}}) {
        const BeamDrawing d = beam::drawBeamCoverage(state("Low", 50, 90, c.gain), kScreen);
        EXPECT_EQ(maxBlue(d), c.strongest) << c.gain;
        EXPECT_EQ(axisRay(d).colour, (beam::Colour{0, 0, static_cast<std::uint8_t>(c.strongest)}))
            << c.gain;
    }
    // Saturation covers a band around the axis, not one ray; at gain 0 nothing saturates.
    const BeamDrawing strong = beam::drawBeamCoverage(state("High", 50, 90, 50), kScreen);
    const auto saturated = std::count_if(strong.rays.begin(), strong.rays.end(),
                                         [](const beam::Ray& r) { return r.colour.b == 255; });
    EXPECT_GT(saturated, 20);
    // The narrow beam fades off its axis: at gain 20 the ray straight down, 70 degrees off
    // the axis, is nearly black beside the axis' 160.
    const BeamDrawing narrow = beam::drawBeamCoverage(state("High", 50, 90, 20), kScreen);
    const beam::Ray& down = *std::find_if(narrow.rays.begin(), narrow.rays.end(),
                                          [](const beam::Ray& r) { return r.line.b.x == 515; });
    EXPECT_LT(down.colour.b, 10);
    EXPECT_EQ(axisRay(narrow).colour.b, 160);

    // Printed: white for nothing, shading to pure blue.
    const BeamDrawing pale = beam::drawBeamCoverage(state("Low", 50, 90, 0), {1020, 800, true});
    EXPECT_EQ(axisRay(pale).colour, (beam::Colour{230, 230, 255}));
    const BeamDrawing full = beam::drawBeamCoverage(state("Low", 50, 90, 50), {1020, 800, true});
    EXPECT_EQ(axisRay(full).colour, (beam::Colour{0, 0, 255}));
}

TEST(BeamFan, IntensityStaysFiniteOnTheAxisAndWithAbsurdValues) {
    EXPECT_EQ(beam::rayIntensity(0.0, 120, 0, 40.0), 25);  // sin x / x is 1 on the axis
    EXPECT_EQ(beam::rayIntensity(0.0, 0, 20, 40.0), 0);    // no beam width: no beam
    EXPECT_EQ(beam::rayIntensity(0.1, 30, 100000, 40.0), 255);
    EXPECT_EQ(beam::rayIntensity(0.1, 30, -100000, 40.0), 0);
}

TEST(BeamMarks, CoverageMarksForHighAndLow) {
    struct Case {
        const char* what;
        const char* frequency;
        int heightFeet;
        int bottomY;
        std::vector<int> xs;  // sorted
    };
    const Case cases[] = {
        // Shallow under the narrow beam: the outer mark where the 5 degree edge meets the
        // bottom, 40 / tan 5 = 457 out; the nadir gap tan 55 * 40 = 57.
        {"high shallow", "High", 12, 170, {58, 458, 515, 572, 972}},
        // Deeper, the 5 degree edge leaves the circle first: the circle, sqrt(505^2 - 101^2).
        {"high deeper", "High", 30, 231, {21, 371, 515, 659, 1009}},
        // The wide beam always ends on the circle: sqrt(505^2 - 303^2) = 404, gap tan 10 * 303.
        {"low", "Low", 90, 433, {111, 462, 515, 568, 919}},
        // Below cos(10) * H the inner edge misses the bottom within the range: no marks.
        {"low too deep", "Low", 150, 635, {}},
    };
    for (const Case& c : cases) {
        const BeamDrawing d = beam::drawBeamCoverage(state(c.frequency, 50, c.heightFeet), kScreen);
        EXPECT_EQ(d.bottomY, c.bottomY) << c.what;
        EXPECT_EQ(markXs(d), c.xs) << c.what;
    }
    const auto onEdge = beam::coverageMarks(30, 505, 130, 170);
    ASSERT_TRUE(onEdge);
    EXPECT_TRUE(onEdge->outerOnBeamEdge);
    EXPECT_FALSE(beam::coverageMarks(90, 505, 130, 433)->outerOnBeamEdge);
}

TEST(BeamScale, LabelsAndTicksFollowRangeAndUnits) {
    struct Case {
        int range;
        bool feet;
        std::vector<std::string> starboardLabels;  // 0 and the labels right of the towfish
        int minorTicksPerSide;
    };
    const Case cases[] = {
        {50, false, {"0", "10", "20", "30", "40", "50"}, 45},
        {100, false, {"0", "20", "40", "60", "80", "100"}, 90},
        {125, false, {"0", "20", "40", "60", "80", "100", "120"}, 113},
        {30, true, {"0", "10", "20", "30", "40", "50", "60", "70", "80", "90"}, 81},
        {50, true, {"0", "20", "40", "60", "80", "100", "120", "140"}, 135},
        {80, true, {"0", "60", "120", "180", "240"}, 96},  // even feet only from 80 m
        {200,
         true,
         {"0", "60", "120", "180", "240", "300", "360", "420", "480", "540", "600"},
         240},
    };
    for (const Case& c : cases) {
        BeamCoverageState s = state("Low", c.range, 30);
        s.press(c.feet ? BeamButton::Feet : BeamButton::Meters);
        const BeamDrawing d = beam::drawBeamCoverage(s, kScreen);
        std::vector<std::string> right;
        for (const beam::Label& l : d.scaleLabels) {
            if (l.at.x + 12 >= 515) {
                right.push_back(l.text);
            }
        }
        EXPECT_EQ(right, c.starboardLabels) << c.range << (c.feet ? " ft" : " m");
        EXPECT_EQ(d.scaleLabels.size(), 2 * c.starboardLabels.size() - 1) << c.range;
        const auto minors = std::count_if(
            d.scaleTicks.begin(), d.scaleTicks.end(),
            [&](const beam::Segment& t) { return t.b.y - t.a.y < 12 && t.a.x > 515; });
        EXPECT_EQ(minors, c.minorTicksPerSide) << c.range << (c.feet ? " ft" : " m");
    }
}

TEST(BeamScale, TicksSitOnTheDistancesTheyName) {
    // 50 m over 505 pixels: 10.1 pixels a metre, the 10 m tick 101 out, its label starting
    // 20 * 2 * 5 / 16 = 12 pixels left of it, under the scale line that ends the marks.
    const BeamDrawing d = beam::drawBeamCoverage(state("Low", 50, 90), kScreen);
    const int base = d.bottomY + 60;
    EXPECT_EQ(d.scaleBase, (beam::Segment{{10, base}, {1020, base}}));
    const auto ten = std::find_if(d.scaleLabels.begin(), d.scaleLabels.end(),
                                  [](const beam::Label& l) { return l.text == "10"; });
    ASSERT_NE(ten, d.scaleLabels.end());
    EXPECT_EQ(ten->at.x, 616 - 12);
    EXPECT_GT(ten->at.y, base);
    const auto tickAt = [&](int x) {
        return std::count_if(d.scaleTicks.begin(), d.scaleTicks.end(),
                             [&](const beam::Segment& t) { return t.a.x == x && t.a.y == base; });
    };
    EXPECT_EQ(tickAt(616), 1);
    EXPECT_EQ(tickAt(414), 1);
    EXPECT_EQ(tickAt(1020), 1);  // 50 m: the range circle
}

TEST(BeamRobustness, DegenerateWindowsAndValuesDrawWithoutNaNs) {
    struct Case {
        const char* what;
        beam::CanvasSize canvas;
        int range;
        int height;
        bool empty;
    };
    const Case cases[] = {
        {"no window", {0, 0, false}, 50, 90, true},
        {"panel only", {170, 600, false}, 50, 90, true},
        {"negative", {-20, -5, false}, 50, 90, true},
        {"one pixel", {182, 21, false}, 50, 90, false},
        {"no height", {1190, 0, false}, 50, 90, true},
        {"range 0", {1190, 800, false}, 0, 90, false},
        {"range negative", {1190, 800, false}, -10, 90, false},
        {"huge height", {1190, 800, false}, 10, 1000000, false},
        {"print page of nothing", {0, 0, true}, 50, 90, true},
    };
    for (const Case& c : cases) {
        BeamCoverageState s = state("High", c.range, c.height);
        const BeamDrawing d = beam::drawBeamCoverage(s, c.canvas);
        EXPECT_EQ(d.empty, c.empty) << c.what;
        if (d.empty) {
            EXPECT_TRUE(d.rays.empty() && d.marks.empty() && d.scaleLabels.empty()) << c.what;
        }
        std::vector<std::string> texts = labelTexts(d);
        texts.insert(texts.end(), {d.rangeLabel.text, d.heightLabel.text, d.bottomText.text});
        for (const std::string& t : texts) {
            EXPECT_EQ(t.find("nan"), std::string::npos) << c.what << ": " << t;
            EXPECT_EQ(t.find("inf"), std::string::npos) << c.what << ": " << t;
        }
    }
}
