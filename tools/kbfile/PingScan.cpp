#include "kbfile/PingScan.h"

#include <cstring>

#include "acquisition/SwitchCommand.h"
#include "datafile/RecordReader.h"
#include "kbfile/FileKind.h"
#include "kbfile/ForeignXtf.h"
#include "kbfile/PingGps.h"
#include "kbfile/SequentialFileSource.h"

namespace kbfile {
namespace {

std::string atByte(const char* what, std::uint64_t offset) {
    return std::string(what) + " at byte " + std::to_string(offset);
}

SurveyPing surveyOf(const PingRecord& rec, SourceKind kind) {
    SurveyPing s;
    s.rangeMetres = rangeMetres(rec.rangeIndex);
    s.position = gpsOf(rec, kind).position;
    return s;
}

std::optional<Problem> walk(RecordReader& reader, SequentialFileSource& source,
                            const std::string& path, const SurveyVisitor& visit,
                            const ProgressFn& progress, bool survey, ScanOutcome& outcome) {
    PingRecord rec;
    const SurveyPing none;
    for (;;) {
        const std::uint64_t offset = reader.position();
        const ReadStatus status = reader.next(rec);
        if (source.readFailed()) {
            return Problem{path, atByte("read error", offset)};
        }
        if (status == ReadStatus::EndOfData) {
            return std::nullopt;
        }
        if (status == ReadStatus::BadRecord) {
            return Problem{path, atByte("bad record", offset)};
        }
        // The compact records carry no ping number; number them as a recording would.
        if (outcome.kind == SourceKind::Ss2) {
            rec.pingNumber = static_cast<std::uint32_t>(outcome.pings + 1);
        }
        const PingPlace place{outcome.pings, offset, reader.position() - offset, outcome.fileSize};
        if (std::optional<Problem> p =
                visit(rec, place, survey ? surveyOf(rec, outcome.kind) : none)) {
            return p;
        }
        ++outcome.pings;
        if (progress) {
            progress(reader.position(), outcome.fileSize);
        }
    }
}

// survey false: the visitor ignores the SurveyPing, which is then left empty for own files
// (their positions cost a parse of the stored sentences).
ScanOutcome scan(const std::string& path, const SurveyVisitor& visit, const ProgressFn& progress,
                 bool survey) {
    ScanOutcome outcome;
    const std::optional<SourceKind> kind = kindFromPath(path);
    if (!kind) {
        outcome.problem = Problem{path, "unknown extension (expected .dsx, .ss2 or .xtf)"};
        return outcome;
    }
    outcome.kind = *kind;
    SequentialFileSource source(path);
    if (!source.isOpen()) {
        outcome.problem =
            Problem{path, std::string("cannot open: ") + std::strerror(source.openError())};
        return outcome;
    }
    outcome.fileSize = source.size();
    if (outcome.fileSize == 0) {
        outcome.problem = Problem{path, "empty file"};
        return outcome;
    }
    RecordReader reader(source, *kind);
    if (!reader.checkFileHeader()) {
        outcome.problem = scanForeignXtf(source, path, visit, progress, outcome);
    } else {
        outcome.problem = walk(reader, source, path, visit, progress, survey, outcome);
    }
    if (!outcome.problem && outcome.pings == 0) {
        outcome.problem = Problem{path, "no pings after the file header"};
    }
    return outcome;
}

}  // namespace

ScanOutcome scanFile(const std::string& path, const PingVisitor& visit,
                     const ProgressFn& progress) {
    return scan(
        path,
        [&visit](const PingRecord& rec, const PingPlace& place, const SurveyPing&) {
            return visit(rec, place);
        },
        progress, false);
}

ScanOutcome scanSurvey(const std::string& path, const SurveyVisitor& visit,
                       const ProgressFn& progress) {
    return scan(path, visit, progress, true);
}

}  // namespace kbfile
