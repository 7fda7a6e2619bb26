#pragma once

// Recorded files for the benchmarks, with samples that look like a seabed: a dark water column,
// a bottom return and speckle that fades with range, so compression and the pipeline see data
// as hard as a survey's rather than a repeating pattern.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "datafile/PingRecord.h"
#include "datafile/RecordWriter.h"

namespace bench_files {

constexpr int kSamplesTotal = 2000;

inline PingRecord seabedPing(std::uint32_t number, std::uint32_t& seed) {
    PingRecord rec;
    rec.pingNumber = number;
    rec.rangeIndex = 9;
    rec.modeFreq = 1;
    rec.pingIntervalMs = 150;
    rec.dateText = "05-MAR-2007";
    const std::uint32_t s = number / 7;
    rec.timeText = "22:" + std::to_string(10 + s / 60 % 50) + ":" + std::to_string(10 + s % 50);
    rec.millisecondText = ".120";
    rec.ping.resize(kSamplesTotal);
    const int half = kSamplesTotal / 2;
    // The altitude drifts slowly, as a towfish over a sloping bottom.
    const int bottom = 120 + static_cast<int>((number / 40) % 80);
    for (int i = 0; i < half; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int noise = static_cast<int>(seed >> 25);  // 0..127
        int v = 0;
        if (i >= bottom) {
            const int fade = 200 - (i - bottom) * 150 / half;
            v = fade * (64 + noise) / 192;
        } else {
            v = noise / 16;
        }
        const auto sample = static_cast<std::uint8_t>(v > 254 ? 254 : v);
        rec.ping.samples()[half - 1 - i] = sample;  // port half is stored outermost first
        rec.ping.samples()[half + i] = static_cast<std::uint8_t>(sample ^ (seed >> 29));
    }
    return rec;
}

// Writes a file of the kind with pings seabed pings; false when it could not be written.
inline bool writeSeabedFile(const std::string& path, SourceKind kind, std::uint64_t pings) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    RecordWriter writer;
    std::vector<std::uint8_t> bytes = RecordWriter::fileStart(kind, path, kSamplesTotal);
    std::uint32_t seed = 1;
    bool ok = true;
    for (std::uint64_t n = 0; n < pings && ok; ++n) {
        ok = writer.appendPing(kind, seabedPing(static_cast<std::uint32_t>(n + 1), seed), bytes);
        if (bytes.size() >= (std::size_t{4} << 20) || n + 1 == pings) {
            ok = ok && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
            bytes.clear();
        }
    }
    return std::fclose(f) == 0 && ok;
}

}  // namespace bench_files
