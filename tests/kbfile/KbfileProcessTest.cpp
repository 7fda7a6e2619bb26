// Runs the real kbfile binary: exit codes, the one line on stderr, and the files it writes.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "kbfile/KbfileProcess.h"
#include "kbfile/RenderGoldenFiles.h"

namespace {
using namespace kbfile_test;

TEST_F(Kbfile, InfoPrintsTheSummaryAndNothingOnStderr) {
    const std::string path = goodFile("good.dsx", SourceKind::Dsx);
    const ProcessResult r = run({"info", path});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("Pings:       3\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Kind:        0 (.dsx)\n"), std::string::npos);
}

TEST_F(Kbfile, FileProblemsGiveOneLineNamingTheFileAndExitCodeOne) {
    const std::string missing = dir.file("missing.dsx");
    expectFailure({"info", missing}, 1,
                  "kbfile: " + missing + ": cannot open: No such file or directory");

    const std::string unknown = dir.file("notes.txt");
    writeBytes(unknown, {1, 2, 3});
    expectFailure({"info", unknown}, 1,
                  "kbfile: " + unknown + ": unknown extension (expected .dsx, .ss2 or .xtf)");

    const std::string empty = dir.file("empty.ss2");
    writeBytes(empty, {});
    expectFailure({"info", empty}, 1, "kbfile: " + empty + ": empty file");

    const std::string headerOnly = dir.file("header.xtf");
    writeBytes(headerOnly, fileBytes(SourceKind::Xtf, {}));
    expectFailure({"info", headerOnly}, 1,
                  "kbfile: " + headerOnly + ": no pings after the file header");
}

TEST_F(Kbfile, ATruncatedFileNamesTheByteOfItsCutRecord) {
    std::vector<std::uint8_t> bytes = fileBytes(SourceKind::Dsx, pings(3));
    bytes.resize(2 * 4096 + 1000);
    const std::string path = dir.file("cut.dsx");
    writeBytes(path, bytes);
    expectFailure({"info", path}, 1, "kbfile: " + path + ": bad record at byte 8192");
    expectFailure({"render", path, dir.file("cut.png")}, 1,
                  "kbfile: " + path + ": bad record at byte 8192");
    EXPECT_TRUE(readBytes(dir.file("cut.png")).empty());

    std::vector<std::uint8_t> xtf = fileBytes(SourceKind::Xtf, pings(2));
    xtf.resize(xtf.size() - 1);
    const std::string xtfPath = dir.file("cut.xtf");
    writeBytes(xtfPath, xtf);
    expectFailure({"info", xtfPath}, 1, "kbfile: " + xtfPath + ": bad record at byte 3408");
}

TEST_F(Kbfile, RandomBytesAreRefusedWithoutACrash) {
    std::mt19937 gen(7);
    std::vector<std::uint8_t> noise(50000);
    for (std::uint8_t& b : noise) {
        b = static_cast<std::uint8_t>(gen());
    }
    for (const char* name : {"noise.dsx", "noise.ss2", "noise.xtf"}) {
        const std::string path = dir.file(name);
        writeBytes(path, noise);
        const ProcessResult r = run({"info", path});
        EXPECT_EQ(r.exitCode, 1) << name;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("kbfile: " + path + ": ", 0), 0u) << r.err;
    }
    expectFailure({"info", dir.file("noise.dsx")}, 1,
                  "kbfile: " + dir.file("noise.dsx") + ": bad record at byte 0");
    expectFailure({"info", dir.file("noise.xtf")}, 1,
                  "kbfile: " + dir.file("noise.xtf") + ": not an XTF file");
}

