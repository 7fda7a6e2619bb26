// Playback: opening a file, playing it one ping per idle turn, the playback bar.
#include <algorithm>
#include <filesystem>

#include "datafile/PlaybackEngine.h"
#include "datafile/RecordNaming.h"
#include "document/CKeelbrookDoc.h"

namespace {
constexpr const char* kOpenTitle = "Open Data File:";
constexpr const char* kNotOurXtf = "This is not a Marovant Keelbrook.exe recorded file!    ";
constexpr const char* kCopyStart = "Copy Start...";
constexpr const char* kCopyStop = "Copy Stop...";

std::string fileNamePart(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::string folderOf(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}
}  // namespace

void CKeelbrookDoc::openFileForPlayback(const std::string& path) {
    askOnOpen_ = false;
    nextOpenPath_ = path;
    OpenForPlayback();
}

void CKeelbrookDoc::OpenForPlayback() {
    saveSettingsFile();
    std::string path;
    int filterIndex = settings_.readFilterIndex;
    if (askOnOpen_) {
        const std::optional<FileChoice> choice = ports_.prompts.askOpenFile(
            {kOpenTitle, dataFileFilters(), settings_.readFileDir, settings_.readFilterIndex, {}});
        recentIndex_ = 0;
        if (!choice) {
            return;
        }
        path = choice->path;
        filterIndex = choice->filterIndex;
    } else {
        path = nextOpenPath_;
        askOnOpen_ = true;
    }

    const std::optional<SourceKind> kind = RecordNaming::kindOfName(path);
    if (!kind) {
        ports_.prompts.message(RecordNaming::kUnknownTypeMessage, MessageIcon::Error);
        recentIndex_ = 0;
        return;
    }
    closeAllFiles();
    recording_ = false;
    // Read only, and the file's attributes stay as they are: playing a recording never risks it.
    PlaybackOpen opened = PlaybackEngine::open(path, *kind);
    switch (opened.status) {
        case PlaybackOpen::Status::CannotOpen:
            failOpen("Cannot open the file:\n" + path);
            return;
        case PlaybackOpen::Status::NotOurFile:
            failOpen(kNotOurXtf);
            return;
        case PlaybackOpen::Status::NoData:
            ports_.prompts.message(PlaybackEngine::kNoDataMessage, MessageIcon::Warning);
            // The playback flag stays as it was, so Connect and Reconnect keep their enabling.
            title_ = "Real Time";
            ports_.frame.setDocumentTitle(title_);
            restartGpsPolling();
            recentIndex_ = 0;
            return;
        case PlaybackOpen::Status::Ok:
            break;
    }
    startPlayback(std::move(opened.engine), path, filterIndex);
}

void CKeelbrookDoc::failOpen(const std::string& message) {
    ports_.prompts.message(message, MessageIcon::Error);
    playback_ = false;
    restartGpsPolling();
    recentIndex_ = 0;
}

void CKeelbrookDoc::startPlayback(std::unique_ptr<PlaybackEngine> engine, const std::string& path,
                                  int filterIndex) {
    player_ = std::move(engine);
    playback_ = true;
    pipeline_.clearImage();
    Disconnect();
    ports_.timers.stop(TimerId::GpsRead);
    gps_.enterPlayback();

    player_->setSpeed(settings_.playbackSpeed);
    pacer_.setSpeed(player_->speed());
    pacer_.restart(ports_.clock.tickCount());
    ports_.frame.setupPlaybackBar(player_->speed());
    ports_.frame.applyDefaultLayout();
    playName_ = fileNamePart(path);
    playPath_ = path;
    targets_.restartCourse();
    title_ = "Playback (" + playName_ + ")";
    ports_.frame.setDocumentTitle(title_);
    settings_.readFileDir = folderOf(path);
    settings_.readFilterIndex = filterIndex;

    ports_.frame.setMenuText(CommandId::RecordData, kCopyStart);
    ports_.frame.setMenuText(CommandId::StopRecording, kCopyStop);
    // The first played ping counts as a settings change.
    alarm_.range = alarm_.mode = alarm_.gain = PlaybackEngine::kAlarmUnset;
    player_->resetAlarm();
    if (recentIndex_ == 0) {
        recent_.add(path);
    }
    recentIndex_ = 0;
    ports_.frame.redrawViews();
    ports_.frame.requestIdle();
}

bool CKeelbrookDoc::wantsIdle() const {
    return playback_ && player_ && !hold_ && !player_->dragging();
}

void CKeelbrookDoc::PlayOnePing() {
    if (!playback_ || !player_) {
        return;
    }
    const PlaybackStep step = player_->step(hold_);
    if (step.stop == PlaybackStop::BadRecord) {
        stopPlaybackOnError(RecordReader::kUnknownFormatMessage);
        return;
    }
    if (step.stop == PlaybackStop::NoWholeRecord) {
        stopPlaybackOnError(PlaybackEngine::kNoDataMessage);
        return;
    }
    if (step.sliderValue) {
        ports_.frame.setPlaybackSlider(*step.sliderValue);
    }
    if (step.wrapped) {
        // The wrap shows as a highlight line that scrolls down with the image.
        pipeline_.image().fillRow(1, ColourTables::kHighlightIndex);
        gps_.ResetGpsData();
        targets_.restartCourse();
    }
    if (step.pingRead) {
        takePlayedPing();
        if (step.settingsChanged && settings_.settingsChangeAlarm && ports_.sound) {
            ports_.sound->play(exeDir_ + "ding.wav");
        }
        const PingRecord& rec = player_->ping();
        alarm_.range = rec.rangeIndex;
        alarm_.mode = rec.modeFreq;
        alarm_.gain = rec.dataGain;
        drawPing(player_->kind());
        if (recording_ && recordFile_ && recordFile_->isOpen()) {
            // A copy keeps the ping numbers of the played file.
            writeRecord(rec);
        }
        pacer_.played(ports_.clock.tickCount(), rec, step.redraw);
    }
    if (step.redraw) {
        ports_.frame.redrawViews();
    }
    ports_.frame.refreshDiagnostics();
}

void CKeelbrookDoc::takePlayedPing() {
    const PingRecord& rec = player_->ping();
    ping_ = rec.ping;
    SwitchCommand& cmd = head_.command();
    cmd.setRangeIndex(rec.rangeIndex);
    cmd.setModeFreq(rec.modeFreq);
    cmd.setDataGain(rec.dataGain);
    cmd.setGainBalance(rec.gainBalance);
    dateText_ = rec.dateText;
    timeText_ = rec.timeText;
    msText_ = rec.millisecondText;
    pingIntervalMs_ = rec.pingIntervalMs;
    gps_.takePlayedPing(rec, player_->kind() == SourceKind::Xtf);
    // The stored header is decoded for the diagnostics; a played file gets no handshake.
    decoded_ = decodeHeader(ping_.header());
}

void CKeelbrookDoc::stopPlaybackOnError(const std::string& message) {
    ports_.prompts.message(message, MessageIcon::Error);
    closeAllFiles();
    recording_ = false;
    playback_ = false;
    restartGpsPolling();
}

void CKeelbrookDoc::seekPlaybackSlider(int value) {
    if (player_) {
        gps_.restartTrack();
        targets_.restartCourse();
        player_->seekToSlider(value);
        pacer_.restart(ports_.clock.tickCount());
        ports_.frame.requestIdle();
    }
}

void CKeelbrookDoc::setPlaybackSliderDragging(bool dragging) {
    if (player_) {
        player_->setDragging(dragging);
    }
}

void CKeelbrookDoc::setPlaybackSpeed(int speed) {
    settings_.playbackSpeed = std::clamp(speed, 0, PlaybackEngine::kMaxSpeed);
    pacer_.setSpeed(settings_.playbackSpeed);
    pacer_.restart(ports_.clock.tickCount());
    if (player_) {
        player_->setSpeed(settings_.playbackSpeed);
        ports_.frame.requestIdle();
    }
}

unsigned CKeelbrookDoc::playbackWaitMs() {
    return pacer_.waitMs(ports_.clock.tickCount());
}
