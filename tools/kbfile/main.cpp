// kbfile: the command-line companion of keelbrook for recorded ping files. The logic lives in
// kbfile_core; this file only reads the command line and shows progress and problems.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "kbfile/CommandLine.h"
#include "kbfile/Converter.h"
#include "kbfile/FileInfo.h"
#include "kbfile/FileKind.h"
#include "kbfile/GeoTiffWriter.h"
#include "kbfile/Mosaic.h"
#include "kbfile/ProgressMeter.h"
#include "kbfile/Renderer.h"
#include "kbfile/TargetsCommand.h"
#include "kbfile/UnfinishedFile.h"

namespace {
using namespace kbfile;

int fail(ProgressMeter& meter, const Problem& p) {
    meter.clear();
    std::fprintf(stderr, "kbfile: %s: %s\n", p.file.c_str(), p.what.c_str());
    return kExitFileProblem;
}

ProgressFn progressTo(ProgressMeter& meter) {
    return [&meter](std::uint64_t done, std::uint64_t total) { meter.update(done, total); };
}

int runInfo(const std::string& file, ProgressMeter& meter) {
    const InfoOutcome out = collectInfo(file, progressTo(meter));
    if (out.problem) {
        return fail(meter, *out.problem);
    }
    meter.clear();
    std::fputs(formatInfo(file, out.summary).c_str(), stdout);
    return kExitOk;
}

int runConvert(const std::string& in, const std::string& out, ProgressMeter& meter) {
    const ConvertOutcome result = convertFile(in, out, progressTo(meter));
    return result.problem ? fail(meter, *result.problem) : kExitOk;
}

std::optional<Problem> checkFolder(const std::string& out) {
    const std::filesystem::path folder = std::filesystem::path(out).parent_path();
    const std::string dir = folder.empty() ? "." : folder.string();
    if (::access(dir.c_str(), W_OK) != 0) {
        return Problem{out, std::string("cannot write here: ") + std::strerror(errno)};
    }
    return std::nullopt;
}

// A folder that cannot take the picture is better found before the whole file was read.
std::optional<Problem> checkPngTarget(const std::string& out) {
    if (!hasPngExtension(out)) {
        return Problem{out, "unknown extension (expected .png)"};
    }
    return checkFolder(out);
}

std::optional<Problem> checkMosaicTarget(const std::vector<std::string>& inputs,
                                         const std::string& out) {
    if (!hasTiffExtension(out)) {
        return Problem{out, "unknown extension (expected .tif)"};
    }
    std::error_code ec;
    for (const std::string& in : inputs) {
        if (std::filesystem::equivalent(in, out, ec)) {
            return Problem{out, "is also an input file"};
        }
    }
    return checkFolder(out);
}

int runMosaic(const std::vector<std::string>& files, const MosaicOptions& options,
              ProgressMeter& meter) {
    const std::vector<std::string> inputs(files.begin(), files.end() - 1);
    const std::string& out = files.back();
    if (std::optional<Problem> p = checkMosaicTarget(inputs, out)) {
        return fail(meter, *p);
    }
    GeoTiffWriter writer;
    const MosaicOutcome result = makeMosaic(inputs, out, options, writer, progressTo(meter));
    if (result.problem) {
        return fail(meter, *result.problem);
    }
    meter.clear();
    std::fputs(formatMosaicReport(out, result.report).c_str(), stdout);
    return kExitOk;
}

int runRender(const std::string& in, const std::string& out, const RenderOptions& options,
              ProgressMeter& meter) {
    if (std::optional<Problem> p = checkPngTarget(out)) {
        return fail(meter, *p);
    }
    const PngRenderOutcome pic = renderPng(in, out, options, progressTo(meter));
    if (pic.problem) {
        return fail(meter, *pic.problem);
    }
    meter.clear();
    if (pic.pingsPerRow > 1) {
        std::fprintf(stderr,
                     "kbfile: note: %llu pings drawn in %d rows, each the peak of %llu pings\n",
                     static_cast<unsigned long long>(pic.pings), pic.height,
                     static_cast<unsigned long long>(pic.pingsPerRow));
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const CommandLine cl = parseCommandLine(args);
    if (cl.status == CommandLine::Status::Help) {
        std::fputs(cl.help.c_str(), stdout);
        return kExitOk;
    }
    if (cl.status == CommandLine::Status::Error) {
        std::fprintf(stderr, "%s\n", cl.error.c_str());
        return kExitUsage;
    }
    removeUnfinishedFileOnSignals();
    const std::string label = cl.command == Command::Mosaic ? "kbfile: making the mosaic"
                                                            : "kbfile: reading " + cl.files[0];
    ProgressMeter meter(stderr, label, ::isatty(STDERR_FILENO) == 1);
    switch (cl.command) {
        case Command::Info:
            return runInfo(cl.files[0], meter);
        case Command::Convert:
            return runConvert(cl.files[0], cl.files[1], meter);
        case Command::Render:
            return runRender(cl.files[0], cl.files[1], cl.render, meter);
        case Command::Mosaic:
            return runMosaic(cl.files, cl.mosaic, meter);
        case Command::Targets:
            return exportTargets(cl.files[0], cl.files[1], stderr);
        case Command::None:
            break;
    }
    return kExitUsage;
}
