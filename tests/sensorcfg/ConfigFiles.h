#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sensorcfg/SensorConfig.h"

// Configuration files as the earlier versions of the editor wrote them, built field by field
// from the layout history (independently of the program's own loader).
namespace test_files {

inline void put16(std::vector<std::uint8_t>& b, int v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
inline void put32f(std::vector<std::uint8_t>& b, float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    for (int i = 0; i < 4; ++i) {
        b.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    }
}
inline void put64f(std::vector<std::uint8_t>& b, double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, 8);
    for (int i = 0; i < 8; ++i) {
        b.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    }
}

// version 0 writes a file without a version word (and without PTVRB, as files then had).
inline std::vector<std::uint8_t> fileOfVersion(int version, const SensorConfig& c) {
    std::vector<std::uint8_t> b;
    if (version != 0) {
        put16(b, version);
        put16(b, c.model);
    }
    for (int i = 0; i < kSentenceCount; ++i) {
        if (i == PTVRB && version <= 301) {
            continue;
        }
        put16(b, c.sentences[static_cast<std::size_t>(i)]);
    }
    put16(b, c.lat_deg);
    put32f(b, c.lat_min);
    put16(b, c.lat_south);
    put16(b, c.lon_deg);
    put32f(b, c.lon_min);
    put16(b, c.lon_west);
    put32f(b, c.alt);
    put16(b, 0);
    put64f(b, c.datum_a);
    put64f(b, c.datum_df);
    put32f(b, c.dx);
    put32f(b, c.dy);
    put32f(b, c.dz);
    for (int v : {c.diffmode, c.baudrate, c.datum, c.filter, c.fixmode, c.ppsmode}) {
        put16(b, v);
    }
    if (version >= 300) {
        for (int v : {c.ppslen, c.vldtime, c.outtime, c.cpo}) {
            put16(b, v);
        }
    }
    if (version >= 301) {
        put16(b, c.avg);
    }
    if (version > 301) {
        put32f(b, c.bcn_freq);
        for (int v : {c.bcn_br, c.bcn_auto, c.nmea230, c.psm, c.dgpsmode}) {
            put16(b, v);
        }
    }
    if (version >= 401) {
        for (int v : {c.adaptive_tx, c.auto_off, c.ext_pwr_on}) {
            put16(b, v);
        }
    }
    if (version >= 402) {
        put16(b, c.pps_auto_off);
    }
    return b;
}

// A configuration with a different value in every field, none of them a default.
inline SensorConfig everyFieldSet() {
    SensorConfig c;
    c.model = 4;
    for (int i = 0; i < kSentenceCount; ++i) {
        c.sentences[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i % 2 == 0);
    }
    c.sentences[PTVRB] = 1;
    c.port = 5;
    c.lat_deg = 57;
    c.lat_min = 12.375F;
    c.lat_south = 1;
    c.lon_deg = 123;
    c.lon_min = 45.5F;
    c.lon_west = 1;
    c.alt = -12.5F;
    c.datum_a = 6377563.396;
    c.datum_df = 299.3249646;
    c.dx = 375.0F;
    c.dy = -111.0F;
    c.dz = 431.0F;
    c.diffmode = 1;
    c.baudrate = 5;
    c.datum = kUserDatum;
    c.filter = 17;
    c.fixmode = 2;
    c.ppsmode = 1;
    c.ppslen = 9;
    c.vldtime = 12;
    c.outtime = 35;
    c.cpo = 1;
    c.avg = 1;
    c.bcn_freq = 300.5F;
    c.bcn_br = 100;
    c.bcn_auto = 1;
    c.nmea230 = 1;
    c.psm = 1;
    c.dgpsmode = 2;
    c.adaptive_tx = 1;
    c.auto_off = 1;
    c.ext_pwr_on = 1;
    c.pps_auto_off = 1;
    return c;
}

inline void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace test_files
