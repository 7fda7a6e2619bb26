#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace nmeasim {

struct FaultOptions {
    double noise = 0.0;                  // probability per sentence of a burst of line noise
    std::uint32_t badChecksumEvery = 0;  // every Nth sentence carries a wrong checksum; 0 = none
    bool split = false;                  // each sentence written in random pieces
    double gapEvery = 0.0;               // seconds between the starts of silent spells; 0 = none
    double gapSeconds = 0.0;             // length of each silent spell
};

// One write to the line, after a pause (microseconds) following the previous write.
struct Piece {
    std::string bytes;
    unsigned pauseMicros = 0;
};

// Turns clean sentences into what a troubled line delivers.
class FaultInjector {
  public:
    static constexpr int kNoiseMaxBytes = 12;
    static constexpr int kSplitMaxPieces = 5;
    static constexpr unsigned kSplitPauseMinMicros = 2000;
    static constexpr unsigned kSplitPauseMaxMicros = 20000;

    FaultInjector(const FaultOptions& options, std::uint64_t seed);

    // The writes for one cycle of sentences. Without --split every sentence is one write.
    std::vector<Piece> shape(const std::vector<std::string>& sentences);

    // True when the cycle at `offsetSeconds` after the start falls in a silent spell.
    bool silent(double offsetSeconds) const;

  private:
    void corruptChecksum(std::string& sentence);
    void addNoise(std::string& sentence);
    void split(const std::string& sentence, std::vector<Piece>& out);

    FaultOptions options_;
    std::mt19937_64 rng_;
    std::uint64_t sentences_ = 0;
};

}  // namespace nmeasim