TEST_F(Kbfile, BadUsageExitsWithTwo) {
    const ProcessResult none = run({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_EQ(std::count(none.err.begin(), none.err.end(), '\n'), 1);
    expectFailure({"render", "a.dsx", "a.png", "--width", "2"}, 2,
                  "kbfile render: --width wants a number from 4 to 16384");
    expectFailure({"convert", "a.dsx"}, 2,
                  "kbfile convert: wants two files (try 'kbfile convert --help')");
}

TEST_F(Kbfile, HelpGoesToStdoutWithExitCodeZero) {
    const ProcessResult general = run({"--help"});
    EXPECT_EQ(general.exitCode, 0);
    EXPECT_EQ(general.out.rfind("Usage: kbfile COMMAND", 0), 0u);
    EXPECT_EQ(general.err, "");
    const ProcessResult render = run({"render", "--help"});
    EXPECT_EQ(render.exitCode, 0);
    EXPECT_EQ(render.out.rfind("Usage: kbfile render", 0), 0u);
}

TEST_F(Kbfile, RenderWritesAPngOfOneRowPerPing) {
    const std::string in = goodFile("good.xtf", SourceKind::Xtf, 5);
    const std::string png = dir.file("good.PNG");
    const ProcessResult r = run({"render", in, png, "--width", "301", "--layout", "port"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::uint8_t> b = readBytes(png);
    ASSERT_GT(b.size(), 24u);
    const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), b.begin()));
    auto be32 = [&](std::size_t at) {
        return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 |
               std::uint32_t{b[at + 2]} << 8 | b[at + 3];
    };
    EXPECT_EQ(be32(16), 300u);  // IHDR width, rounded down to a multiple of 4
    EXPECT_EQ(be32(20), 5u);    // IHDR height
}

// The pictures of files with known pings have the bytes of the reference pictures, which the
// renderer wrote before it compressed on a thread of its own.
TEST_F(Kbfile, RenderWritesTheBytesOfTheReferencePictures) {
    for (const RenderGolden& g : renderGoldens()) {
        SCOPED_TRACE(g.png);
        const std::string in = dir.file(goldenInputName(g));
        writeFile(in, g.kind, g.pings());
        const std::string out = dir.file(g.png);
        std::vector<std::string> args = {"render", in, out};
        args.insert(args.end(), g.options.begin(), g.options.end());
        const ProcessResult r = run(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const std::vector<std::uint8_t> want =
            readBytes(std::string(TEST_DATA_DIR) + "/render/" + g.png);
        ASSERT_FALSE(want.empty());
        EXPECT_TRUE(readBytes(out) == want);
    }
}

// A disk that fills while the picture is written: the writer's failure stops the render with
// the one line, and neither a part of the picture nor the older picture's loss is left.
TEST_F(Kbfile, RenderThatCannotFinishWritingKeepsTheOlderPicture) {
    const RenderGolden& speckle = renderGoldens()[1];
    const std::string in = dir.file("speckle.dsx");
    writeFile(in, speckle.kind, speckle.pings());
    const std::string out = dir.file("speckle.png");
    writeBytes(out, {'o', 'l', 'd'});
    // A file size limit of 20 blocks of 512 bytes; writes past it fail instead of killing.
    std::string command = "ulimit -f 20; trap '' XFSZ; exec " + std::string(KBFILE_PATH) +
                          " render " + in + " " + out;
    for (const std::string& o : speckle.options) {
        command += " " + o;
    }
    const ProcessResult r = runShell(command);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "kbfile: " + out + ": cannot write the PNG file\n");
    EXPECT_EQ(readBytes(out), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(dir.file(""))) {
        left.push_back(e.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left,
              (std::vector<std::string>{"speckle.dsx", "speckle.png", "stderr.txt", "stdout.txt"}));
}

// Interrupted while the picture is unfinished: the hidden file of its bytes goes with the
// program. A pipe as input holds kbfile in its open call, after the picture file was begun.
TEST_F(Kbfile, AnInterruptedRenderLeavesNoPartOfThePicture) {
    const std::string in = dir.file("pipe.dsx");
    ASSERT_EQ(mkfifo(in.c_str(), 0600), 0);
    const std::string out = dir.file("pipe.png");
    for (int signal : {SIGINT, SIGTERM}) {
        std::vector<std::string> all = {KBFILE_PATH, "render", in, out};
        std::vector<char*> argv;
        for (std::string& a : all) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, KBFILE_PATH, nullptr, nullptr, argv.data(), environ), 0);
        auto partFiles = [&] {
            int n = 0;
            for (const auto& e : std::filesystem::directory_iterator(dir.file(""))) {
                n += e.path().filename().string().find(".part") != std::string::npos;
            }
            return n;
        };
        for (int i = 0; i < 500 && partFiles() == 0; ++i) {
            usleep(10000);
        }
        EXPECT_EQ(partFiles(), 1);
        kill(pid, signal);
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(partFiles(), 0);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST_F(Kbfile, RenderRefusesAnOutputItCannotWriteBeforeReading) {
    const std::string in = goodFile("good.dsx", SourceKind::Dsx);
    const std::string jpg = dir.file("good.jpg");
    expectFailure({"render", in, jpg}, 1, "kbfile: " + jpg + ": unknown extension (expected .png)");
    const std::string nowhere = dir.file("no/such/folder/a.png");
    expectFailure({"render", in, nowhere}, 1,
                  "kbfile: " + nowhere + ": cannot write here: No such file or directory");
}

TEST_F(Kbfile, ConvertWritesTheTargetLayout) {
    const std::string in = goodFile("good.dsx", SourceKind::Dsx, 4);
    const std::string out = dir.file("good.ss2");
    const ProcessResult r = run({"convert", in, out});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(readBytes(out).size(), 4u * 2560u);
}

}  // namespace
