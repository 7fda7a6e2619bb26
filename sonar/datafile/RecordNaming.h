#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/PingRecord.h"

// Names of record files: the name proposed for a new recording, and the kind of data a file name
// stands for.
class RecordNaming {
  public:
    static constexpr char kUnknownTypeMessage[] =
        "ERROR: Application can not recognize this file type!";
    // Where the two counter digits sit in a name made of an 11-character date text and a hyphen.
    static constexpr std::size_t kCounterAt = 12;
    static constexpr std::size_t kCounterChars = 2;

    // ".dsx", ".ss2" or ".xtf".
    static std::string_view extensionOf(SourceKind kind);

    // True when name matches dateText + "-??" + the extension of kind the way the platform's
    // wildcard search does: each "?" stands for one character, letters match without case.
    static bool matchesPattern(std::string_view name, std::string_view dateText, SourceKind kind);

    // The counter after the names that match, taken in the given order: each raises it to one
    // past the larger of itself and the name's two counter characters.
    static int counterAfter(const std::vector<std::string>& names, std::string_view dateText,
                            SourceKind kind);

    // dateText + "-" + the counter as two digits, no extension. listing is the folder's file
    // names in the order the platform lists them; names that do not match are ignored.
    static std::string proposedName(std::string_view dateText, SourceKind kind,
                                    const std::vector<std::string>& listing);

    // The names in folder that match the pattern, in directory order; none when the folder
    // cannot be read.
    static std::vector<std::string> listMatching(const std::filesystem::path& folder,
                                                 std::string_view dateText, SourceKind kind);

    // The kind the last three characters of a name stand for, without case; nothing for any
    // other ending.
    static std::optional<SourceKind> kindOfName(std::string_view name);

    // The record format for a name chosen in the save dialog: an unknown ending keeps the
    // previous format.
    static SourceKind recordFormatFor(std::string_view chosenName, SourceKind previous);
};
