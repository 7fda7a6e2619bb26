#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datafile/PingRecord.h"
#include "datafile/RecordWriter.h"

namespace kbfile_test {

// A fresh folder under /tmp, removed with everything in it when the test ends.
class TempDir {
  public:
    TempDir() {
        char name[] = "/tmp/kbfile_test_XXXXXX";
        if (mkdtemp(name) != nullptr) {
            path_ = name;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// A ping whose samples follow from its number, so each ping of a file can be told apart.
inline PingRecord ping(std::uint32_t number, int samplesTotal = 2000) {
    PingRecord rec;
    rec.pingNumber = number;
    rec.rangeIndex = 9;
    rec.modeFreq = 1;
    rec.dataGain = 70;
    rec.gainBalance = 30;
    rec.pingIntervalMs = 150;
    rec.dateText = "05-MAR-2007";
    rec.timeText =
        "22:54:" + std::string(number % 60 < 10 ? "0" : "") + std::to_string(number % 60);
    rec.millisecondText = ".120";
    rec.ping.resize(samplesTotal);
    const std::uint8_t header[12] = {'D', 'S', 'H', 2, 1, 2, 3, 4, 5, 0, 6, 7};
    std::copy(std::begin(header), std::end(header), rec.ping.data());
    for (int i = 0; i < samplesTotal; ++i) {
        rec.ping.samples()[i] = static_cast<std::uint8_t>((i * 7 + number * 3) % 120);
    }
    return rec;
}

// The bytes of a file of kind holding pings, written the way the recorder writes them.
inline std::vector<std::uint8_t> fileBytes(SourceKind kind, const std::vector<PingRecord>& pings,
                                           const std::string& path = "/data/test.xtf") {
    RecordWriter writer;
    const int samples = pings.empty() ? 2000 : pings.front().ping.samplesTotal();
    std::vector<std::uint8_t> bytes = RecordWriter::fileStart(kind, path, samples);
    for (const PingRecord& p : pings) {
        writer.appendPing(kind, p, bytes);
    }
    return bytes;
}

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::string& path, SourceKind kind,
                      const std::vector<PingRecord>& pings) {
    writeBytes(path, fileBytes(kind, pings, path));
}

inline std::vector<PingRecord> pings(int count, int samplesTotal = 2000) {
    std::vector<PingRecord> out;
    for (int i = 1; i <= count; ++i) {
        out.push_back(ping(static_cast<std::uint32_t>(i), samplesTotal));
    }
    return out;
}

}  // namespace kbfile_test
