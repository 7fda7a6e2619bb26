#pragma once

// The inputs behind the reference pictures in tests/data/render/: those PNG files were written
// by an earlier kbfile from exactly these files, so any change to the bytes a render writes
// shows up as a difference. Changing a builder here means writing the pictures anew.
#include <cstdint>
#include <string>
#include <vector>

#include "kbfile/KbfileTestFiles.h"

namespace kbfile_test {

// Seabed-like speckle from a fixed generator: pictures that compress like survey data.
inline std::vector<PingRecord> speckledPings(int count, int samplesTotal) {
    std::vector<PingRecord> out;
    std::uint32_t seed = 12345;
    for (int n = 1; n <= count; ++n) {
        PingRecord rec = ping(static_cast<std::uint32_t>(n), samplesTotal);
        const int half = samplesTotal / 2;
        for (int i = 0; i < half; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const int bottom = 100 + n % 50;
            const int level = i < bottom ? static_cast<int>(seed >> 29)
                                         : static_cast<int>(seed >> 25) + 60 - i * 60 / half;
            rec.ping.samples()[half - 1 - i] = static_cast<std::uint8_t>(level);
            rec.ping.samples()[half + i] = static_cast<std::uint8_t>(level ^ ((seed >> 20) & 7));
        }
        out.push_back(std::move(rec));
    }
    return out;
}

struct RenderGolden {
    const char* png;  // in tests/data/render/
    SourceKind kind;
    std::vector<PingRecord> (*pings)();
    std::vector<std::string> options;
};

inline const std::vector<RenderGolden>& renderGoldens() {
    static const std::vector<RenderGolden> cases = {
        // Small pictures are compressed with a smaller window; at 9 rows of 100 the window the
        // compressor was given is larger than the header then says.
        {"tiny.png", SourceKind::Dsx, [] { return pings(9); }, {"--width", "100"}},
        {"seabed.png",
         SourceKind::Dsx,
         [] { return speckledPings(200, 2000); },
         {"--width", "512", "--table", "0"}},
        {"seabed-port.png",
         SourceKind::Xtf,
         [] { return speckledPings(150, 1000); },
         {"--width", "256", "--table", "5", "--layout", "port"}},
        // Just under the size where the window stops shrinking.
        {"edge.png", SourceKind::Ss2, [] { return pings(40); }, {"--width", "400"}},
    };
    return cases;
}

inline std::string goldenInputName(const RenderGolden& g) {
    const std::string base = std::string(g.png).substr(0, std::string(g.png).size() - 4);
    return base + (g.kind == SourceKind::Dsx   ? ".dsx"
                   : g.kind == SourceKind::Ss2 ? ".ss2"
                                               : ".xtf");
}

}  // namespace kbfile_test
