#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "datafile/PingRecord.h"

// Reads back the XTF files this program wrote: the file header check and one ping at a time.
class XtfReader {
  public:
    static constexpr char kNotOurFileMessage[] =
        "This is not a Marovant Keelbrook.exe recorded file!    ";

    // Bytes a ping must show before its length is known.
    static constexpr std::size_t kPrefixBytes = 14;

    // True when the 1024-byte file header names this program and its sonar.
    static bool checkFileHeader(std::span<const std::uint8_t> header);

    // The record length a ping's first bytes state; nullopt when they are too few or do not
    // start with the ping magic number.
    static std::optional<std::size_t> statedLength(std::span<const std::uint8_t> prefix);

    // Decodes the ping at the start of bytes and returns its length (the step to the next ping).
    // nullopt, with out untouched, for a bad ping: no magic number, no channels, or a length or
    // sample count that does not fit the bytes. The head header is not stored in XTF, so
    // out.ping keeps its header bytes.
    static std::optional<std::size_t> decodePing(std::span<const std::uint8_t> bytes,
                                                 PingRecord& out);
};
