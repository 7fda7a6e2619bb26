#pragma once

#include <string_view>

#include "gps/GpsClock.h"
#include "gps/GpsTypes.h"
#include "gps/RecentSentences.h"
#include "gps/TrackPlot.h"

// Everything the GPS parser reads and writes: the fix and texts the windows and recordings
// show, the track, the recent sentences, and the settings the parser follows. One instance,
// shared by the reader thread and the user-interface thread under SharedGps's lock.
struct GpsData {
    GpsFix fix;
    GpsText text;
    TrackPlot track;
    RecentSentences recent;
    SystemTime clockRecord;
    bool positionParsed = false;
    // Which values the last parsed sentence carried in non-empty fields. The parser reads an
    // empty field as 0, as receivers expect; tools that convert files must tell them apart.
    struct Carried {
        bool position = false, speed = false, heading = false, time = false, date = false;
    } carried;

    GpsSentenceSet sentenceSet = GpsSentenceSet::GllVtg;
    bool utcToLocal = false;
    bool syncRequest = false;  // one-shot: set the clock at the next live sentence with a time
    bool playback = false;
    CivilDate playbackDate;  // the played ping's date, for sentences without one
    int positionsAdded = 0;  // counts track hand-offs, so windows know when to redraw
};

// Takes one sentence as received, from "$" to and including its line feed: checks it, parses
// it when it belongs to the chosen sentence set, and hands a new position to the track. A
// sentence carrying a checksum that does not match is not believed: line noise would otherwise
// draw false positions into the track and the recordings.
void DispatchSentence(std::string_view sentence, GpsData& data, GpsClock& clock);

// The track restarts at the next fix and the recent sentences are emptied; texts and the
// numeric fix stay.
void ResetGpsData(GpsData& data);

// The three characters after the talker ("GGA"), or "" when the text is too short.
std::string_view sentenceName(std::string_view sentence);

// Whether a sentence of this name is parsed with this set (drawn in blue in the port dialog).
bool sentenceInSet(std::string_view name, GpsSentenceSet set);
