#include "nmeasim/CycleSource.h"

#include <cmath>

namespace nmeasim {

VesselSource::VesselSource(const VesselConfig& vessel, UtcMicros start, double rate,
                           std::vector<SentenceType> sentences, std::string talker)
    : vessel_(vessel),
      start_(start),
      rate_(rate),
      sentences_(std::move(sentences)),
      builder_(std::move(talker)) {}

std::optional<Cycle> VesselSource::next() {
    // Offsets come from the index, not from summed periods, so fractional rates do not drift.
    const auto offset =
        static_cast<std::int64_t>(std::llround(static_cast<double>(index_) * 1e6 / rate_));
    vessel_.advance(static_cast<double>(offset - lastOffset_) / 1e6);
    lastOffset_ = offset;
    ++index_;
    return Cycle{offset, builder_.build(sentences_, vessel_.fix(start_ + offset))};
}

}  // namespace nmeasim
