#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "datafile/ByteSource.h"
#include "datafile/PingRecord.h"
#include "datafile/RecordReader.h"

enum class PlaybackStop {
    None,
    BadRecord,      // a damaged record: show "Unknown file format!" and end playback
    NoWholeRecord,  // the file holds no record that can be played: show "File has no data!"
};

// What one playback step asks of the caller. When stop is set, nothing else is to be shown.
struct PlaybackStep {
    bool pingRead = false;           // PlaybackEngine::ping() holds the decoded record
    bool wrapped = false;            // back at the first record: mark the image, restart GPS track
    bool settingsChanged = false;    // range or mode differ from the previous ping: alarm sound
    bool redraw = false;             // refresh the views now
    std::optional<int> sliderValue;  // move the playback slider here
    PlaybackStop stop = PlaybackStop::None;
};

class PlaybackEngine;

struct PlaybackOpen {
    enum class Status { Ok, CannotOpen, NotOurFile, NoData };
    Status status = Status::CannotOpen;
    std::unique_ptr<PlaybackEngine> engine;  // Ok only
};

// Plays a recorded data file one ping per step: forwards, wrapping to the first record at the
// end, with the slider, the refresh cadence of the play speed and the settings-change alarm.
class PlaybackEngine {
  public:
    static constexpr char kNoDataMessage[] = "File has no data!";
    // A file of this many bytes or fewer has no data.
    static constexpr std::uint64_t kNoDataMaxBytes = 999;
    static constexpr int kSliderMax = 100;
    static constexpr int kMaxSpeed = 10;
    // An alarm copy no played ping carries, so the next ping counts as a change.
    static constexpr std::uint8_t kAlarmUnset = 255;

    static bool hasData(std::uint64_t fileLength) { return fileLength > kNoDataMaxBytes; }

    // Opens path read-only for playback as a file of kind: CannotOpen when it cannot be read,
    // NotOurFile for an XTF file this program did not write, NoData when it is too short.
    static PlaybackOpen open(const std::string& path, SourceKind kind);

    PlaybackEngine(std::unique_ptr<ByteSource> source, SourceKind kind);
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    // XTF: the file header names this program. The own formats have none and always pass.
    bool checkFileHeader() { return reader_.checkFileHeader(); }

    // Plays one ping; with hold on nothing is read and the position stays.
    PlaybackStep step(bool hold);

    // Jumps to the record start at or next to value (0..100) slider steps; the maximum, like
    // anything beyond it, wraps to the first record. Ends a drag.
    void seekToSlider(int value);
    void setDragging(bool dragging) { dragging_ = dragging; }
    // Clamped to 0..10; the refresh cadence starts over.
    void setSpeed(int speed);
    // The next ping counts as a settings change.
    void resetAlarm();

    const PingRecord& ping() const { return ping_; }
    PingRecord& ping() { return ping_; }
    SourceKind kind() const { return kind_; }
    std::uint64_t fileLength() const { return fileLength_; }
    std::uint64_t position() const { return position_; }
    std::uint64_t stepLength() const { return stepLength_; }
    int speed() const { return speed_; }
    int pingsSinceRefresh() const { return pingsSinceRefresh_; }
    int lastSliderValue() const { return lastSlider_; }
    bool dragging() const { return dragging_; }
    std::uint8_t rangeAlarmCopy() const { return rangeCopy_; }
    std::uint8_t modeAlarmCopy() const { return modeCopy_; }
    std::uint8_t gainAlarmCopy() const { return gainCopy_; }

  private:
    enum class Outcome { Ok, End, Bad };
    static constexpr int kSliderUnknown = -1;

    void reportSlider(PlaybackStep& step);
    void wrap(PlaybackStep& step);
    Outcome readOne();
    bool endsCutShort();
    void checkAlarm(PlaybackStep& step);
    bool countForRefresh();

    std::unique_ptr<ByteSource> source_;
    RecordReader reader_;
    SourceKind kind_;
    std::uint64_t fileLength_;
    std::uint64_t stepLength_;
    std::uint64_t position_;
    std::uint64_t lastRecordLength_ = 0;  // of the last record read whole
    int pingsSinceRefresh_ = 0;
    int speed_ = 0;
    int lastSlider_ = 0;
    bool dragging_ = false;
    std::uint8_t rangeCopy_ = kAlarmUnset;
    std::uint8_t modeCopy_ = kAlarmUnset;
    std::uint8_t gainCopy_ = kAlarmUnset;
    PingRecord ping_;
};
