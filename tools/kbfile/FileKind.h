#pragma once

#include <optional>
#include <string_view>

#include "datafile/PingRecord.h"

namespace kbfile {

// The kind of a data file follows from its extension alone, in any letter case.
std::optional<SourceKind> kindFromPath(std::string_view path);

// ".dsx", ".ss2", ".xtf".
const char* extensionOf(SourceKind kind);

// True when path ends in ".png", in any letter case.
bool hasPngExtension(std::string_view path);
// .tif or .tiff, in any letter case.
bool hasTiffExtension(std::string_view path);

}  // namespace kbfile
