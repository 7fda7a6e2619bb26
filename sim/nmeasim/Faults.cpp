#include "nmeasim/Faults.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace nmeasim {

FaultInjector::FaultInjector(const FaultOptions& options, std::uint64_t seed)
    : options_(options), rng_(seed ^ 0xfa017u) {}

bool FaultInjector::silent(double offsetSeconds) const {
    if (options_.gapEvery <= 0.0 || options_.gapSeconds <= 0.0 ||
        offsetSeconds < options_.gapEvery) {
        return false;
    }
    return std::fmod(offsetSeconds, options_.gapEvery) < options_.gapSeconds;
}

std::vector<Piece> FaultInjector::shape(const std::vector<std::string>& sentences) {
    std::vector<Piece> out;
    for (std::string s : sentences) {
        ++sentences_;
        if (options_.badChecksumEvery > 0 && sentences_ % options_.badChecksumEvery == 0) {
            corruptChecksum(s);
        }
        if (options_.noise > 0.0 && std::bernoulli_distribution(options_.noise)(rng_)) {
            addNoise(s);
        }
        if (options_.split) {
            split(s, out);
        } else {
            out.push_back(Piece{std::move(s), 0});
        }
    }
    return out;
}

// A checksum one off the right one; a sentence without a checksum is given a wrong one.
void FaultInjector::corruptChecksum(std::string& sentence) {
    std::size_t end = sentence.find_first_of("\r\n");
    end = end == std::string::npos ? sentence.size() : end;
    const std::size_t star = sentence.rfind('*', end);
    const bool hasChecksum = star != std::string::npos && star < end;
    const std::size_t bodyEnd = hasChecksum ? star : end;
    std::uint8_t sum = 0;
    for (std::size_t i = 1; i < bodyEnd; ++i) {
        sum ^= static_cast<std::uint8_t>(sentence[i]);
    }
    char wrong[4];
    std::snprintf(wrong, sizeof wrong, "%02X", static_cast<std::uint8_t>(sum + 1));
    if (hasChecksum) {
        sentence.replace(star + 1, end - star - 1, wrong);
    } else {
        sentence.insert(end, std::string("*") + wrong);
    }
}

// A burst of random bytes, as a serial line picks up from a nearby motor or a loose
// connector: before the sentence or inside it (never after its CR LF).
void FaultInjector::addNoise(std::string& sentence) {
    std::uniform_int_distribution<int> length(1, kNoiseMaxBytes);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string burst(static_cast<std::size_t>(length(rng_)), '\0');
    for (char& c : burst) {
        c = static_cast<char>(byte(rng_));
    }
    const std::size_t body = sentence.size() >= 2 ? sentence.size() - 2 : sentence.size();
    std::uniform_int_distribution<std::size_t> at(0, body);
    const std::size_t where = std::bernoulli_distribution(0.5)(rng_) ? 0 : at(rng_);
    sentence.insert(where, burst);
}

void FaultInjector::split(const std::string& sentence, std::vector<Piece>& out) {
    if (sentence.size() < 2) {
        out.push_back(Piece{sentence, 0});
        return;
    }
    const int maxPieces = static_cast<int>(std::min<std::size_t>(kSplitMaxPieces, sentence.size()));
    const int pieces = std::uniform_int_distribution<int>(2, maxPieces)(rng_);
    std::vector<std::size_t> cuts;
    std::uniform_int_distribution<std::size_t> at(1, sentence.size() - 1);
    while (static_cast<int>(cuts.size()) < pieces - 1) {
        const std::size_t c = at(rng_);
        if (std::find(cuts.begin(), cuts.end(), c) == cuts.end()) {
            cuts.push_back(c);
        }
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.push_back(sentence.size());
    std::uniform_int_distribution<unsigned> pause(kSplitPauseMinMicros, kSplitPauseMaxMicros);
    std::size_t from = 0;
    for (const std::size_t to : cuts) {
        out.push_back(Piece{sentence.substr(from, to - from), from == 0 ? 0u : pause(rng_)});
        from = to;
    }
}

}  // namespace nmeasim
