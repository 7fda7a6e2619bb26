// kbfile render of a 100 MB recording held in the page cache, so the numbers show the tool's
// own work: pipelined (read-ahead, drawing and PNG compression on their own threads) against
// the same three steps one after another on one thread.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "BenchFiles.h"
#include "kbfile/PngEncoder.h"
#include "kbfile/Renderer.h"

namespace {
constexpr std::uint64_t kPings = 25000;  // 4096 bytes each: 102 MB

// One recording for the whole run, removed at exit.
class BenchRecording {
  public:
    BenchRecording() {
        char name[] = "/tmp/kb_render_bench_XXXXXX";
        if (::mkdtemp(name) != nullptr) {
            dir_ = name;
            ok_ = bench_files::writeSeabedFile(input(), SourceKind::Dsx, kPings);
        }
    }
    ~BenchRecording() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    bool ok() const { return ok_; }
    std::string input() const { return dir_ + "/seabed.dsx"; }
    std::string output() const { return dir_ + "/seabed.png"; }
    std::uint64_t bytes() const { return std::filesystem::file_size(input()); }

  private:
    std::string dir_;
    bool ok_ = false;
};

const BenchRecording& recording() {
    static const BenchRecording r;
    return r;
}

void BM_RenderFile(benchmark::State& state) {
    const BenchRecording& r = recording();
    if (!r.ok()) {
        state.SkipWithError("cannot write the recording");
        return;
    }
    for (auto _ : state) {
        const kbfile::PngRenderOutcome out = kbfile::renderPng(r.input(), r.output(), {});
        if (out.problem) {
            state.SkipWithError(out.problem->what.c_str());
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * r.bytes()));
}
BENCHMARK(BM_RenderFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The yardstick: read and draw the whole file, then compress the picture.
void BM_RenderFileOneStageAfterAnother(benchmark::State& state) {
    const BenchRecording& r = recording();
    if (!r.ok()) {
        state.SkipWithError("cannot write the recording");
        return;
    }
    for (auto _ : state) {
        const kbfile::RenderOutcome out = kbfile::renderFile(r.input(), {});
        const kbfile::RgbPicture& p = out.picture;
        const std::vector<std::uint8_t> png =
            kbfile::PngEncoder::encode(p.indices.data(), static_cast<std::uint32_t>(p.width),
                                       static_cast<std::uint32_t>(p.height), p.palette);
        if (out.problem || png.empty()) {
            state.SkipWithError("render failed");
            break;
        }
        benchmark::DoNotOptimize(png.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * r.bytes()));
}
BENCHMARK(BM_RenderFileOneStageAfterAnother)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
}  // namespace
