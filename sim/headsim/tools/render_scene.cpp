// Renders stacked pings of the simulated scene as a binary PGM, outermost port sample on the left,
// newest ping at the bottom: a quick look at what a client's waterfall will show.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "headsim/HeadResponder.h"
#include "headsim/Scene.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: headsim_render OUT.pgm [pings=400] [rangeIndex=9] [gain=70] "
                     "[balance=30] [mode=0] [seed=1] [firstPing=0]\n");
        return 2;
    }
    auto arg = [&](int i, long fallback) { return argc > i ? std::atol(argv[i]) : fallback; };
    const long pings = arg(2, 400);
    headsim::SceneSettings settings;
    settings.rangeIndex = static_cast<int>(arg(3, 9));
    settings.dataGain = static_cast<int>(arg(4, 70));
    settings.gainBalance = static_cast<int>(arg(5, 30));
    settings.modeFreq = static_cast<int>(arg(6, 0));
    const headsim::Scene scene(static_cast<std::uint64_t>(arg(7, 1)));
    const long firstPing = arg(8, 0);
    if (pings <= 0) {
        std::fprintf(stderr, "headsim_render: pings must be positive\n");
        return 2;
    }

    constexpr std::size_t kHalf = headsim::HeadResponder::kSamplesTotal / 2;
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out, "P5\n%zu %ld\n255\n", 2 * kHalf, pings);
    std::vector<std::uint8_t> port(kHalf);
    std::vector<std::uint8_t> line(2 * kHalf);
    for (long p = 0; p < pings; ++p) {
        const auto ping = static_cast<std::uint64_t>(firstPing + p);
        scene.render(ping, false, settings, port.data(), kHalf);
        scene.render(ping, true, settings, line.data() + kHalf, kHalf);
        for (std::size_t i = 0; i < kHalf; ++i) {
            line[kHalf - 1 - i] = port[i];
        }
        std::fwrite(line.data(), 1, line.size(), out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
