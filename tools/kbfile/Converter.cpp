#include "kbfile/Converter.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "datafile/RecordWriter.h"
#include "kbfile/FileKind.h"
#include "kbfile/FileWriter.h"
#include "kbfile/PingGps.h"

namespace kbfile {
namespace {
// Bytes gathered before one write to the output.
constexpr std::size_t kWriteBatch = std::size_t{4} << 20;

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

// One conversion: the output is created when the first ping has been read, so a bad input
// leaves no file behind.
class Conversion {
  public:
    Conversion(SourceKind from, SourceKind to, const std::string& output)
        : from_(from), to_(to), output_(output) {}

    std::optional<Problem> add(const PingRecord& read, const PingPlace& place) {
        const PingGps gps = gpsOf(read, from_);
        carry_.update(gps);
        rec_ = read;
        applyGps(carry_, gps, from_, to_, rec_);
        if (place.index == 0) {
            if (!file_.open(output_)) {
                return failed("cannot create");
            }
            created_ = true;
            pending_ = RecordWriter::fileStart(to_, output_, rec_.ping.samplesTotal());
        }
        if (!writer_.appendPing(to_, rec_, pending_)) {
            return Problem{output_, tooLarge(rec_, place)};
        }
        return pending_.size() >= kWriteBatch ? flush() : std::nullopt;
    }

    std::optional<Problem> finish() {
        if (std::optional<Problem> p = flush()) {
            return p;
        }
        if (!file_.close()) {
            return failed("cannot write");
        }
        return std::nullopt;
    }

    void discard() {
        file_.close();
        if (created_) {
            ::unlink(output_.c_str());
        }
    }

  private:
    std::optional<Problem> flush() {
        if (!file_.write(pending_)) {
            return failed("cannot write");
        }
        pending_.clear();
        return std::nullopt;
    }

    Problem failed(const char* what) const {
        return {output_, std::string(what) + ": " + std::strerror(file_.error())};
    }

    std::string tooLarge(const PingRecord& rec, const PingPlace& place) const {
        return "ping #" + std::to_string(rec.pingNumber) + " (record " +
               std::to_string(place.index + 1) + ") has " +
               std::to_string(rec.ping.samplesTotal()) + " samples, more than a " +
               extensionOf(to_) + " record holds";
    }

    SourceKind from_;
    SourceKind to_;
    std::string output_;
    RecordWriter writer_;
    FileWriter file_;
    GpsCarry carry_;
    PingRecord rec_;
    std::vector<std::uint8_t> pending_;
    bool created_ = false;
};

}  // namespace

ConvertOutcome convertFile(const std::string& input, const std::string& output,
                           const ProgressFn& progress) {
    ConvertOutcome outcome;
    const std::optional<SourceKind> to = kindFromPath(output);
    if (!to) {
        outcome.problem = Problem{output, "unknown extension (expected .dsx, .ss2 or .xtf)"};
        return outcome;
    }
    if (sameFile(input, output)) {
        outcome.problem = Problem{output, "is the input file"};
        return outcome;
    }
    Conversion conversion(kindFromPath(input).value_or(SourceKind::Dsx), *to, output);
    const ScanOutcome scan = scanFile(
        input,
        [&](const PingRecord& rec, const PingPlace& place) { return conversion.add(rec, place); },
        progress);
    outcome.pings = scan.pings;
    outcome.problem = scan.problem ? scan.problem : conversion.finish();
    if (outcome.problem) {
        conversion.discard();
    }
    return outcome;
}

}  // namespace kbfile
