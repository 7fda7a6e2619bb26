#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "datafile/PingRecord.h"

// Turns pings into the bytes of a record file of one kind; writing them to disk is the caller's.
// One writer lives as long as the program: the .ss2 back-link tells the first record written
// since start from all later ones.
class RecordWriter {
  public:
    // The bytes a new file of the kind starts with: the XTF file header (with the file name part
    // of path), nothing for the program's own records.
    static std::vector<std::uint8_t> fileStart(SourceKind kind, std::string_view path,
                                               int samplesTotal);

    // Appends the record of rec to out; false (out unchanged) when the ping does not fit the
    // layout of the kind.
    bool appendPing(SourceKind kind, const PingRecord& rec, std::vector<std::uint8_t>& out);

  private:
    bool ss2Written_ = false;
};
