#pragma once

#include <cstddef>
#include <cstdint>

#include "display/SideLayout.h"

// The first two steps of every ping: clip the raw echo bytes and fit the wanted part of the
// swath to the width of the image.
namespace line_resampler {
// Source kinds of a ping.
constexpr int kKindLive = 0;     // live or ".dsx"
constexpr int kKindCompact = 1;  // ".ss2", whose samples are half scale
constexpr int kKindXtf = 2;
constexpr std::uint8_t kMaxSample = 254;  // 255 is the highlight colour

struct SampleSpan {
    std::size_t offset = 0;
    std::size_t count = 0;
};

// The samples a layout draws out of a ping of n samples (port half first).
SampleSpan selectSide(std::size_t n, SideLayout layout);

// A raw echo byte as a palette index: doubled for compact records, never the highlight.
std::uint8_t clipSample(std::uint8_t raw, int sourceKind);

// clipSample over n bytes.
void clipSamples(const std::uint8_t* raw, std::size_t n, int sourceKind, std::uint8_t* out);

// Writes width pixels from n samples and returns the samples-per-pixel ratio. With more samples
// than pixels each pixel holds the peak of its window; otherwise each pixel repeats the nearest
// sample. Samples at index n or beyond are never read: their pixels are 0.
float resample(const std::uint8_t* samples, std::size_t n, std::uint8_t* line, std::size_t width);
}  // namespace line_resampler
