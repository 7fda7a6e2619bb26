// kbfile render to a PNG file: the pipelined writer gives the bytes of the finished picture
// written in one go, whatever the batches, the queue and the row merges on the way, and a
// problem leaves the target as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "kbfile/KbfileTestFiles.h"
#include "kbfile/PngEncoder.h"
#include "kbfile/RenderGoldenFiles.h"
#include "kbfile/Renderer.h"

namespace {
using namespace kbfile;
using namespace kbfile_test;

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A long first ping makes the first guess of pings per row too low: rows merge as the file is
// read, after some of them went to the writer.
std::vector<PingRecord> longFirstPing(int count) {
    std::vector<PingRecord> list = speckledPings(count, 200);
    list.front() = ping(1, 4000);
    return list;
}

struct PipelineCase {
    const char* name;
    SourceKind kind;
    std::vector<PingRecord> pings;
    int width;
    std::size_t maxRows;
    RenderTuning tuning;
    std::uint64_t pingsPerRow;
};

TEST(RenderPng, PipelinedFileHasTheBytesOfThePictureWrittenInOneGo) {
    const std::vector<PipelineCase> cases = {
        {"one batch", SourceKind::Dsx, speckledPings(30, 2000), 512, 0, {}, 1},
        {"a row a batch, one waiting",
         SourceKind::Dsx,
         speckledPings(40, 2000),
         256,
         0,
         {256, 1},
         1},
        {"expected overflow", SourceKind::Ss2, speckledPings(90, 2000), 128, 20, {128 * 3, 2}, 5},
        {"rows merged after they went out",
         SourceKind::Xtf,
         longFirstPing(100),
         64,
         16,
         {64 * 3, 2},
         8},
        {"merged on the last row", SourceKind::Xtf, longFirstPing(33), 64, 16, {64, 4}, 4},
    };
    for (const PipelineCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string in = dir.file(c.kind == SourceKind::Dsx   ? "in.dsx"
                                        : c.kind == SourceKind::Ss2 ? "in.ss2"
                                                                    : "in.xtf");
        writeFile(in, c.kind, c.pings);
        RenderOptions options;
        options.width = c.width;
        options.maxRows = c.maxRows;
        const RenderOutcome whole = renderFile(in, options);
        ASSERT_FALSE(whole.problem);
        const RgbPicture& p = whole.picture;
        ASSERT_EQ(p.pingsPerRow, c.pingsPerRow);

        const std::string out = dir.file("out.png");
        const PngRenderOutcome piped = renderPng(in, out, options, {}, c.tuning);
        ASSERT_FALSE(piped.problem) << piped.problem->what;
        EXPECT_EQ(piped.width, p.width);
        EXPECT_EQ(piped.height, p.height);
        EXPECT_EQ(piped.pings, c.pings.size());
        EXPECT_EQ(piped.pingsPerRow, c.pingsPerRow);
        const std::vector<std::uint8_t> expected =
            PngEncoder::encode(p.indices.data(), static_cast<std::uint32_t>(p.width),
                               static_cast<std::uint32_t>(p.height), p.palette);
        ASSERT_FALSE(expected.empty());
        EXPECT_TRUE(readBytes(out) == expected);
        // Only the picture is left in the folder.
        EXPECT_EQ(filesIn(dir.file("")),
                  (std::vector<std::string>{"in" + in.substr(in.size() - 4), "out.png"}));
    }
}

TEST(RenderPng, AProblemInTheFileLeavesTheTargetAsItWas) {
    TempDir dir;
    const std::string out = dir.file("old.png");
    writeBytes(out, {'o', 'l', 'd'});

    std::vector<std::uint8_t> cut = fileBytes(SourceKind::Dsx, speckledPings(600, 2000));
    cut.resize(500 * 4096 + 100);
    writeBytes(dir.file("cut.dsx"), cut);
    RenderTuning small{4096, 1};
    RenderOptions options;
    options.width = 1024;
    const PngRenderOutcome r = renderPng(dir.file("cut.dsx"), out, options, {}, small);
    ASSERT_TRUE(r.problem);
    EXPECT_EQ(r.problem->file, dir.file("cut.dsx"));
    EXPECT_EQ(r.problem->what, "bad record at byte 2048000");

    const PngRenderOutcome missing = renderPng(dir.file("none.dsx"), out, options);
    ASSERT_TRUE(missing.problem);
    EXPECT_EQ(missing.problem->what, "cannot open: No such file or directory");

    EXPECT_EQ(readBytes(out), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(filesIn(dir.file("")), (std::vector<std::string>{"cut.dsx", "old.png"}));
}

TEST(RenderPng, AFolderThatCannotTakeThePictureIsNamed) {
    TempDir dir;
    writeFile(dir.file("in.dsx"), SourceKind::Dsx, pings(3));
    const PngRenderOutcome r =
        renderPng(dir.file("in.dsx"), dir.file("gone/out.png"), RenderOptions{});
    ASSERT_TRUE(r.problem);
    EXPECT_EQ(r.problem->file, dir.file("gone/out.png"));
    EXPECT_EQ(r.problem->what, "cannot write here: No such file or directory");
}

}  // namespace
