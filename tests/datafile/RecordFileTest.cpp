#include "datafile/RecordFile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "TempDir.h"
#include "TestPings.h"
#include "datafile/FileByteSource.h"
#include "datafile/PlaybackEngine.h"
#include "datafile/RecordReader.h"
#include "datafile/XtfLayout.h"

namespace {
namespace fs = std::filesystem;

// Free space as a test sets it, and the paths it was asked about.
class FakeDiskSpace : public DiskSpace {
  public:
    std::optional<std::uint64_t> free = std::uint64_t{1} << 40;
    std::vector<std::string> asked;

    std::optional<std::uint64_t> freeBytes(const std::string& path) override {
        asked.push_back(path);
        return free;
    }
};

constexpr std::uint64_t kDsxBytes = 4096;
constexpr std::uint64_t kXtfPingBytes = 2384;

std::vector<std::uint32_t> pingNumbersIn(const std::string& path, SourceKind kind) {
    FileByteSource src(path);
    RecordReader reader(src, kind);
    std::vector<std::uint32_t> numbers;
    PingRecord rec;
    while (reader.next(rec) == ReadStatus::Ok) {
        numbers.push_back(rec.pingNumber);
    }
    return numbers;
}

class RecordFileTest : public ::testing::Test {
  protected:
    TempDir dir;
    RecordWriter writer;
    FakeDiskSpace disk;
};
}  // namespace

TEST_F(RecordFileTest, EveryPingIsOnDiskAsSoonAsItIsWritten) {
    const std::string path = dir.file("run.dsx");
    auto rec = RecordFile::create(path, SourceKind::Dsx, 2000);
    ASSERT_TRUE(rec);
    for (std::uint32_t n = 1; n <= 3; ++n) {
        ASSERT_EQ(rec->writePing(writer, makePing(n), disk), RecordWriteStatus::Ok);
        // Still open: a crash now would keep what the file already shows.
        EXPECT_EQ(fs::file_size(path), n * kDsxBytes);
        EXPECT_EQ(rec->length(), n * kDsxBytes);
    }
    EXPECT_EQ(rec->savedKBytes(), 12);
    EXPECT_EQ(pingNumbersIn(path, SourceKind::Dsx), (std::vector<std::uint32_t>{1, 2, 3}));
    rec->close();
    EXPECT_TRUE(fs::exists(path));
    EXPECT_FALSE(rec->isOpen());
}

TEST_F(RecordFileTest, XtfFileStartsWithItsHeaderNamedAfterTheFile) {
    const std::string path = dir.file("survey.xtf");
    auto rec = RecordFile::create(path, SourceKind::Xtf, 2000);
    ASSERT_TRUE(rec);
    EXPECT_EQ(fs::file_size(path), xtf::kFileHeaderBytes);
    ASSERT_EQ(rec->writePing(writer, makePing(4), disk), RecordWriteStatus::Ok);
    EXPECT_EQ(rec->length(), xtf::kFileHeaderBytes + kXtfPingBytes);
    rec->close();

    FileByteSource src(path);
    std::vector<std::uint8_t> header(xtf::kFileHeaderBytes);
    ASSERT_EQ(src.readAt(0, header), header.size());
    const std::string name(reinterpret_cast<const char*>(&header[xtf::file::kThisFileName]));
    EXPECT_EQ(name, "survey.xtf");
    EXPECT_TRUE(RecordReader(src, SourceKind::Xtf).checkFileHeader());
    EXPECT_EQ(pingNumbersIn(path, SourceKind::Xtf), (std::vector<std::uint32_t>{4}));
}

TEST_F(RecordFileTest, CreatingTruncatesAnEarlierFile) {
    const std::string path = dir.write("run.dsx", std::vector<std::uint8_t>(5000, 1));
    auto rec = RecordFile::create(path, SourceKind::Dsx, 2000);
    ASSERT_TRUE(rec);
    EXPECT_EQ(fs::file_size(path), 0u);
}

TEST_F(RecordFileTest, FileThatCannotBeCreatedGivesNothing) {
    EXPECT_FALSE(RecordFile::create(dir.file("absent/run.dsx"), SourceKind::Dsx, 2000));
}

TEST_F(RecordFileTest, RecordingWithoutPingsLeavesNoFile) {
    for (SourceKind kind : {SourceKind::Dsx, SourceKind::Ss2, SourceKind::Xtf}) {
        const std::string path = dir.file("empty" + std::string(1, char('0' + int(kind))));
        auto rec = RecordFile::create(path, kind, 2000);
        ASSERT_TRUE(rec);
        EXPECT_TRUE(fs::exists(path));
        rec->close();
        EXPECT_FALSE(fs::exists(path)) << int(kind);
    }
}

TEST_F(RecordFileTest, DestroyingAnEmptyRecordingRemovesItButAMovedOneStays) {
    const std::string path = dir.file("moved.dsx");
    std::optional<RecordFile> kept;
    {
        auto rec = RecordFile::create(path, SourceKind::Dsx, 2000);
        ASSERT_TRUE(rec);
        kept.emplace(std::move(*rec));
    }
    EXPECT_TRUE(fs::exists(path));
    ASSERT_EQ(kept->writePing(writer, makePing(1), disk), RecordWriteStatus::Ok);
    kept.reset();
    EXPECT_EQ(fs::file_size(path), kDsxBytes);

    const std::string empty = dir.file("dropped.dsx");
    { auto rec = RecordFile::create(empty, SourceKind::Dsx, 2000); }
    EXPECT_FALSE(fs::exists(empty));
}

