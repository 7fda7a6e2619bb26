#pragma once

#include <optional>
#include <string>

#include "datafile/ByteSource.h"
#include "datafile/XtfReader.h"
#include "kbfile/PingScan.h"

namespace kbfile {

// The channels drawn from a file of another system: the first port and the first starboard
// sonar channel the file header describes. Files that leave the channel types unset get the
// usual order instead, channel 0 port and channel 1 starboard.
ChannelChoice chooseChannels(const XtfFileInfo& file);

// The range index whose range is nearest to a slant range in metres.
int nearestRangeIndex(double metres);

// Reads an XTF file another system wrote from source: the file header, then packet by packet.
// Sonar packets become pings of the chosen channels (16-bit samples through the file's
// SampleGain, which takes a first pass over the file), raw serial packets give NMEA positions
// to pings whose header has none, and every other packet is stepped over by its byte count.
// Fills outcome (pings, foreign) and returns the problem that ended the walk.
std::optional<Problem> scanForeignXtf(ByteSource& source, const std::string& path,
                                      const SurveyVisitor& visit, const ProgressFn& progress,
                                      ScanOutcome& outcome);

}  // namespace kbfile
