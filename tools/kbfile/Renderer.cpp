#include "kbfile/Renderer.h"

#include "display/PingPipeline.h"
#include "kbfile/FileKind.h"
#include "kbfile/RenderCanvas.h"
#include "survey/PingBottom.h"

namespace kbfile {
namespace {
// The staging row and the one row a ping scrolls into: each ping's line is read from row 1.
constexpr int kPipelineRows = 2;
constexpr int kNewestRow = 1;

class Rendering {
  public:
    explicit Rendering(const RenderOptions& options) {
        pipeline_.settings().setSideLayout(static_cast<int>(options.layout));
        pipeline_.settings().setSpeedCorrection(false);
        pipeline_.settings().setVerticalBlending(false);
        pipeline_.selectColourTable(options.table);
        resized_ = pipeline_.resize(options.width, kPipelineRows);
        if (options.slantRange) {
            relayer_.emplace();
        }
    }

    bool ready() const { return resized_; }

    void add(const PingRecord& rec, const PingPlace& place, int sourceKind) {
        if (!canvas_) {
            const std::uint64_t rest = place.fileSize - place.offset;
            canvas_.emplace(static_cast<std::size_t>(pipeline_.image().width()),
                            place.length > 0 ? rest / place.length : 1);
        }
        time_.assign(rec.timeText).append(rec.millisecondText);
        PingInput in;
        in.samples = rec.ping.samples();
        in.sampleCount = static_cast<std::size_t>(rec.ping.samplesTotal());
        if (relayer_) {
            in.samples = relayer_->relay({in.samples, in.sampleCount}).data();
        }
        in.sourceKind = sourceKind;
        in.rangeIndex = rec.rangeIndex;
        in.mode = rec.modeFreq;
        in.timeText = time_;
        in.pingIntervalMs = rec.pingIntervalMs;
        pipeline_.processPing(in);
        canvas_->addLine(pipeline_.image().row(kNewestRow));
    }

    RgbPicture finish(std::uint64_t pings) {
        RgbPicture picture;
        picture.pings = pings;
        if (canvas_) {
            canvas_->finish();
            picture.width = static_cast<int>(canvas_->width());
            picture.height = static_cast<int>(canvas_->rows());
            picture.pingsPerRow = canvas_->linesPerRow();
            picture.palette = pipeline_.palette();
            picture.indices = canvas_->takeIndices();
        }
        return picture;
    }

  private:
    PingPipeline pipeline_;
    std::optional<RenderCanvas> canvas_;
    std::optional<PingRelayer> relayer_;
    std::string time_;
    bool resized_ = false;
};

}  // namespace

RenderOutcome renderFile(const std::string& path, const RenderOptions& options,
                         const ProgressFn& progress) {
    RenderOutcome outcome;
    Rendering rendering(options);
    if (!rendering.ready()) {
        outcome.problem = Problem{path, "cannot draw at width " + std::to_string(options.width)};
        return outcome;
    }
    const int kind = static_cast<int>(kindFromPath(path).value_or(SourceKind::Dsx));
    const ScanOutcome scan = scanFile(
        path,
        [&](const PingRecord& rec, const PingPlace& place) -> std::optional<Problem> {
            rendering.add(rec, place, kind);
            return std::nullopt;
        },
        progress);
    outcome.problem = scan.problem;
    if (!outcome.problem) {
        outcome.picture = rendering.finish(scan.pings);
    }
    return outcome;
}

}  // namespace kbfile
