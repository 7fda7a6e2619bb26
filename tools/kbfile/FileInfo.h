#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kbfile/AltitudeTrack.h"
#include "kbfile/NmeaSentences.h"
#include "kbfile/PingScan.h"

namespace kbfile {

// The operating settings of a ping as the head used them, and its sample count.
struct PingSettings {
    int rangeIndex = 0;
    int modeFreq = 0;
    int dataGain = 0;
    int gainBalance = 0;
    int samplesTotal = 0;
    bool operator==(const PingSettings&) const = default;
};

struct SettingsChange {
    PingPlace place;
    std::uint32_t pingNumber = 0;
    PingSettings before;
    PingSettings after;
};

struct GeoSpan {
    GeoPoint min;
    GeoPoint max;
};

struct PlaneSpan {
    PlanePoint min;
    PlanePoint max;
};

struct PingMoment {
    std::uint32_t pingNumber = 0;
    std::string dateText;
    std::string timeText;  // with the milliseconds
};

struct InfoSummary {
    // Changes beyond this many are counted, not listed.
    static constexpr std::size_t kListedChanges = 500;

    SourceKind kind = SourceKind::Dsx;
    std::uint64_t fileSize = 0;
    std::uint64_t pings = 0;
    PingMoment first;
    PingMoment last;
    PingSettings settings;  // of the first ping
    std::vector<SettingsChange> changes;
    std::uint64_t changeCount = 0;
    std::optional<GeoSpan> span;
    std::uint64_t pingsWithPosition = 0;
    GeoPoint firstPosition;  // meaningful when span is set
    GeoPoint lastPosition;
    std::optional<PlaneSpan> planeSpan;  // files that navigate in metres
    std::optional<ForeignXtfSummary> foreign;
    std::optional<AltitudeSummary> altitude;  // when the pings were searched for the bottom
};

// Gathers the summary one ping at a time, in file order.
class InfoCollector {
  public:
    explicit InfoCollector(SourceKind kind) { summary_.kind = kind; }
    void add(const PingRecord& rec, const PingPlace& place);
    void add(const PingRecord& rec, const PingPlace& place, const SurveyPing& survey);
    const InfoSummary& summary() const { return summary_; }
    InfoSummary& summary() { return summary_; }
    const AltitudeTrack& altitude() const { return altitude_; }

  private:
    void addSettings(const PingRecord& rec, const PingPlace& place);
    void addPosition(const GeoPoint& p);
    void addPlane(const PlanePoint& p);
    InfoSummary summary_;
    PingSettings last_;
    AltitudeTrack altitude_;
};

struct InfoOutcome {
    std::optional<Problem> problem;
    InfoSummary summary;
};

InfoOutcome collectInfo(const std::string& path, const ProgressFn& progress = {});

// "Low", "Medium", "High"; "mode N" for any other value.
std::string modeName(int modeFreq);

// The report kbfile info prints.
std::string formatInfo(const std::string& path, const InfoSummary& s);

}  // namespace kbfile
