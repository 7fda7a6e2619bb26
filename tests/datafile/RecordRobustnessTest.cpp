// Damaged and random input must give a defined result, never a crash or a read past the bytes
// (run under the sanitizer preset to see the latter).
#include <gtest/gtest.h>

#include <random>

#include "TestPings.h"
#include "datafile/DsxRecord.h"
#include "datafile/MemoryByteSource.h"
#include "datafile/RecordReader.h"
#include "datafile/Ss2Record.h"
#include "datafile/XtfReader.h"

namespace {
constexpr SourceKind kKinds[] = {SourceKind::Dsx, SourceKind::Ss2, SourceKind::Xtf};
constexpr int kRounds = 300;

std::optional<std::size_t> decodeAny(SourceKind kind, std::span<const std::uint8_t> b,
                                     PingRecord& out) {
    switch (kind) {
        case SourceKind::Dsx:
            return DsxRecord::decode(b, out);
        case SourceKind::Ss2:
            return Ss2Record::decode(b, out);
        case SourceKind::Xtf:
            break;
    }
    return XtfReader::decodePing(b, out);
}

// A successful decode stays inside the bytes and yields a ping the display can split.
void expectSane(std::optional<std::size_t> used, std::size_t available, const PingRecord& rec) {
    if (!used) {
        return;
    }
    EXPECT_GT(*used, 0u);
    EXPECT_LE(*used, available);
    EXPECT_GE(rec.ping.samplesTotal(), kMinSamplesTotal);
    EXPECT_LE(rec.ping.samplesTotal(), kMaxSamplesTotal);
}

TEST(RecordRobustness, EveryTruncationOfAValidRecordIsRefused) {
    for (SourceKind kind : kKinds) {
        auto file = makeFile(kind, 1);
        if (kind == SourceKind::Xtf) {
            file.erase(file.begin(), file.begin() + 1024);
        }
        PingRecord out;
        ASSERT_TRUE(decodeAny(kind, file, out));
        for (std::size_t n = 0; n < file.size(); ++n) {
            EXPECT_FALSE(decodeAny(kind, std::span(file).first(n), out)) << n;
        }
    }
}

TEST(RecordRobustness, RandomBytesNeverCrashTheDecoders) {
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<std::size_t> length(0, 6000);
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::uint8_t> b(length(rng));
        for (auto& v : b) {
            v = static_cast<std::uint8_t>(byte(rng));
        }
        for (SourceKind kind : kKinds) {
            PingRecord out;
            expectSane(decodeAny(kind, b, out), b.size(), out);
        }
    }
}

TEST(RecordRobustness, MutatedFilesAreWalkedToABoundedEnd) {
    std::mt19937 rng(7);
    for (SourceKind kind : kKinds) {
        const auto good = makeFile(kind, 4);
        const std::size_t first = kind == SourceKind::Xtf ? 1024 : 0;
        const std::size_t stride = (good.size() - first) / 4;
        std::uniform_int_distribution<std::size_t> where(0, good.size());
        std::uniform_int_distribution<std::size_t> record(0, 3);
        std::uniform_int_distribution<std::size_t> headerByte(0, 119);
        std::uniform_int_distribution<int> byte(0, 255);
        for (int round = 0; round < kRounds / 3; ++round) {
            auto b = good;
            // Damage the headers, where the lengths and counts live.
            for (int k = 0; k < 8; ++k) {
                b[first + record(rng) * stride + headerByte(rng)] =
                    static_cast<std::uint8_t>(byte(rng));
            }
            b.resize(where(rng));
            MemoryByteSource src(b);
            RecordReader reader(src, kind);
            PingRecord rec;
            int steps = 0;
            while (reader.next(rec) == ReadStatus::Ok && steps < 100) {
                ++steps;
                expectSane(std::size_t{1}, 1, rec);
            }
            EXPECT_LT(steps, 100);
            reader.recordStartNear(where(rng));
        }
    }
}
}  // namespace
