#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "targets/Target.h"

// The target list beside a data file: `<file>.targets.jsonl`, one GeoJSON Feature per line.
// Lines are only ever appended, each with one write and an fsync before the call returns, so a
// crash or power loss costs at most the line being written; such a torn line is skipped, with a
// warning, when the list is read.
namespace target_log {

constexpr const char* kSuffix = ".targets.jsonl";

std::string sidecarPath(const std::string& dataPath);

// Appends the target's feature as one line. Nothing on success, otherwise why not (the
// system's error text).
std::optional<std::string> append(const std::string& path, const Target& target);

struct Contents {
    std::vector<Target> targets;
    std::vector<std::string> warnings;  // one per skipped line, naming its number
    std::optional<std::string> error;   // the file could not be read at all
};

// Every target of the list, in the order placed.
Contents read(const std::string& path);
Contents parse(std::string_view text);

}  // namespace target_log
