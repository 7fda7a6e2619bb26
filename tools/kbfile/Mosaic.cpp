#include "kbfile/Mosaic.h"

#include <algorithm>
#include <filesystem>

#include "datafile/FieldText.h"
#include "survey/MosaicAccumulator.h"
#include "survey/PingBottom.h"
#include "survey/TrackFill.h"
#include "survey/TrackPlacer.h"

namespace kbfile {
namespace {
using fieldtext::formatted;

// At ten pings a second, 25 s without a new fix: longer gaps are an outage, not a slow receiver.
constexpr int kMaxInterpolatedPings = 256;

struct TrackPing {
    std::optional<LatLon> position;
    std::optional<double> heading;
    double metresPerSample = 0.0;
    double reach = 0.0;  // the slant range: no sample lies farther from the track
    SideAltitudes altitude;
    std::optional<PlacedPing> placed;

    bool drawable() const {
        return placed && metresPerSample > 0.0 && (altitude.port || altitude.starboard);
    }
};

struct FileTrack {
    std::string path;
    std::uint64_t size = 0;
    std::vector<TrackPing> pings;
};

// Both passes over every input as one percentage.
class PassProgress {
  public:
    PassProgress(const std::vector<FileTrack>& files, const ProgressFn& report) : report_(report) {
        for (const FileTrack& f : files) {
            total_ += 2 * f.size;
        }
    }
    ProgressFn forFile() const {
        if (!report_) {
            return {};
        }
        return [this](std::uint64_t done, std::uint64_t) { report_(base_ + done, total_); };
    }
    void fileDone(std::uint64_t size) { base_ += size; }

  private:
    const ProgressFn& report_;
    std::uint64_t total_ = 0;
    std::uint64_t base_ = 0;
};

std::optional<Problem> readTrack(FileTrack& track, const ProgressFn& progress) {
    PingSides sides;
    AltitudeHold hold;
    bool anyPlane = false;
    bool anyPosition = false;
    const ScanOutcome scan = scanSurvey(
        track.path,
        [&](const PingRecord& rec, const PingPlace&,
            const SurveyPing& survey) -> std::optional<Problem> {
            TrackPing& t = track.pings.emplace_back();
            if (survey.position) {
                t.position = LatLon{survey.position->latitude, survey.position->longitude};
                anyPosition = true;
            }
            anyPlane = anyPlane || survey.plane.has_value();
            t.heading = survey.headingDegrees;
            const int half = rec.ping.samplesTotal() / 2;
            if (half > 0 && survey.rangeMetres > 0.0) {
                t.metresPerSample = survey.rangeMetres / half;
                t.reach = survey.rangeMetres;
                sides.split({rec.ping.samples(), static_cast<std::size_t>(2 * half)});
                t.altitude = sideAltitudes(detectBottoms(sides), t.metresPerSample,
                                           survey.fileAltitudeMetres, hold);
            }
            return std::nullopt;
        },
        progress);
    if (scan.problem) {
        return scan.problem;
    }
    if (!anyPosition) {
        return Problem{track.path,
                       anyPlane ? "positions only in metres on a map grid the file does not name; "
                                  "a mosaic needs latitude and longitude"
                                : "no GPS positions, so its pings cannot be placed on a map"};
    }
    return std::nullopt;
}

// Fills in the positions between fixes and places every ping in the zone of the first fix.
void placeTrack(FileTrack& track, std::optional<UtmZone>& zone, MosaicExtent& extent,
                std::vector<double>& spans) {
    std::vector<std::optional<LatLon>> positions;
    positions.reserve(track.pings.size());
    for (const TrackPing& t : track.pings) {
        positions.push_back(t.position);
    }
    interpolateFixes(positions, kMaxInterpolatedPings);
    TrackPlacer placer(zone);
    bool first = true;
    for (std::size_t i = 0; i < track.pings.size(); ++i) {
        TrackPing& t = track.pings[i];
        if (!positions[i]) {
            continue;
        }
        t.placed = placer.place({positions[i]->latitude, positions[i]->longitude, t.heading});
        zone = placer.zone();
        if (!t.placed) {
            continue;
        }
        if (!first) {
            spans.push_back(t.placed->alongTrackSpan);
        }
        first = false;
        if (t.drawable()) {
            extent.add(t.placed->position, t.reach);
        }
    }
}

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    const auto mid = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), mid, values.end());
    return *mid;
}

std::optional<MosaicGrid> chooseGrid(const MosaicExtent& extent, const UtmZone& zone,
                                     const MosaicOptions& options, MosaicReport& report,
                                     std::string* error) {
    if (options.resolution) {
        return extent.grid(zone, *options.resolution, kMaxMosaicCells, error);
    }
    report.resolutionChosen = true;
    double resolution = roundResolution(std::max(report.pingSpacing, report.sampleSpacing));
    for (;;) {
        std::optional<MosaicGrid> grid = extent.grid(zone, resolution, kMaxMosaicCells, error);
        const double coarser = coarserResolution(resolution);
        if (grid || coarser == resolution) {
            return grid;
        }
        resolution = coarser;
        report.coarsened = true;
    }
}

