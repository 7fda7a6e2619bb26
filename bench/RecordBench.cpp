// Decoding speed of the three record kinds from memory, as playback reads them.
#include <benchmark/benchmark.h>

#include <vector>

#include "datafile/MemoryByteSource.h"
#include "datafile/RecordReader.h"
#include "datafile/RecordWriter.h"

namespace {
constexpr int kRecords = 1000;
constexpr int kSamplesTotal = 2000;

PingRecord benchPing(std::uint32_t number) {
    PingRecord rec;
    rec.pingNumber = number;
    rec.pingIntervalMs = 150;
    rec.dateText = "05-MAR-2007";
    rec.timeText = "22:54:44";
    rec.millisecondText = ".123";
    rec.ping.resize(kSamplesTotal);
    for (int i = 0; i < kSamplesTotal; ++i) {
        rec.ping.samples()[i] = static_cast<std::uint8_t>(i * 31 + number);
    }
    rec.fix.tickSentences[0] =
        "$GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E\r\n";
    rec.fix.tickSentences[1] = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n";
    rec.gpsInput = true;
    rec.gpsText[GpsText::Latitude] = "49.16.4500 N";
    rec.gpsText[GpsText::Longitude] = "123.11.1200 W";
    rec.fix.latitude = 49.274166;
    rec.fix.longitude = 123.185333;
    rec.fix.longitudeHemisphere = 'W';
    rec.fix.speedKnots = 5.5;
    rec.fix.headingDegrees = 54.7;
    return rec;
}

std::vector<std::uint8_t> buildFile(SourceKind kind) {
    RecordWriter writer;
    std::vector<std::uint8_t> file = RecordWriter::fileStart(kind, "bench.xtf", kSamplesTotal);
    for (int i = 0; i < kRecords; ++i) {
        writer.appendPing(kind, benchPing(static_cast<std::uint32_t>(i)), file);
    }
    return file;
}

void readRecords(benchmark::State& state, SourceKind kind) {
    const std::vector<std::uint8_t> file = buildFile(kind);
    MemoryByteSource source(file);
    RecordReader reader(source, kind);
    PingRecord rec;
    for (auto _ : state) {
        ReadStatus status = reader.next(rec);
        if (status == ReadStatus::EndOfData) {
            reader.seek(reader.firstPosition());
            status = reader.next(rec);
        }
        if (status != ReadStatus::Ok) {
            state.SkipWithError("record did not decode");
            break;
        }
        benchmark::DoNotOptimize(rec.ping.samples()[0]);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ReadDsx(benchmark::State& state) {
    readRecords(state, SourceKind::Dsx);
}
void BM_ReadSs2(benchmark::State& state) {
    readRecords(state, SourceKind::Ss2);
}
void BM_ReadXtf(benchmark::State& state) {
    readRecords(state, SourceKind::Xtf);
}
}  // namespace

BENCHMARK(BM_ReadDsx);
BENCHMARK(BM_ReadSs2);
BENCHMARK(BM_ReadXtf);
