#include "datafile/RecordReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "TestPings.h"
#include "datafile/FileByteSource.h"
#include "datafile/MemoryByteSource.h"

namespace {
constexpr SourceKind kKinds[] = {SourceKind::Dsx, SourceKind::Ss2, SourceKind::Xtf};

// Ping numbers read until the walk stops, and how it stopped.
std::pair<std::vector<std::uint32_t>, ReadStatus> walk(ByteSource& src, SourceKind kind) {
    RecordReader reader(src, kind);
    std::vector<std::uint32_t> numbers;
    PingRecord rec;
    ReadStatus s;
    while ((s = reader.next(rec)) == ReadStatus::Ok) {
        numbers.push_back(rec.pingNumber);
        rec.pingNumber = 0;
    }
    return {numbers, s};
}

TEST(RecordReaderWalk, ReadsEveryRecordThenReportsTheEnd) {
    for (SourceKind kind : {SourceKind::Dsx, SourceKind::Xtf}) {
        const auto file = makeFile(kind, 4);
        MemoryByteSource src(file);
        const auto [numbers, status] = walk(src, kind);
        EXPECT_EQ(numbers, (std::vector<std::uint32_t>{1, 2, 3, 4}));
        EXPECT_EQ(status, ReadStatus::EndOfData);
    }
    const auto file = makeFile(SourceKind::Ss2, 4);
    MemoryByteSource src(file);
    EXPECT_EQ(walk(src, SourceKind::Ss2).first.size(), 4u);
}

TEST(RecordReaderWalk, TruncatedLastRecordIsBadAndThePositionStays) {
    for (SourceKind kind : kKinds) {
        auto file = makeFile(kind, 3);
        file.pop_back();
        MemoryByteSource src(file);
        RecordReader reader(src, kind);
        PingRecord rec;
        ASSERT_EQ(reader.next(rec), ReadStatus::Ok);
        ASSERT_EQ(reader.next(rec), ReadStatus::Ok);
        const std::uint64_t at = reader.position();
        EXPECT_EQ(reader.next(rec), ReadStatus::BadRecord);
        EXPECT_EQ(reader.position(), at);
    }
}

TEST(RecordReaderWalk, EmptyInputEndsAtOnceAndHasNoXtfHeader) {
    MemoryByteSource src({});
    for (SourceKind kind : kKinds) {
        EXPECT_EQ(walk(src, kind).second, ReadStatus::EndOfData);
    }
    RecordReader xtf(src, SourceKind::Xtf);
    EXPECT_FALSE(xtf.checkFileHeader());
    EXPECT_EQ(std::string(RecordReader::kUnknownFormatMessage), "Unknown file format!");
}

TEST(RecordReaderWalk, XtfPositionsInsideTheFileHeaderReadTheFirstPing) {
    const auto file = makeFile(SourceKind::Xtf, 2);
    MemoryByteSource src(file);
    RecordReader reader(src, SourceKind::Xtf);
    EXPECT_TRUE(reader.checkFileHeader());
    PingRecord rec;
    const ReadResult r = reader.readAt(0, rec);
    EXPECT_EQ(r.status, ReadStatus::Ok);
    EXPECT_EQ(r.next, 1024u + 2384u);
    EXPECT_EQ(rec.pingNumber, 1u);
}

TEST(RecordReaderWalk, ReadsARecordedFileFromDisk) {
    const std::string path = ::testing::TempDir() + "record_reader_test.dsx";
    const auto bytes = makeFile(SourceKind::Dsx, 3);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    FileByteSource src(path);
    ASSERT_TRUE(src.isOpen());
    EXPECT_EQ(src.size(), 3u * 4096u);
    EXPECT_EQ(walk(src, SourceKind::Dsx).first, (std::vector<std::uint32_t>{1, 2, 3}));
    std::remove(path.c_str());
    FileByteSource missing(path);
    EXPECT_EQ(walk(missing, SourceKind::Dsx).second, ReadStatus::EndOfData);
}

TEST(RecordReaderSnap, SliderPositionsSnapToRecordStarts) {
    const auto dsx = makeFile(SourceKind::Dsx, 100);
    MemoryByteSource dsxSrc(dsx);
    RecordReader dsxReader(dsxSrc, SourceKind::Dsx);
    EXPECT_EQ(dsxReader.recordStartNear(50 * (dsx.size() / 100)), 204800u);
    EXPECT_EQ(dsxReader.recordStartNear(204800 + 4095), 204800u);

    const auto ss2 = makeFile(SourceKind::Ss2, 3);
    MemoryByteSource ss2Src(ss2);
    RecordReader ss2Reader(ss2Src, SourceKind::Ss2);
    EXPECT_EQ(ss2Reader.recordStartNear(1), 2560u);
    EXPECT_EQ(ss2Reader.recordStartNear(2 * 2560 + 1), ss2.size());

    const auto xtf = makeFile(SourceKind::Xtf, 3);
    MemoryByteSource xtfSrc(xtf);
    RecordReader xtfReader(xtfSrc, SourceKind::Xtf);
    EXPECT_EQ(xtfReader.recordStartNear(0), 1024u);
    EXPECT_EQ(xtfReader.recordStartNear(1025), 1024u + 2384u);
}
}  // namespace
