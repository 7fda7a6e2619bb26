#include "datafile/PlaybackEngine.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "datafile/FileByteSource.h"

PlaybackOpen PlaybackEngine::open(const std::string& path, SourceKind kind) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return {};
    }
    // Read-only: playing a file never changes it, not even its attributes.
    auto source = std::make_unique<FileByteSource>(path);
    if (!source->isOpen()) {
        return {};
    }
    auto engine = std::make_unique<PlaybackEngine>(std::move(source), kind);
    if (!engine->checkFileHeader()) {
        return {PlaybackOpen::Status::NotOurFile, nullptr};
    }
    if (!hasData(engine->fileLength())) {
        return {PlaybackOpen::Status::NoData, nullptr};
    }
    return {PlaybackOpen::Status::Ok, std::move(engine)};
}

PlaybackEngine::PlaybackEngine(std::unique_ptr<ByteSource> source, SourceKind kind)
    : source_(std::move(source)),
      reader_(*source_, kind),
      kind_(kind),
      fileLength_(source_->size()),
      stepLength_(fileLength_ / kSliderMax),
      position_(reader_.firstPosition()) {}

PlaybackStep PlaybackEngine::step(bool hold) {
    PlaybackStep step;
    if (hold) {
        return step;
    }
    reportSlider(step);
    if (position_ >= fileLength_) {
        wrap(step);
    }
    position_ = std::max(position_, reader_.firstPosition());
    Outcome outcome = readOne();
    // A record cut short is the end of the file; one wrap per step, so a file without a single
    // whole record cannot spin here.
    if (outcome == Outcome::End && position_ != reader_.firstPosition()) {
        wrap(step);
        outcome = readOne();
    }
    if (outcome != Outcome::Ok) {
        step.stop = outcome == Outcome::Bad ? PlaybackStop::BadRecord : PlaybackStop::NoWholeRecord;
        return step;
    }
    step.pingRead = true;
    checkAlarm(step);
    step.redraw = countForRefresh();
    return step;
}

void PlaybackEngine::seekToSlider(int value) {
    // The right end of the bar is the start of the file: released there, playback starts over.
    const int step = value >= kSliderMax ? 0 : std::max(value, 0);
    position_ = reader_.recordStartNear(static_cast<std::uint64_t>(step) * stepLength_);
    // The next step reports the slider value even when it equals the last one reported: the
    // bar shows where the user let go, not where playback now is.
    lastSlider_ = kSliderUnknown;
    dragging_ = false;
}

void PlaybackEngine::setSpeed(int speed) {
    speed_ = std::clamp(speed, 0, kMaxSpeed);
    pingsSinceRefresh_ = 0;
}

void PlaybackEngine::resetAlarm() {
    rangeCopy_ = kAlarmUnset;
    modeCopy_ = kAlarmUnset;
    gainCopy_ = kAlarmUnset;
}

void PlaybackEngine::reportSlider(PlaybackStep& step) {
    const std::uint64_t steps = stepLength_ == 0 ? 0 : position_ / stepLength_;
    const int value = static_cast<int>(std::min<std::uint64_t>(steps, kSliderMax));
    if (value != lastSlider_ && !dragging_) {
        step.sliderValue = value;
        lastSlider_ = value;
    }
}

void PlaybackEngine::wrap(PlaybackStep& step) {
    position_ = reader_.firstPosition();
    rangeCopy_ = kAlarmUnset;
    step.wrapped = true;
}

PlaybackEngine::Outcome PlaybackEngine::readOne() {
    const ReadResult read = reader_.readAt(position_, ping_);
    if (read.status == ReadStatus::Ok) {
        lastRecordLength_ = read.next - position_;
        position_ = read.next;
        return Outcome::Ok;
    }
    return read.status == ReadStatus::EndOfData || endsCutShort() ? Outcome::End : Outcome::Bad;
}

// A record that runs past the end is the interrupted last one of a recording when it claims the
// size the records before it had; a length unlike theirs is damage.
bool PlaybackEngine::endsCutShort() {
    const std::optional<std::uint64_t> length = reader_.cutShortLength(position_);
    return length && (*length == 0 || lastRecordLength_ == 0 || *length == lastRecordLength_);
}

void PlaybackEngine::checkAlarm(PlaybackStep& step) {
    step.settingsChanged = ping_.rangeIndex != rangeCopy_ || ping_.modeFreq != modeCopy_;
    rangeCopy_ = ping_.rangeIndex;
    modeCopy_ = ping_.modeFreq;
    gainCopy_ = ping_.dataGain;
}

// Speed s refreshes after every s-th ping; 0 and 1 after every ping.
bool PlaybackEngine::countForRefresh() {
    ++pingsSinceRefresh_;
    if (pingsSinceRefresh_ >= speed_) {
        pingsSinceRefresh_ = 0;
    }
    return pingsSinceRefresh_ == 0;
}
