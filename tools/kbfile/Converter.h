#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "kbfile/PingScan.h"

namespace kbfile {

struct ConvertOutcome {
    std::optional<Problem> problem;
    std::uint64_t pings = 0;
};

// Rewrites every ping of input in the layout output's extension names, keeping each value the
// target layout can hold. A failure part way removes the partial output.
ConvertOutcome convertFile(const std::string& input, const std::string& output,
                           const ProgressFn& progress = {});

}  // namespace kbfile
