#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "datafile/PingRecord.h"
#include "kbfile/Problem.h"

namespace kbfile {

// Where a ping was found in its file.
struct PingPlace {
    std::uint64_t index = 0;  // 0 for the first ping
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    std::uint64_t fileSize = 0;  // of the whole file, for estimates
};

// Bytes done and the file size, reported as the walk goes.
using ProgressFn = std::function<void(std::uint64_t done, std::uint64_t total)>;
// Called for every ping in file order; returning a problem ends the walk with it.
using PingVisitor = std::function<std::optional<Problem>(const PingRecord&, const PingPlace&)>;

struct ScanOutcome {
    std::optional<Problem> problem;
    SourceKind kind = SourceKind::Dsx;
    std::uint64_t fileSize = 0;
    std::uint64_t pings = 0;
};

// Reads the whole file at path, one ping at a time. Fails on a missing or unreadable file, an
// unknown extension, a file without pings, an XTF file this program did not write, and on the
// first record that does not decode (the whole file must be sound).
ScanOutcome scanFile(const std::string& path, const PingVisitor& visit,
                     const ProgressFn& progress = {});

}  // namespace kbfile
