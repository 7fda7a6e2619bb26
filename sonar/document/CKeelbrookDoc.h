#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "acquisition/CommandIds.h"
#include "acquisition/ConnectionState.h"
#include "acquisition/ExchangeWatchdog.h"
#include "acquisition/HeadProtocol.h"
#include "acquisition/Ports.h"
#include "acquisition/ReturnFramer.h"
#include "acquisition/SettingsRecord.h"
#include "beam/BeamSettingsSource.h"
#include "common/RecentFileList.h"
#include "datafile/DiskSpace.h"
#include "datafile/FilesystemDiskSpace.h"
#include "datafile/PingRecord.h"
#include "datafile/RecordFile.h"
#include "datafile/RecordWriter.h"
#include "display/PingPipeline.h"
#include "display/ViewDocument.h"
#include "document/PlaybackPacer.h"
#include "document/TargetReport.h"
#include "gps/GpsController.h"
#include "gps/GpsTypes.h"

class PlaybackEngine;

// The filters of the open and save dialogs of data files.
std::vector<FileFilter> dataFileFilters();

struct DocPorts {
    SonarLink& link;
    Clock& clock;
    Timers& timers;
    UserPrompts& prompts;
    FrameUi& frame;
    Sound* sound = nullptr;     // none: the alarm stays silent
    DiskSpace* disk = nullptr;  // none: the file system is asked
    GpsPorts* gps = nullptr;    // none: no GPS source is opened (the parser still plays files)
};

// The one document: run-time state of the program, the live exchange with the head, the fixed
// order of work for every ping, recording and playback.
class CKeelbrookDoc : public ViewDocument, public BeamSettingsSource {
  public:
    static constexpr std::uint16_t kHeadPort = 4040;
    static constexpr unsigned kReconnectPauseMs = 5000;
    static constexpr unsigned kConnectTimeoutMs = 15000;

    CKeelbrookDoc(DocPorts ports, std::string exeDir, int screenWidth, int screenHeight);
    ~CKeelbrookDoc();

    // Defaults, then the settings file. True when the file was there.
    bool initialise();

    // The "Connection" dialog and what follows; true when the user chose YES.
    bool Connect();
    void Disconnect();
    void OnConnectResult(bool connected);
    void OnReceive(const std::uint8_t* data, std::size_t len);
    // A socket error while connected. One that ended the connection goes silently the way of a
    // closed connection; any other shows "system error! ".
    void OnReceiveError(bool connectionLost);
    void OnClose();
    void OnTimer(TimerId id);
    void ProcessPing();

    bool isEnabled(CommandId id) const;
    bool isChecked(CommandId id) const;
    // False when the document does not handle the command.
    bool execute(CommandId id);

    bool loadSettingsFile();
    bool saveSettingsFile();

    // The view's client size: the image becomes the width rounded down to a multiple of 4 by
    // the height, cleared. A non-positive size is ignored.
    void resizeImage(int clientWidth, int clientHeight) override;
    PingPipeline& pipeline() { return pipeline_; }
    const PingPipeline& pipeline() const override { return pipeline_; }

    // Playback: the open procedure (the dialog unless a path was given), one ping per idle turn.
    void OpenForPlayback();
    void openFileForPlayback(const std::string& path);
    void PlayOnePing();
    bool wantsIdle() const;
    void seekPlaybackSlider(int value);
    void setPlaybackSliderDragging(bool dragging);
    void setPlaybackSpeed(int speed);
    const PlaybackEngine* player() const { return player_.get(); }
    // Milliseconds until the next idle turn may play a ping (the pace of the play speed).
    unsigned playbackWaitMs();
    PlaybackPacer& pacer() { return pacer_; }

    // Recording.
    void RecordData();
    void StopRecording();
    void closeAllFiles();
    std::uint64_t recordedBytes() const;
    std::uint64_t recordedPings() const;
    SourceKind recordFormat() const { return recordFormat_; }

    RecentFileList& recentFiles() { return recent_; }
    const RecentFileList& recentFiles() const { return recent_; }

    void setPlayback(bool on) { playback_ = on; }
    void setHold(bool on) { hold_ = on; }

    ConnectionState connectionState() const override { return state_; }
    bool playback() const override { return playback_; }
    bool recording() const { return recording_; }
    bool copying() const { return copying_; }
    bool hold() const override { return hold_; }
    bool gpsInput() const { return gpsInput_; }
    GpsController& gps() { return gps_; }
    const GpsController& gps() const { return gps_; }
    const std::string& title() const { return title_; }
    const std::string& settingsPath() const { return settingsPath_; }

