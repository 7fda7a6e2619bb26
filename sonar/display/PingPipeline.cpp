#include "display/PingPipeline.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "acquisition/HeadProtocol.h"
#include "acquisition/SwitchCommand.h"
#include "display/LineResampler.h"
#include "display/PingGeometry.h"

namespace {
// A speed or interval that cannot be a real one counts as none.
double sane(double v) {
    return std::isfinite(v) && v > 0.0 ? v : 0.0;
}
}  // namespace

PingPipeline::PingPipeline() {
    indicator_.paint(palette());
    samples_.reserve(head::kLiveSamplesTotal);
}

bool PingPipeline::resize(int width, int height) {
    if (!live_.resize(width, height) || !held_.resize(width, height)) {
        return false;
    }
    history_.resize(static_cast<std::size_t>(width));
    clearImage();
    return true;
}

void PingPipeline::prepareSamples(const std::uint8_t* samples, std::size_t count, int sourceKind) {
    if (samples == nullptr) {
        count = 0;
    }
    const line_resampler::SampleSpan span =
        line_resampler::selectSide(count, settings_.sideLayout());
    samples_.resize(std::min(span.count, kMaxSamples));
    if (!samples_.empty()) {
        line_resampler::clipSamples(samples + span.offset, samples_.size(), sourceKind,
                                    samples_.data());
    }
}

bool PingPipeline::resampleLine(std::string_view timeText, const GpsTextViews* gpsTexts) {
    if (!hasImage()) {
        return false;
    }
    samplesPerPixel_ = line_resampler::resample(samples_.data(), samples_.size(), history_.line(0),
                                                history_.width());
    RowRecord& staging = *live_.record(0);
    staging.setTime(timeText);
    if (gpsTexts != nullptr) {
        for (std::size_t i = 0; i < gpsTexts->size(); ++i) {
            staging.setGpsText(i, (*gpsTexts)[i]);
        }
    }
    return true;
}

void PingPipeline::writeStagingRow(int rangeMetres, int mode, double distance) {
    std::uint8_t* row = live_.row(0);
    const int lines =
        settings_.verticalBlending()
            ? ping_geometry::pingsPerSeabedPoint(rangeMetres, ping_geometry::beamWidthDegrees(mode),
                                                 distance, BlendHistory::kLines)
            : 0;
    if (lines >= 2) {
        history_.blend(lines, weights_, row);
    } else {
        std::memcpy(row, history_.line(0), history_.width());
    }
}

int PingPipeline::rowsForPing(double pixelsPerMetre, double speedKnots, double distance) {
    if (speedKnots == 0.0) {
        return 1;
    }
    const double x = pixelsPerMetre * distance + speedRemainder_;
    if (!std::isfinite(x) || x < 0.0) {
        speedRemainder_ = 0.0;
        return 0;
    }
    if (x >= WaterfallImage::kMaxRepetition + 1.0) {
        speedRemainder_ = 0.0;
        return WaterfallImage::kMaxRepetition;
    }
    const double t = std::trunc(x);
    speedRemainder_ = x - t;
    return static_cast<int>(t);
}

void PingPipeline::drawPing(int rangeIndex, int mode, double speedKnots, double pingIntervalMs) {
    if (!hasImage()) {
        return;
    }
    speedKnots = sane(speedKnots);
    const int metres = rangeMetres(rangeIndex);
    const auto layout = static_cast<std::uint8_t>(settings_.sideLayout());
    const double distance = ping_geometry::distancePerPing(sane(pingIntervalMs), speedKnots);

    writeStagingRow(metres, mode, distance);
    const double e = ping_geometry::pixelsPerMetre(live_.width(), layout, metres);
    const int t = rowsForPing(e, speedKnots, distance);
    live_.pushRepetition(t);
    const bool corrected = settings_.speedCorrection() && speedKnots != 0.0;
    live_.scrollIn(corrected ? t : 1, layout);
    history_.shiftDown();
}

void PingPipeline::processPing(const PingInput& ping) {
    prepareSamples(ping.samples, ping.sampleCount, ping.sourceKind);
    if (resampleLine(ping.timeText, ping.gpsTexts)) {
        RowRecord& staging = *live_.record(0);
        staging.setDate(ping.dateText);
        staging.nav = ping.nav;
        drawPing(ping.rangeIndex, ping.mode, ping.speedKnots, ping.pingIntervalMs);
    }
}

void PingPipeline::clearImage() {
    live_.clear();
    held_.clear();
    speedRemainder_ = 0.0;
}

void PingPipeline::clearScreen() {
    live_.clearPixels();
}

void PingPipeline::hold() {
    held_ = live_;
    held_.markAllChanged();
}

bool PingPipeline::selectColourTable(int index) {
    if (!settings_.selectColourTable(index)) {
        return false;
    }
    indicator_.paint(palette());
    return true;
}
