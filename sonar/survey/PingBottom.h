#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "survey/BottomDetector.h"

// A ping's two sides in slant order from the towfish, from the program's ping layout: the port
// half outermost sample first, the starboard half nearest first.
class PingSides {
  public:
    // Copies the port half reversed; the starboard half is viewed in place. The span must stay
    // valid while the sides are used.
    void split(std::span<const std::uint8_t> ping);
    std::span<const std::uint8_t> port() const { return port_; }
    std::span<const std::uint8_t> starboard() const { return starboard_; }

  private:
    std::vector<std::uint8_t> port_;
    std::span<const std::uint8_t> starboard_;
};

// The first bottom return of each side, in samples from the fish.
struct BottomPair {
    std::optional<int> port;
    std::optional<int> starboard;

    bool any() const { return port || starboard; }
    // The nearer of the two: on a flat seabed the first return comes from straight below, so
    // the nearer side is the better measure of the fish's height.
    std::optional<int> nearer() const;
};

BottomPair detectBottoms(const PingSides& sides, const BottomDetectorSettings& settings = {});

// Carries the last altitude found across pings where none was, for a limited number of pings: a
// short gap (a fish crossing the beam, a burst of noise) keeps the seabed drawn, a long one is
// left empty rather than guessed over.
class AltitudeHold {
  public:
    static constexpr int kMaxHeldPings = 50;

    explicit AltitudeHold(int maxHeldPings = kMaxHeldPings) : maxHeld_(maxHeldPings) {}

    // The altitude to use for this ping: the one found, else the held one while it lasts.
    std::optional<double> next(std::optional<double> found);

  private:
    int maxHeld_;
    int held_ = 0;
    std::optional<double> last_;
};

// The altitude each side is re-laid at.
struct SideAltitudes {
    std::optional<double> port;
    std::optional<double> starboard;
};

// Each side takes its own first bottom return; a side without one takes the ping's altitude:
// the nearer side's bottom, else `fallback` (an altitude the file states), else the one held
// from earlier pings. Altitudes are in samples times metresPerSample.
SideAltitudes sideAltitudes(const BottomPair& bottoms, double metresPerSample,
                            std::optional<double> fallback, AltitudeHold& hold);

// Slant-range correction of whole pings for drawing, in sample units: each side is re-laid on
// a flat seabed at its altitude (sideAltitudes, bottoms from detectBottoms), ground pixel k at
// k + 0.5 sample lengths from the track, and handed back in the ping layout. The nadir gap, the
// ground past the last sample and a side without any altitude are noData.
class PingRelayer {
  public:
    static constexpr std::uint8_t kNoData = 0;

    std::span<const std::uint8_t> relay(std::span<const std::uint8_t> ping);

  private:
    PingSides sides_;
    AltitudeHold hold_;
    std::vector<std::uint8_t> ground_;
    std::vector<std::uint8_t> out_;
};
