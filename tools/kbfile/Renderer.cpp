#include "kbfile/Renderer.h"

#include <algorithm>

#include "display/PingPipeline.h"
#include "kbfile/FileKind.h"
#include "kbfile/PngOutput.h"
#include "kbfile/RenderCanvas.h"
#include "survey/PingBottom.h"

namespace kbfile {
namespace {
// The staging row and the one row a ping scrolls into: each ping's line is read from row 1.
constexpr int kPipelineRows = 2;
constexpr int kNewestRow = 1;

class Rendering {
  public:
    explicit Rendering(const RenderOptions& options) : maxRows_(options.maxRows) {
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
    int width() const { return pipeline_.image().width(); }
    const ColourTables::Table& palette() const { return pipeline_.palette(); }
    // Null until the first ping.
    const RenderCanvas* canvas() const { return canvas_ ? &*canvas_ : nullptr; }

    void add(const PingRecord& rec, const PingPlace& place, int sourceKind) {
        if (!canvas_) {
            const std::uint64_t rest = place.fileSize - place.offset;
            canvas_.emplace(static_cast<std::size_t>(pipeline_.image().width()),
                            place.length > 0 ? rest / place.length : 1, maxRows_);
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

    // Takes a partly filled last row in.
    void finishLines() {
        if (canvas_) {
            canvas_->finish();
        }
    }

    RgbPicture finish(std::uint64_t pings) {
        RgbPicture picture;
        picture.pings = pings;
        finishLines();
        if (canvas_) {
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
    std::size_t maxRows_ = 0;
    bool resized_ = false;
};

// Hands the canvas's rows to the PNG writer in batches as they are drawn. When the canvas
// merges rows, everything handed over is void and the picture is handed over anew.
class RowStream {
  public:
    RowStream(PngOutput& png, std::size_t batchRows)
        : png_(png), batchRows_(std::max<std::size_t>(batchRows, 1)) {}

    // all: hand over every row drawn, however few.
    bool offer(const RenderCanvas& canvas, bool all) {
        if (canvas.merges() != merges_) {
            merges_ = canvas.merges();
            sent_ = 0;
            if (!png_.restart()) {
                return false;
            }
        }
        const std::size_t rows = canvas.rows();
        if (rows == sent_ || (!all && rows - sent_ < batchRows_)) {
            return true;
        }
        const std::uint8_t* from = canvas.row(sent_);
        std::vector<std::uint8_t> batch(from, from + (rows - sent_) * canvas.width());
        sent_ = rows;
        return png_.addRows(std::move(batch));
    }

  private:
    PngOutput& png_;
    std::size_t batchRows_;
    std::uint64_t merges_ = 0;
    std::size_t sent_ = 0;
};

Problem cannotDraw(const std::string& path, int width) {
    return Problem{path, "cannot draw at width " + std::to_string(width)};
}

}  // namespace

RenderOutcome renderFile(const std::string& path, const RenderOptions& options,
                         const ProgressFn& progress) {
    RenderOutcome outcome;
    Rendering rendering(options);
    if (!rendering.ready()) {
        outcome.problem = cannotDraw(path, options.width);
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

PngRenderOutcome renderPng(const std::string& in, const std::string& out,
                           const RenderOptions& options, const ProgressFn& progress,
                           const RenderTuning& tuning) {
    PngRenderOutcome outcome;
    Rendering rendering(options);
    if (!rendering.ready()) {
        outcome.problem = cannotDraw(in, options.width);
        return outcome;
    }
    const auto width = static_cast<std::size_t>(rendering.width());
    PngOutput png(out, static_cast<std::uint32_t>(width), rendering.palette(),
                  tuning.queuedBatches);
    if ((outcome.problem = png.start())) {
        return outcome;
    }
    RowStream rows(png, tuning.batchBytes / width);
    const Problem cannotWrite{out, "cannot write the PNG file"};
    const int kind = static_cast<int>(kindFromPath(in).value_or(SourceKind::Dsx));
    const ScanOutcome scan = scanFile(
        in,
        [&](const PingRecord& rec, const PingPlace& place) -> std::optional<Problem> {
            rendering.add(rec, place, kind);
            if (!rows.offer(*rendering.canvas(), false)) {
                return cannotWrite;
            }
            return std::nullopt;
        },
        progress);
    if ((outcome.problem = scan.problem)) {
        return outcome;
    }
    rendering.finishLines();
    const RenderCanvas& canvas = *rendering.canvas();
    if (!rows.offer(canvas, true)) {
        outcome.problem = cannotWrite;
        return outcome;
    }
    if ((outcome.problem = png.commit())) {
        return outcome;
    }
    outcome.width = static_cast<int>(canvas.width());
    outcome.height = static_cast<int>(canvas.rows());
    outcome.pings = scan.pings;
    outcome.pingsPerRow = canvas.linesPerRow();
    return outcome;
}

}  // namespace kbfile
