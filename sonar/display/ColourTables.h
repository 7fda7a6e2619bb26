#pragma once

#include <array>
#include <cstdint>

// The nine 256-entry palettes the waterfall can be shown through. Sample-derived pixels use
// entries 0..254; entry 255 is a fixed highlight so the playback wrap line looks the same in
// every table.
class ColourTables {
  public:
    struct Rgb {
        std::uint8_t r = 0, g = 0, b = 0;
        bool operator==(const Rgb&) const = default;
    };
    using Table = std::array<Rgb, 256>;

    static constexpr int kTableCount = 9;
    static constexpr int kEntries = 256;
    static constexpr int kHighlightIndex = 255;
    static constexpr int kMaxSampleIndex = 254;
    static constexpr Rgb kHighlight{200, 200, 0};
    // Palette entries flagged as important to the drawing library.
    static constexpr int kImportantColours = 118;

    enum Index {
        NormalHigh = 0,
        NormalLow = 1,
        Green = 2,
        Grey = 3,
        ReverseGrey = 4,
        BrownYellow = 5,
        GreenBlue = 6,
        GreenYellow = 7,
        Blue = 8,
    };

    ColourTables();

    // An index outside 0..8 gives the Grey table, so a bad settings value still draws.
    const Table& table(int index) const;

    // The base scale behind tables 0 and 1, entries 0..254.
    static Rgb normalScale(int entry);

  private:
    std::array<Table, kTableCount> tables_;
};
