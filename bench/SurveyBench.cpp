#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "survey/MosaicAccumulator.h"

namespace {
// Pings through the mosaic accumulator: 2000 samples (1000 a side, 5 cm each, 50 m range), the
// fish 6 m up, a straight track at 30 degrees with pings 0.2 m apart (10 pings/s at 4 knots),
// cells of range(0) centimetres. The 2000-ping track is drawn over and over into one grid, so the
// nearest-to-nadir comparisons run on a grid that is already full, as in a survey's overlaps.
void BM_Mosaic(benchmark::State& state) {
    const double resolution = static_cast<double>(state.range(0)) / 100.0;
    constexpr int kPings = 2000;
    constexpr double kSpacing = 0.2;
    constexpr double kHeading = 30.0;
    const double fe = std::sin(kHeading * M_PI / 180.0), fn = std::cos(kHeading * M_PI / 180.0);

    MosaicExtent extent;
    std::vector<PlacedPing> pings;
    for (int i = 0; i < kPings; ++i) {
        const GridPoint p{400000.0 + i * kSpacing * fe, 5500000.0 + i * kSpacing * fn};
        pings.push_back({p, kHeading, kSpacing});
        extent.add(p, 50.0);
    }
    std::string error;
    const auto grid = extent.grid({31, false}, resolution, 200'000'000, &error);
    if (!grid) {
        state.SkipWithError(error.c_str());
        return;
    }
    MosaicAccumulator mosaic(*grid);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> sample(0, 255);
    std::vector<std::vector<std::uint8_t>> sides(8, std::vector<std::uint8_t>(1000));
    for (auto& side : sides) {
        for (auto& v : side) {
            v = static_cast<std::uint8_t>(sample(rng));
        }
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const PlacedPing& ping = pings[i % kPings];
        mosaic.addPing(ping, {sides[i % 8], 0.05, 6.0}, {sides[(i + 3) % 8], 0.05, 6.0});
        ++i;
    }
    benchmark::DoNotOptimize(mosaic.values().data());
    state.SetItemsProcessed(state.iterations());
    state.counters["cells"] = static_cast<double>(grid->width) * grid->height;
}
BENCHMARK(BM_Mosaic)->Arg(25)->Arg(20)->Arg(10)->Arg(5);
}  // namespace
