#include "kbfile/PngOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "kbfile/PngEncoder.h"
#include "kbfile/UnfinishedFile.h"

namespace kbfile {
namespace {
// Compressed bytes gathered before one write to the file.
constexpr std::size_t kWriteBytes = std::size_t{1} << 20;
constexpr int kNameAttempts = 100;
}  // namespace

PngOutput::PngOutput(std::string path, std::uint32_t width, const ColourTables::Table& palette,
                     std::size_t queueBatches)
    : path_(std::move(path)), width_(width), palette_(palette), jobs_(queueBatches) {}

PngOutput::~PngOutput() {
    abandon();
}

Problem PngOutput::cannotWrite() const {
    return Problem{path_, "cannot write the PNG file"};
}

std::optional<Problem> PngOutput::start() {
    const std::filesystem::path target(path_);
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    for (int i = 0; i < kNameAttempts && !file_.isOpen(); ++i) {
        temporary_ = (folder / ("." + target.filename().string() + ".part" +
                                std::to_string(::getpid()) + "-" + std::to_string(i)))
                         .string();
        if (!file_.create(temporary_) && file_.error() != EEXIST) {
            break;
        }
    }
    if (!file_.isOpen()) {
        temporary_.clear();
        return Problem{path_, std::string("cannot write here: ") + std::strerror(file_.error())};
    }
    setUnfinishedFile(temporary_.c_str());
    thread_ = std::thread([this] { run(); });
    return std::nullopt;
}

bool PngOutput::addRows(std::vector<std::uint8_t> rows) {
    return jobs_.push(Job{Job::Kind::Rows, std::move(rows)});
}

bool PngOutput::restart() {
    return jobs_.push(Job{Job::Kind::Restart, {}});
}

std::optional<Problem> PngOutput::commit() {
    if (!thread_.joinable()) {
        return cannotWrite();
    }
    jobs_.push(Job{Job::Kind::Finish, {}});
    thread_.join();
    const bool closed = file_.close();
    if (!ok_ || !closed || std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        abandon();
        return cannotWrite();
    }
    clearUnfinishedFile();
    temporary_.clear();
    return std::nullopt;
}

void PngOutput::abandon() {
    jobs_.cancel();
    if (thread_.joinable()) {
        thread_.join();
    }
    file_.close();
    if (!temporary_.empty()) {
        clearUnfinishedFile();
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

bool PngOutput::write(std::vector<std::uint8_t>& out, bool all) {
    if (!all && out.size() < kWriteBytes) {
        return true;
    }
    const bool ok = file_.write(out);
    out.clear();
    return ok;
}

void PngOutput::run() {
    auto encoder = std::make_unique<PngEncoder>(width_, palette_);
    std::vector<std::uint8_t> out;
    out.reserve(kWriteBytes + PngEncoder::kChunkBytes * 2);
    encoder->begin(out);
    while (std::optional<Job> job = jobs_.pop()) {
        bool ok = true;
        switch (job->kind) {
            case Job::Kind::Rows:
                ok = encoder->addRows(job->rows.data(), job->rows.size() / width_, out) &&
                     write(out, false);
                break;
            case Job::Kind::Restart:
                out.clear();
                ok = file_.truncate();
                encoder = std::make_unique<PngEncoder>(width_, palette_);
                encoder->begin(out);
                break;
            case Job::Kind::Finish: {
                ok = encoder->finish(out) && write(out, true);
                const auto head = encoder->header();
                ok_ = ok && file_.writeAt(0, head);
                return;
            }
        }
        if (!ok) {
            jobs_.cancel();  // the drawing stops at its next hand-over
            return;
        }
    }
}

}  // namespace kbfile