    HeadSettings& head() { return head_; }
    const HeadSettings& head() const override { return head_; }
    const PingBuffer& pingBuffer() const { return ping_; }
    PingBuffer& pingBuffer() { return ping_; }
    const DecodedHeader& decoded() const { return decoded_; }
    bool noRxData() const override { return decoded_.noRxData; }
    std::uint32_t pingIntervalMs() const { return pingIntervalMs_; }
    // Returns of an unknown side or garbage, dropped since the document was created.
    std::uint64_t discardedReturns() const { return discardedReturns_; }
    std::uint16_t connectPort() const { return port_; }
    const std::string& ipAddress() const { return settings_.ipAddress; }
    // The address the "Connection" dialog offers instead of the stored one until a YES stores
    // what the user confirmed (the --head option); the settings file keeps its own meanwhile.
    void offerAddress(const std::string& address) { offeredAddress_ = address; }

    SettingsRecord& settings() { return settings_; }
    const SettingsRecord& settings() const override { return settings_; }
    UserPrompts& prompts() override { return ports_.prompts; }

    // The time texts of the last ping.
    const std::string& dateText() const override { return dateText_; }
    const std::string& timeText() const { return timeText_; }
    const std::string& millisecondText() const { return msText_; }

    struct AlarmCopies {
        int range = 0, mode = 0, gain = 0, balance = 0;
    };
    const AlarmCopies& alarmCopies() const { return alarm_; }

    BeamStartSettings beamStartSettings() const override;

    // Targets: appended to the list beside the file being recorded and the one being played.
    void targetPlaced(const PlacedTarget& target) override;
    // The file whose target list File > Export Targets writes: the recording, else the one
    // played; empty when there is neither.
    std::string targetSourceFile() const;

  private:
    void handleReturn(const std::uint8_t* ret);
    void sendCommand();
    void onWatchdog();
    void stampTime();
    void leavePlaybackForRealTime();
    void finishConnect(bool connected);
    void changeSetting(bool changed);
    void applyLoadedSettings();
    void copyLiveStateToSettings();
    void drawPing(SourceKind kind);
    void restartGpsPolling();
    bool executeFileCommand(CommandId id);
    std::optional<bool> fileCommandEnabled(CommandId id) const;
    bool executeDisplayCommand(CommandId id);
    // Nothing when the command is not a display command.
    std::optional<bool> displayCommandEnabled(CommandId id) const;
    std::optional<bool> displayCommandChecked(CommandId id) const;

    void failOpen(const std::string& message);
    void startPlayback(std::unique_ptr<PlaybackEngine> engine, const std::string& path,
                       int filterIndex);
    void takePlayedPing();
    void stopPlaybackOnError(const std::string& message);
    void writeRecord(const PingRecord& rec);
    std::uint32_t rowPingNumber() const;
    const PingRecord& liveRecord();

    DocPorts ports_;
    FilesystemDiskSpace systemDisk_;
    std::string exeDir_;
    std::string settingsPath_;
    SettingsRecord settings_;
    HeadSettings head_;
    PingPipeline pipeline_;
    PingBuffer ping_;
    ReturnFramer framer_;
    ExchangeWatchdog watchdog_;
    DecodedHeader decoded_;
    AlarmCopies alarm_;
    GpsController gps_;

    ConnectionState state_ = ConnectionState::Offline;
    std::uint16_t port_ = kHeadPort;
    std::uint32_t lastPingTick_ = 0;
    std::uint32_t pingIntervalMs_ = 0;
    std::uint64_t discardedReturns_ = 0;
    bool playback_ = false;
    bool recording_ = false;
    bool copying_ = false;
    bool hold_ = false;
    bool gpsInput_ = true;
    bool reloadSettingsOnConnect_ = false;
    bool receiving_ = false;
    std::string title_ = "Real Time";
    std::optional<std::string> offeredAddress_;
    std::string dateText_, timeText_, msText_;

    // Playback.
    std::unique_ptr<PlaybackEngine> player_;
    PlaybackPacer pacer_;
    std::string playName_;
    std::string playPath_;
    RecentFileList recent_;
    bool askOnOpen_ = true;
    std::string nextOpenPath_;
    int recentIndex_ = 0;

    // Recording.
    RecordWriter recordWriter_;  // lives as long as the program: the .ss2 back-link needs it
    std::optional<RecordFile> recordFile_;
    SourceKind recordFormat_ = SourceKind::Dsx;
    std::uint32_t pingNumber_ = 0;
    PingRecord liveRecord_;

    TargetReport targets_{ports_.prompts};
};
