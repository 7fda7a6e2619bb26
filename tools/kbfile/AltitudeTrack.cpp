#include "kbfile/AltitudeTrack.h"

#include <algorithm>

#include "datafile/FieldText.h"

namespace kbfile {
namespace {
using fieldtext::formatted;

std::optional<AltitudeRange> rangeOf(std::vector<float> values) {
    if (values.empty()) {
        return std::nullopt;
    }
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    AltitudeRange r{*lo, 0.0, *hi};
    const auto mid = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), mid, values.end());
    r.median = *mid;
    return r;
}

std::string rangeText(const AltitudeRange& r) {
    return formatted("min %.2f m, median %.2f m, max %.2f m", r.min, r.median, r.max);
}

int percent(std::uint64_t part, std::uint64_t whole) {
    return whole == 0 ? 0 : static_cast<int>((part * 100 + whole / 2) / whole);
}
}  // namespace

void AltitudeTrack::add(const PingRecord& rec, const SurveyPing& survey) {
    ++counts_.pings;
    if (survey.fileAltitudeMetres) {
        stated_.push_back(static_cast<float>(*survey.fileAltitudeMetres));
    }
    const int half = rec.ping.samplesTotal() / 2;
    if (half <= 0) {
        return;
    }
    sides_.split({rec.ping.samples(), static_cast<std::size_t>(2 * half)});
    const BottomPair bottoms = detectBottoms(sides_);
    counts_.portBottoms += bottoms.port ? 1 : 0;
    counts_.starboardBottoms += bottoms.starboard ? 1 : 0;
    if (const std::optional<int> nearer = bottoms.nearer()) {
        ++counts_.bottoms;
        found_.push_back(static_cast<float>(*nearer * survey.rangeMetres / half));
    }
}

AltitudeSummary AltitudeTrack::summary() const {
    AltitudeSummary s = counts_;
    s.found = rangeOf(found_);
    s.statedPings = stated_.size();
    s.stated = rangeOf(stated_);
    return s;
}

std::string altitudeLines(const AltitudeSummary& s) {
    if (s.pings == 0) {
        return {};
    }
    std::string text;
    if (s.bottoms == 0) {
        text = formatted("Bottom:      no first bottom return found in any of %llu pings\n",
                         static_cast<unsigned long long>(s.pings));
    } else {
        text = formatted(
            "Bottom:      found in %llu of %llu pings (%d%%); port %d%%, starboard "
            "%d%%\n",
            static_cast<unsigned long long>(s.bottoms), static_cast<unsigned long long>(s.pings),
            percent(s.bottoms, s.pings), percent(s.portBottoms, s.pings),
            percent(s.starboardBottoms, s.pings));
    }
    if (s.found) {
        text += "Altitude:    " + rangeText(*s.found) + " (first bottom return)\n";
    }
    if (s.stated) {
        text += "Altimeter:   " + rangeText(*s.stated) +
                formatted(" (as the file records it, %llu pings)\n",
                          static_cast<unsigned long long>(s.statedPings));
    }
    return text;
}

}  // namespace kbfile
