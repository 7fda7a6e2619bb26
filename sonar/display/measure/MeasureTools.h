#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

#include "display/measure/MeasureGeometry.h"

namespace measure {

enum class ItemType : std::uint8_t {
    Range = 0,
    Distance = 1,
    Mark = 2,
    HeightTarget = 3,       // track to the target
    HeightBottom = 4,       // target to the first (bottom) return
    HeightShadowStart = 5,  // to where the shadow starts
    HeightShadowEnd = 6,    // to where it ends; carries the height
};

// One stored measurement, in zoomed image pixels; the value in metres.
struct MeasureItem {
    Point start;
    Point end;
    ItemType type = ItemType::Range;
    double value = 0.0;
    bool operator==(const MeasureItem&) const = default;
};

enum class Tool { None, Range, Distance, Height, Mark };

// A measurement that makes a survey target: a '+' mark, a range, or a height (placed at its
// target point, with the height).
struct FinishedTarget {
    ItemType type = ItemType::Mark;  // Mark, Range or HeightShadowEnd
    Point at;                        // the target, in zoomed image pixels
    TargetRange range;
    std::optional<double> height;
};

// Rows per ping of image row y (newest first), from the picture being measured.
using RowRepetition = std::function<int(int row)>;

// What a live value depends on besides the mouse.
struct LiveContext {
    Scale scale;
    bool speedCorrection = false;
    RowRepetition repetition;  // may be empty: every ping one row
};

// The measurement tools of one view: which tool waits for a click, its progress, and the stored
// items. At most one tool is active; each turns itself off when its measurement is complete.
class MeasureTools {
  public:
    // The view keeps this many items; a further one pushes the oldest out.
    static constexpr std::size_t kCapacity = 100;
    static constexpr int kLastHeightStep = 3;

    Tool tool() const { return tool_; }
    bool active() const { return tool_ != Tool::None; }
    // Turns the tool on (all others off) or, when it is the active one, off. The progress of a
    // distance or height measurement starts again either way.
    void toggle(Tool tool);

    // Clear Lines/Marks, a zoom change and Restore. An unfinished measurement starts again too:
    // its earlier points were in the coordinates being dropped.
    void clearItems();
    const std::deque<MeasureItem>& items() const { return items_; }

    bool showShadow() const { return showShadow_; }
    void toggleShadow() { showShadow_ = !showShadow_; }

    int heightStep() const { return heightStep_; }
    bool firstPointSet() const { return firstPointSet_; }
    Point firstPoint() const { return firstPoint_; }
    double firstReturnRange() const { return firstReturn_; }  // Hf
    double shadowStartRange() const { return shadowStart_; }  // Rs
    // The last item of the measurement in progress (height steps 1..3).
    const MeasureItem* previousItem() const;

    // The value the waiting tool shows for the mouse point, in metres. A height whose shadow
    // start plus shadow length is zero keeps the previous value.
    double liveValue(Point mouse, const LiveContext& context);

    // Left button pressed at a point with a tool active; true when something was stored or the
    // tool moved on (the view redraws).
    bool press(Point at, const LiveContext& context);
    // Left button released: a height measurement moves to its next step.
    void release();

    // The target the last press completed, once: nothing when it completed none.
    std::optional<FinishedTarget> takeFinished();

  private:
    double distanceValue(Point mouse, const LiveContext& context) const;
    void store(const MeasureItem& item);
    void resetProgress();

    Tool tool_ = Tool::None;
    std::deque<MeasureItem> items_;
    bool showShadow_ = true;
    int heightStep_ = 0;
    bool stepPressed_ = false;
    bool firstPointSet_ = false;
    Point firstPoint_;
    double firstReturn_ = 0.0;
    double shadowStart_ = 0.0;
    double lastValue_ = 0.0;
    std::optional<FinishedTarget> finished_;
};

}  // namespace measure
