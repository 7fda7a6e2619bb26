#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "display/PingPipeline.h"

namespace {
// One ping of the design that moves the whole 8-bit image down a row and copies the new line
// into the top row; the yardstick for the ring of rows.
void BM_RowCopyScroll(benchmark::State& state) {
    const auto w = static_cast<std::size_t>(state.range(0));
    const auto h = static_cast<std::size_t>(state.range(1));
    std::vector<std::uint8_t> image(w * h, 0);
    std::vector<std::uint8_t> line(w, 0);
    std::uint8_t value = 0;
    for (auto _ : state) {
        line[0] = ++value;
        std::memmove(image.data() + w, image.data(), w * (h - 1));
        std::memcpy(image.data(), line.data(), w);
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RowCopyScroll)->Args({1920, 1080});

// A live ping through the whole pipeline: both sides, 2000 samples, row records with time and
// GPS texts, speed correction off.
void BM_PingPipeline(benchmark::State& state) {
    PingPipeline pipeline;
    if (!pipeline.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)))) {
        state.SkipWithError("image size refused");
        return;
    }
    constexpr int kPingVariants = 8;
    std::vector<std::vector<std::uint8_t>> pings(kPingVariants, std::vector<std::uint8_t>(2000));
    std::uint32_t x = 1;
    for (auto& ping : pings) {
        for (auto& s : ping) {
            x = x * 1664525u + 1013904223u;
            s = static_cast<std::uint8_t>(x >> 24);
        }
    }
    const GpsTextViews gps{"49.16.4500 N", "123.07.2261 W", "22:54:44",
                           "3.00 Knots",   "90.00 Deg.",    "05-MAR-2007"};
    std::size_t n = 0;
    for (auto _ : state) {
        const auto& ping = pings[n++ % kPingVariants];
        pipeline.prepareSamples(ping.data(), ping.size(), 0);
        pipeline.resampleLine("22:54:44.123", &gps);
        pipeline.drawPing(9, 0, 3.0, 100.0);
        benchmark::DoNotOptimize(pipeline.image().row(1));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PingPipeline)->Args({1920, 1080});
}  // namespace
