#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "nmeasim/CycleSource.h"

namespace nmeasim {

// A recorded log cut into the cycles the receiver sent: a new cycle starts whenever a sentence
// carries a UTC time different from the current one; sentences without a time travel with the
// cycle they follow.
struct ReplayLog {
    std::vector<Cycle> cycles;
    std::size_t skippedLines = 0;  // comments, blank and non-NMEA lines
};

// Longest pause between two cycles that is played as recorded; a longer jump, or time going
// backwards (other than over midnight), is a break in the log and plays as a normal interval.
constexpr double kMaxReplayPauseSeconds = 60.0;

ReplayLog parseReplayLog(const std::string& text);

// Reads and parses a file; nullopt with `error` set when it cannot be read or holds no
// sentences.
std::optional<ReplayLog> loadReplayLog(const std::string& path, std::string& error);

// Seconds of the day of the UTC time a sentence carries (GGA, GLL, RMC, ZDA, GNS, GST, GBS, of
// any talker); nullopt for sentences without one or an unreadable time.
std::optional<double> sentenceTimeOfDay(const std::string& sentence);

class ReplaySource : public CycleSource {
  public:
    ReplaySource(ReplayLog log, bool loop);

    std::optional<Cycle> next() override;

  private:
    ReplayLog log_;
    bool loop_;
    std::size_t index_ = 0;
    std::int64_t base_ = 0;
    std::int64_t loopGap_;
};

}  // namespace nmeasim
