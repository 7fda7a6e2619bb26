// Recording control: Record Data, writing each ping, Stop Recording, and the File commands.
#include <filesystem>

#include "datafile/PlaybackEngine.h"
#include "datafile/RecordNaming.h"
#include "document/CKeelbrookDoc.h"

namespace {
constexpr const char* kSaveTitle = "Save Keelbrook data File:";
constexpr const char* kAlreadySaving = "Data is already being saved to file.";

int recentIndexOf(CommandId id) {
    return static_cast<int>(id) - static_cast<int>(CommandId::RecentFile1) + 1;
}
}  // namespace

void CKeelbrookDoc::RecordData() {
    if (!playback_) {
        stampTime();  // the name carries today's date
    }
    const std::string folder = settings_.writeFileDir;
    const std::string proposed = RecordNaming::proposedName(
        dateText_, recordFormat_, RecordNaming::listMatching(folder, dateText_, recordFormat_));
    const std::optional<FileChoice> choice = ports_.prompts.askSaveFile(
        {kSaveTitle, dataFileFilters(), folder, settings_.writeFilterIndex, proposed});
    if (!choice) {
        return;
    }
    recordFormat_ = RecordNaming::recordFormatFor(choice->path, recordFormat_);
    if (recording_) {
        ports_.prompts.message(kAlreadySaving, MessageIcon::Warning);
        return;
    }
    std::optional<RecordFile> file =
        RecordFile::create(choice->path, recordFormat_, ping_.samplesTotal());
    if (!file) {
        ports_.prompts.message("Cannot create the file:\n" + choice->path, MessageIcon::Error);
        ports_.prompts.message(RecordFile::kOpenFailedMessage, MessageIcon::Error);
        return;
    }
    recordFile_ = std::move(file);
    recording_ = true;
    const std::filesystem::path chosen(choice->path);
    const std::string name = chosen.filename().string();
    copying_ = playback_;
    title_ = playback_ ? "Playback (" + playName_ + ") - Copy Data to (" + name + ")"
                       : "Real Time - Data Recording to (" + name + ")";
    ports_.frame.setDocumentTitle(title_);
    std::string chosenFolder = chosen.parent_path().string();
    settings_.writeFileDir = chosenFolder.empty() ? chosenFolder : chosenFolder + "/";
    settings_.writeFilterIndex = choice->filterIndex;
    pingNumber_ = 1;
    recent_.add(choice->path);
}

const PingRecord& CKeelbrookDoc::liveRecord() {
    const SwitchCommand& cmd = head_.command();
    PingRecord& r = liveRecord_;
    r.pingNumber = pingNumber_;
    r.rangeIndex = cmd.rangeIndex();
    r.modeFreq = cmd.modeFreq();
    r.dataGain = cmd.dataGain();
    r.gainBalance = cmd.gainBalance();
    r.pingIntervalMs = pingIntervalMs_;
    r.dateText = dateText_;
    r.timeText = timeText_;
    r.millisecondText = msText_;
    r.ping = ping_;
    r.sentenceSet = static_cast<GpsSentenceSet>(settings_.gpsType);
    const SharedGps::Snapshot gps = gps_.shared().snapshot();
    r.fix = gps.fix;
    r.gpsText = gps.text;
    r.gpsInput = gpsInput_;
    return r;
}

void CKeelbrookDoc::writeRecord(const PingRecord& rec) {
    DiskSpace& disk = ports_.disk ? *ports_.disk : systemDisk_;
    switch (recordFile_->writePing(recordWriter_, rec, disk)) {
        case RecordWriteStatus::Ok:
            return;
        case RecordWriteStatus::DiskFull:
            ports_.prompts.message(RecordFile::kDiskFullMessage, MessageIcon::Warning);
            break;
        case RecordWriteStatus::WriteFailed:
        case RecordWriteStatus::PingDoesNotFit:
            // Stop and say so rather than lose pings without a word.
            ports_.prompts.message(RecordFile::kWriteFailedMessage, MessageIcon::Error);
            break;
    }
    StopRecording();
}

void CKeelbrookDoc::StopRecording() {
    recording_ = false;
    if (recordFile_) {
        recordFile_->close();  // an empty file is removed
        recordFile_.reset();
    }
    title_ = playback_ ? "Playback (" + playName_ + ")" : "Real Time";
    ports_.frame.setDocumentTitle(title_);
    copying_ = false;
}

void CKeelbrookDoc::closeAllFiles() {
    player_.reset();
    if (recordFile_) {
        recordFile_->close();
        recordFile_.reset();
    }
    copying_ = false;
}

std::uint64_t CKeelbrookDoc::recordedBytes() const {
    return recordFile_ ? recordFile_->length() : 0;
}

std::uint64_t CKeelbrookDoc::recordedPings() const {
    return recordFile_ ? recordFile_->pingsWritten() : 0;
}

std::optional<bool> CKeelbrookDoc::fileCommandEnabled(CommandId id) const {
    switch (id) {
        case CommandId::Playback:
            return true;
        case CommandId::FileNew:
            return playback_;
        case CommandId::RecordData:
            return !recording_;
        case CommandId::StopRecording:
            return recording_;
        case CommandId::ExportTargets:
            return TargetReport::hasList(targetSourceFile());
        case CommandId::RecentFile1:
        case CommandId::RecentFile2:
        case CommandId::RecentFile3:
        case CommandId::RecentFile4:
            return !recent_.entry(recentIndexOf(id)).empty();
        default:
            return std::nullopt;
    }
}

bool CKeelbrookDoc::executeFileCommand(CommandId id) {
    switch (id) {
        case CommandId::Playback:
            OpenForPlayback();
            return true;
        case CommandId::FileNew:
            return true;  // the one document exists already
        case CommandId::RecordData:
            if (!recording_) {
                RecordData();
            }
            return true;
        case CommandId::StopRecording:
            if (recording_) {
                StopRecording();
            }
            return true;
        case CommandId::ExportTargets:
            if (isEnabled(id)) {
                targets_.exportList(targetSourceFile());
            }
            return true;
        case CommandId::RecentFile1:
        case CommandId::RecentFile2:
        case CommandId::RecentFile3:
        case CommandId::RecentFile4: {
            const int n = recentIndexOf(id);
            nextOpenPath_ = recent_.takeForOpen(n);
            askOnOpen_ = nextOpenPath_.empty();
            recentIndex_ = n;
            OpenForPlayback();
            return true;
        }
        default:
            return false;
    }
}
