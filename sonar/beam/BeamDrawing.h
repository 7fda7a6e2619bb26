#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "beam/BeamCoverageState.h"

// The beam coverage diagram as plain numbers: window pixels, y downward. The view draws these
// lists in order and computes nothing of its own.
namespace beam {

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Colour&) const = default;
};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Segment {
    Point a, b;
    bool operator==(const Segment&) const = default;
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const Rect&) const = default;
};

struct Ray {
    Segment line;
    Colour colour;
};

// An outline of a pie of the circle in `bounds`; degrees clockwise from the +x axis (y down).
struct Pie {
    Rect bounds;
    double startDeg = 0;
    double sweepDeg = 0;
};

struct Stroke {
    Segment line;
    Colour colour;
    int width = 1;
    bool dashed = false;
    int dashOffset = 0;
    bool arrowAtStart = false;
    bool arrowAtEnd = false;
};

enum class Anchor { Left, Centre, Right };

// Text placed by the top of its line: `at` is the top-left, top-centre or top-right point.
struct Label {
    std::string text;
    Point at;
    int size = 20;  // pixels
    Anchor anchor = Anchor::Left;
    bool opaque = false;  // on the diagram's fill colour, so lines behind it stay out of the way
};

struct BeamDrawing {
    bool printing = false;
    Rect canvas;
    Colour background;
    Rect diagram;  // filled with `diagramFill`, framed with `frameColour`
    Colour diagramFill;
    Colour frameColour;
    Colour textColour;

    int halfWidth = 0;  // H: the radius of the range circle, range metres in pixels
    Point towfish;
    int bottomY = 0;
    bool empty = true;  // the canvas leaves no room for a diagram: nothing but the fills

    // Clipped to `fanClip`: the rays, the beam outline and the beam axes.
    Rect fanClip;
    int rayWidth = 5;
    std::vector<Ray> rays;
    Colour outlineColour;
    std::array<Pie, 2> outline;  // starboard, port
    std::array<Stroke, 2> axes;  // starboard, port

    Rect towfishCircle;
    Colour towfishColour;
    Stroke depthLine;
    Stroke heightLine;
    Stroke bottomLine;
    Colour hatchColour;
    std::vector<Segment> hatch;
    Label bottomText;

    Colour markColour;
    std::vector<Segment> marks;  // empty when the beams miss the bottom within the range

    Colour scaleColour;
    Segment scaleBase;
    std::vector<Segment> scaleTicks;
    std::vector<Label> scaleLabels;

    Label rangeLabel;
    Label heightLabel;
};

struct CanvasSize {
    int width = 0;
    int height = 0;
    bool printing = false;
};

inline constexpr int kPanelWidth = 170;
inline constexpr int kMargin = 10;
inline constexpr int kTowfishBelowTop = 120;
inline constexpr int kRayCount = 600;
inline constexpr int kScaleTextScreen = 20;
inline constexpr int kScaleTextPrint = 14;

// The whole diagram for a canvas: on screen the canvas is the view's client area and keeps the
// panel at its right; printed, the diagram takes the whole canvas on a white ground.
BeamDrawing drawBeamCoverage(const BeamCoverageState& state, CanvasSize canvas);

// The lowest y anything of the diagram reaches below the bottom line (the scale's numbers), so
// a printed page can end the diagram there.
int contentBottom(const BeamDrawing& d);

// Ray intensity 0..255 of a beam of `beamWidth` degrees at `offAxis` radians from its axis.
int rayIntensity(double offAxis, int beamWidth, int gain, double gainFactor);
Colour rayColour(int intensity, bool printing);

// Where the coverage marks sit (x of each vertical stroke), or nothing when the inner beam edge
// does not reach the bottom within the range circle.
struct CoverageMarks {
    int inner = 0;                 // the nadir gap: offset from the centre of each inner mark
    int outer = 0;                 // offset of each outer mark
    bool outerOnBeamEdge = false;  // false: where the bottom meets the range circle
};
std::optional<CoverageMarks> coverageMarks(int beamWidth, int halfWidth, int towfishY, int bottomY);

// The distance scale under the coverage marks, centred on `centreX` with `pixelsPerMetre`.
struct DistanceScale {
    std::vector<Segment> ticks;
    std::vector<Label> labels;
};
// Labels are kept between `left` and `right`, so the outermost ones stay on the diagram.
DistanceScale distanceScale(int range, Units units, double pixelsPerMetre, int centreX, int baseY,
                            int textSize, int left, int right);

}  // namespace beam