TEST_F(RecordFileTest, FreeSpaceIsAskedForTheRecordFilesVolume) {
    const std::string path = dir.file("run.ss2");
    auto rec = RecordFile::create(path, SourceKind::Ss2, 2000);
    ASSERT_TRUE(rec);
    ASSERT_EQ(rec->writePing(writer, makePing(1), disk), RecordWriteStatus::Ok);
    EXPECT_EQ(disk.asked, (std::vector<std::string>{path}));
}

TEST_F(RecordFileTest, LessThanThousandBytesFreeIsDiskFullAndWritesNothing) {
    const std::string path = dir.file("run.dsx");
    auto rec = RecordFile::create(path, SourceKind::Dsx, 2000);
    ASSERT_TRUE(rec);
    ASSERT_EQ(rec->writePing(writer, makePing(1), disk), RecordWriteStatus::Ok);
    disk.free = 999;
    EXPECT_EQ(rec->writePing(writer, makePing(2), disk), RecordWriteStatus::DiskFull);
    EXPECT_EQ(fs::file_size(path), kDsxBytes);
    EXPECT_EQ(rec->length(), kDsxBytes);
    disk.free = 1000;
    EXPECT_EQ(rec->writePing(writer, makePing(3), disk), RecordWriteStatus::Ok);
    // A failed query does not stop the recording.
    disk.free = std::nullopt;
    EXPECT_EQ(rec->writePing(writer, makePing(4), disk), RecordWriteStatus::Ok);
    rec->close();
    EXPECT_EQ(pingNumbersIn(path, SourceKind::Dsx), (std::vector<std::uint32_t>{1, 3, 4}));
}

TEST_F(RecordFileTest, WriteToAFullDeviceFailsAndKeepsFailing) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    auto rec = RecordFile::create("/dev/full", SourceKind::Dsx, 2000);
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->writePing(writer, makePing(1), disk), RecordWriteStatus::WriteFailed);
    EXPECT_EQ(rec->writePing(writer, makePing(2), disk), RecordWriteStatus::WriteFailed);
    EXPECT_EQ(rec->length(), 0u);
    rec->close();
    EXPECT_TRUE(fs::exists("/dev/full"));  // a device is never removed
}

// A file size limit makes an ordinary file run full in the middle of a record.
TEST_F(RecordFileTest, FailedWriteIsCutBackToTheWholeRecords) {
    const std::string path = dir.file("run.dsx");
    auto rec = RecordFile::create(path, SourceKind::Dsx, 2000);
    ASSERT_TRUE(rec);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 2 * kDsxBytes + 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const RecordWriteStatus first = rec->writePing(writer, makePing(1), disk);
    const RecordWriteStatus second = rec->writePing(writer, makePing(2), disk);
    const RecordWriteStatus third = rec->writePing(writer, makePing(3), disk);
    const RecordWriteStatus fourth = rec->writePing(writer, makePing(4), disk);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(first, RecordWriteStatus::Ok);
    EXPECT_EQ(second, RecordWriteStatus::Ok);
    EXPECT_EQ(third, RecordWriteStatus::WriteFailed);
    EXPECT_EQ(fourth, RecordWriteStatus::WriteFailed);
    EXPECT_EQ(rec->length(), 2 * kDsxBytes);
    EXPECT_EQ(fs::file_size(path), 2 * kDsxBytes);
    rec->close();
    EXPECT_EQ(pingNumbersIn(path, SourceKind::Dsx), (std::vector<std::uint32_t>{1, 2}));
}

TEST_F(RecordFileTest, XtfHeaderThatCannotBeWrittenIsAFailedCreate) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    EXPECT_FALSE(RecordFile::create("/dev/full", SourceKind::Xtf, 2000));
}

TEST_F(RecordFileTest, PingTooLargeForTheLayoutIsReportedNotWritten) {
    const std::string path = dir.file("run.ss2");
    auto rec = RecordFile::create(path, SourceKind::Ss2, 4000);
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->writePing(writer, makePing(1, 4000), disk), RecordWriteStatus::PingDoesNotFit);
    EXPECT_EQ(fs::file_size(path), 0u);
}

TEST_F(RecordFileTest, ClosedFileRefusesFurtherPings) {
    auto rec = RecordFile::create(dir.file("run.dsx"), SourceKind::Dsx, 2000);
    ASSERT_TRUE(rec);
    rec->close();
    EXPECT_EQ(rec->writePing(writer, makePing(1), disk), RecordWriteStatus::WriteFailed);
}

// Copying during playback: the played file's ping numbers go into the copy unchanged.
TEST_F(RecordFileTest, CopyOfAPlayedFileKeepsItsPingNumbers) {
    for (SourceKind target : {SourceKind::Dsx, SourceKind::Xtf}) {
        RecordWriter source;
        std::vector<std::uint8_t> played;
        for (std::uint32_t n : {41u, 42u, 57u}) {
            source.appendPing(SourceKind::Dsx, makePing(n), played);
        }
        const std::string from = dir.write("played.dsx", played);
        PlaybackOpen open = PlaybackEngine::open(from, SourceKind::Dsx);
        ASSERT_EQ(open.status, PlaybackOpen::Status::Ok);

        const std::string to = dir.file(target == SourceKind::Dsx ? "copy.dsx" : "copy.xtf");
        auto copy = RecordFile::create(to, target, 2000);
        ASSERT_TRUE(copy);
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(open.engine->step(false).pingRead);
            ASSERT_EQ(copy->writePing(writer, open.engine->ping(), disk), RecordWriteStatus::Ok);
        }
        copy->close();
        EXPECT_EQ(pingNumbersIn(to, target), (std::vector<std::uint32_t>{41, 42, 57}));
    }
}
