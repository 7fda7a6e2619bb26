#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "display/BlendHistory.h"
#include "display/BlendWeights.h"
#include "display/ColourIndicator.h"
#include "display/ColourTables.h"
#include "display/DisplaySettings.h"
#include "display/PingInput.h"
#include "display/RowRecord.h"
#include "display/WaterfallImage.h"

// Turns each ping into the newest line of the waterfall: clip and select the samples, fit them
// to the image width, blend with earlier pings, and scroll the image by the rows the vessel
// moved. Owns the live image, the held copy and the display options.
class PingPipeline {
  public:
    // More samples than any record layout can carry; a longer ping is cut here.
    static constexpr std::size_t kMaxSamples = 1u << 18;

    PingPipeline();

    // Reallocates both images and the blend history at the new size and clears everything.
    // False, with nothing changed, for a size the image does not accept.
    bool resize(int width, int height);
    bool hasImage() const { return !live_.empty(); }

    // The three per-ping steps, in this order.
    void prepareSamples(const std::uint8_t* samples, std::size_t count, int sourceKind);
    // False (no line produced) when there is no image yet.
    bool resampleLine(std::string_view timeText, const GpsTextViews* gpsTexts);
    void drawPing(int rangeIndex, int mode, double speedKnots, double pingIntervalMs);
    void processPing(const PingInput& ping);

    // Zeroes both images with their records and histories, the counters and the speed remainder.
    void clearImage();
    // The Clear Screen command: pixels only, records stay.
    void clearScreen();
    // Hold switched on: freeze a copy of the live image with its records.
    void hold();

    const WaterfallImage& image() const { return live_; }
    WaterfallImage& image() { return live_; }
    const WaterfallImage& held() const { return held_; }

    DisplaySettings& settings() { return settings_; }
    const DisplaySettings& settings() const { return settings_; }
    // Also repaints the indicator; false when nothing changed.
    bool selectColourTable(int index);
    const ColourTables::Table& palette() const { return tables_.table(settings_.colourTable()); }
    const ColourTables& colourTables() const { return tables_; }
    const ColourIndicator& indicator() const { return indicator_; }

    const std::vector<std::uint8_t>& workingSamples() const { return samples_; }
    const BlendHistory& blendHistory() const { return history_; }
    float samplesPerPixel() const { return samplesPerPixel_; }
    double speedRemainder() const { return speedRemainder_; }

  private:
    void writeStagingRow(int rangeMetres, int mode, double distance);
    int rowsForPing(double pixelsPerMetre, double speedKnots, double distance);

    ColourTables tables_;
    BlendWeights weights_;
    ColourIndicator indicator_;
    DisplaySettings settings_;
    WaterfallImage live_;
    WaterfallImage held_;
    BlendHistory history_;
    std::vector<std::uint8_t> samples_;
    float samplesPerPixel_ = 0.0f;
    double speedRemainder_ = 0.0;
};
