#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "datafile/PingRecord.h"
#include "datafile/XtfLayout.h"

// Writes the XTF sidescan layout: one file header, then per ping a ping header and the port and
// starboard channels, each a channel header and its samples.
class XtfWriter {
  public:
    using FileHeader = std::array<std::uint8_t, xtf::kFileHeaderBytes>;

    // The file header of a recording at path (its file name part is stored) whose pings carry
    // samplesTotal samples.
    static FileHeader fileHeader(std::string_view path, int samplesTotal);

    // Bytes one ping takes in the file; 0 when a ping of that size cannot be written.
    static std::size_t pingSize(int samplesTotal);

    // Writes the ping header and both channels of rec into out, which must hold pingSize() bytes.
    // False (out untouched) when the ping cannot be written.
    static bool encodePing(const PingRecord& rec, std::span<std::uint8_t> out);
};
