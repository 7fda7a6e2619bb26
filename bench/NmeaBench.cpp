// Sentences per second through the parser, with checksum verification, over the RMC and GGA
// sentences of a real 20-minute capture.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "gps/NmeaParser.h"

namespace {

struct QuietClock : GpsClock {
    SystemTime utcNow() override { return {}; }
    CivilDate localDate() override { return {2014, 4, 3}; }
    bool setUtc(const SystemTime&) override { return false; }
};

std::vector<std::string> captureSentences(const char* kind) {
    std::ifstream in(KB_TEST_DATA_DIR "/nmea/signalk-gps.log", std::ios::binary);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(std::string("$GP") + kind)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            out.push_back(line + "\r\n");
        }
    }
    return out;
}

void BM_NmeaParse(benchmark::State& state) {
    std::vector<std::string> sentences = captureSentences("RMC");
    const std::vector<std::string> gga = captureSentences("GGA");
    sentences.insert(sentences.end(), gga.begin(), gga.end());
    if (sentences.empty()) {
        state.SkipWithError("capture not found");
        return;
    }
    QuietClock clock;
    GpsData rmcData;
    rmcData.sentenceSet = GpsSentenceSet::Rmc;
    GpsData ggaData;
    ggaData.sentenceSet = GpsSentenceSet::GgaVtg;
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& s = sentences[i];
        DispatchSentence(s, s[4] == 'M' ? rmcData : ggaData, clock);
        benchmark::DoNotOptimize(rmcData.fix.latitude);
        benchmark::DoNotOptimize(ggaData.fix.latitude);
        i = i + 1 == sentences.size() ? 0 : i + 1;
    }
    state.counters["sentences/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_NmeaParse);

}  // namespace