std::optional<Problem> drawTrack(const FileTrack& track, MosaicAccumulator& mosaic,
                                 const ProgressFn& progress) {
    PingSides sides;
    std::size_t index = 0;
    const ScanOutcome scan = scanFile(
        track.path,
        [&](const PingRecord& rec, const PingPlace&) -> std::optional<Problem> {
            if (index >= track.pings.size()) {
                return Problem{track.path, "changed while the mosaic was made"};
            }
            const TrackPing& t = track.pings[index++];
            if (t.drawable()) {
                sides.split(
                    {rec.ping.samples(), static_cast<std::size_t>(rec.ping.samplesTotal())});
                mosaic.addPing(*t.placed, {sides.port(), t.metresPerSample, t.altitude.port},
                               {sides.starboard(), t.metresPerSample, t.altitude.starboard});
            }
            return std::nullopt;
        },
        progress);
    if (!scan.problem && index != track.pings.size()) {
        return Problem{track.path, "changed while the mosaic was made"};
    }
    return scan.problem;
}

}  // namespace

MosaicOutcome makeMosaic(const std::vector<std::string>& inputs, const std::string& output,
                         const MosaicOptions& options, RasterWriter& writer,
                         const ProgressFn& progress) {
    MosaicOutcome outcome;
    MosaicReport& report = outcome.report;
    std::vector<FileTrack> tracks(inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        std::error_code ec;
        tracks[i].path = inputs[i];
        tracks[i].size = std::filesystem::file_size(inputs[i], ec);
        tracks[i].size = ec ? 0 : tracks[i].size;
    }
    PassProgress passes(tracks, progress);

    std::optional<UtmZone> zone;
    MosaicExtent extent;
    std::vector<double> spans, sampleSpacings;
    for (FileTrack& track : tracks) {
        if (std::optional<Problem> p = readTrack(track, passes.forFile())) {
            outcome.problem = p;
            return outcome;
        }
        passes.fileDone(track.size);
        placeTrack(track, zone, extent, spans);
        for (const TrackPing& t : track.pings) {
            ++report.pings;
            if (!t.placed) {
                ++report.unplaced;
            } else if (!t.drawable()) {
                ++report.noBottom;
            } else {
                ++report.drawn;
                sampleSpacings.push_back(t.metresPerSample);
            }
        }
    }
    report.pingSpacing = median(std::move(spans));
    report.sampleSpacing = median(std::move(sampleSpacings));
    std::string error;
    const std::optional<MosaicGrid> grid =
        zone && !extent.empty() ? chooseGrid(extent, *zone, options, report, &error) : std::nullopt;
    if (!grid) {
        outcome.problem = Problem{
            output, extent.empty() ? "no ping could be placed with a course and a bottom" : error};
        return outcome;
    }
    report.grid = *grid;

    MosaicAccumulator mosaic(*grid);
    for (const FileTrack& track : tracks) {
        if (std::optional<Problem> p = drawTrack(track, mosaic, passes.forFile())) {
            outcome.problem = p;
            return outcome;
        }
        passes.fileDone(track.size);
    }
    if (!writer.write(mosaic, output, &error)) {
        outcome.problem = Problem{output, error};
    }
    return outcome;
}

std::string formatMosaicReport(const std::string& output, const MosaicReport& r) {
    const MosaicGrid& g = r.grid;
    std::string text = "Mosaic:      " + output + "\n";
    text += formatted("CRS:         EPSG:%d (WGS 84 / UTM zone %d%c)\n", g.zone.epsgCode(),
                      g.zone.number, g.zone.southern ? 'S' : 'N');
    text += formatted("Resolution:  %g m", g.resolution);
    if (r.resolutionChosen) {
        text += formatted(
            " (chosen from the ping spacing %.3f m and the sample spacing %.3f m%s; "
            "--resolution M sets another)",
            r.pingSpacing, r.sampleSpacing, r.coarsened ? ", coarsened to fit in memory" : "");
    }
    text += formatted("\nSize:        %d x %d cells\n", g.width, g.height);
    text += formatted("Extent:      easting %.1f .. %.1f, northing %.1f .. %.1f\n", g.west,
                      g.west + g.width * g.resolution, g.north - g.height * g.resolution, g.north);
    text += formatted("Pings:       %llu of %llu drawn", static_cast<unsigned long long>(r.drawn),
                      static_cast<unsigned long long>(r.pings));
    if (r.unplaced > 0) {
        text += formatted(", %llu without a position or course",
                          static_cast<unsigned long long>(r.unplaced));
    }
    if (r.noBottom > 0) {
        text += formatted(", %llu without a bottom", static_cast<unsigned long long>(r.noBottom));
    }
    return text + "\n";
}

}  // namespace kbfile
