// The target report's part of the document: which files a target belongs to, and the ping
// number each row keeps.
#include "datafile/PlaybackEngine.h"
#include "document/CKeelbrookDoc.h"

void CKeelbrookDoc::targetPlaced(const PlacedTarget& target) {
    std::vector<std::string> files;
    if (recording_ && recordFile_ && recordFile_->isOpen()) {
        files.push_back(recordFile_->path());
    }
    // While copying, the played file keeps its own list too: the marks belong to both.
    if (playback_ && player_) {
        files.push_back(playPath_);
    }
    // A mark on rows no ping was drawn into marks nothing.
    if (!files.empty() && target.row.sideLayout != 0) {
        targets_.place(target, files);
    }
}

std::string CKeelbrookDoc::targetSourceFile() const {
    if (recording_ && recordFile_ && recordFile_->isOpen()) {
        return recordFile_->path();
    }
    return playback_ && player_ ? playPath_ : std::string();
}

std::uint32_t CKeelbrookDoc::rowPingNumber() const {
    if (playback_ && player_) {
        return player_->ping().pingNumber;
    }
    // Live, the ping gets the number of the record it is about to be written as.
    return recording_ ? pingNumber_ : 0;
}
