#pragma once

#include <cstdint>
#include <string>

#include "acquisition/HeadProtocol.h"
#include "gps/GpsTypes.h"

// Source kinds of recorded data: the program's own records and XTF.
enum class SourceKind { Dsx = 0, Ss2 = 1, Xtf = 2 };

// The largest ping any layout can describe: two sides of a 16-bit sample count. Larger counts in
// a file are damage, not data.
constexpr int kMaxSamplesTotal = 2 * 65535;
// The display splits a ping into two sides; a ping needs at least one sample on each.
constexpr int kMinSamplesTotal = 2;

// One ping as the record codecs see it: what the recorder hands over for writing, and what a
// decoded record gives to playback. Decoding overwrites only what the layout carries; the rest of
// the record keeps its previous values (XTF, for one, stores no head header and no mode outside
// the three known frequencies).
struct PingRecord {
    std::uint32_t pingNumber = 0;
    std::uint8_t rangeIndex = 9;
    std::uint8_t modeFreq = 0;
    std::uint8_t dataGain = 70;
    std::uint8_t gainBalance = 30;
    std::uint32_t pingIntervalMs = 0;

    // "%02d-%s-%04d", "%02d:%02d:%02d", ".%03d"
    std::string dateText;
    std::string timeText;
    std::string millisecondText;

    // The 12 head header bytes and the samples, port half reversed; samplesTotal is its size.
    PingBuffer ping{0};

    GpsSentenceSet sentenceSet = GpsSentenceSet::GllVtg;
    GpsFix fix;  // tickSentences are the sentences stored with the ping
    GpsText gpsText;
    // Writing: GPS input is enabled and the reader exists. Reading .ss2: the record says GPS data
    // was present.
    bool gpsInput = false;

    // What the last decode filled in.
    struct Stored {
        bool header = false;     // ping bytes 0..11
        bool sentences = false;  // fix.tickSentences and sentenceSet
        bool gps = false;        // gpsText and the fix's position, speed and heading
    } stored;
};
