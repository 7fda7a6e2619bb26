#include "document/CKeelbrookDoc.h"

#include <cstdio>

#include "acquisition/SettingsFile.h"
#include "datafile/PlaybackEngine.h"

namespace {
constexpr const char* kMonths[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                     "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr const char* kRealTimeTitle = "Real Time";

std::string formatText(const char* fmt, int a, int b, int c) {
    char buf[32];
    std::snprintf(buf, sizeof buf, fmt, a, b, c);
    return buf;
}
}  // namespace

CKeelbrookDoc::CKeelbrookDoc(DocPorts ports, std::string exeDir, int screenWidth, int screenHeight)
    : ports_(ports),
      exeDir_(std::move(exeDir)),
      settingsPath_(::settingsPath(exeDir_)),
      settings_(makeDefaultSettings(exeDir_, screenWidth, screenHeight)),
      ping_(head::kLiveSamplesTotal),
      framer_(head::returnLength(head::kLiveSamplesTotal)),
      watchdog_(ports_.timers),
      gps_(settings_, ports.prompts, ports.frame, ports.timers) {
    gps_.attach(ports.gps);
}

CKeelbrookDoc::~CKeelbrookDoc() {
    gps_.stopReader();
    closeAllFiles();
}

std::vector<FileFilter> dataFileFilters() {
    return {{"Keelbrook Data File: (*.dsx)", "*.dsx"}, {"Triton File Format: (*.xtf)", "*.xtf"}};
}

bool CKeelbrookDoc::initialise() {
    title_ = kRealTimeTitle;
    ports_.frame.setDocumentTitle(title_);
    const bool loaded = loadSettingsFile();
    if (!loaded) {
        settings_.gpsTracking = true;
        ports_.frame.showSonarSettings(settings_.settingsDialogVisible);
    }
    gps_.settingsLoaded();
    if (gpsInput_) {
        gps_.OpenGpsPort();
    }
    return loaded;
}

bool CKeelbrookDoc::Connect() {
    const std::optional<std::string> address =
        ports_.prompts.askConnection(offeredAddress_.value_or(settings_.ipAddress));
    if (!address) {
        state_ = ConnectionState::Offline;
        if (!playback_) {
            OpenForPlayback();
        }
        if (!playback_) {
            restartGpsPolling();
        }
        ports_.frame.redrawViews();
        return false;
    }

    reloadSettingsOnConnect_ = playback_;
    if (playback_) {
        leavePlaybackForRealTime();
    }
    state_ = ConnectionState::Connecting;
    gps_.ResetGpsData();
    ports_.frame.redrawViews();

    settings_.ipAddress = *address;
    offeredAddress_.reset();
    port_ = kHeadPort;
    settings_.portNumber = kHeadPort;
    restartGpsPolling();

    ping_.resize(head::kLiveSamplesTotal);
    framer_.setReturnLength(head::returnLength(head::kLiveSamplesTotal));
    // The platform sets no limit of its own on a connection attempt nothing answers.
    ports_.timers.start(TimerId::ConnectTimeout, kConnectTimeoutMs);
    ports_.link.connectTo(settings_.ipAddress, port_);
    return true;
}

void CKeelbrookDoc::leavePlaybackForRealTime() {
    gps_.leavePlayback();
    closeAllFiles();
    recording_ = false;
    ports_.frame.setPlaybackSlider(0);
    pipeline_.clearImage();
    title_ = kRealTimeTitle;
    ports_.frame.setDocumentTitle(title_);
    ports_.frame.setMenuText(CommandId::RecordData, "Record Data...");
    ports_.frame.setMenuText(CommandId::StopRecording, "Stop Recording...");
}

void CKeelbrookDoc::OnConnectResult(bool connected) {
    if (state_ != ConnectionState::Connecting) {
        // A late answer to an attempt that already timed out or was abandoned.
        if (connected) {
            ports_.link.close();
        }
        return;
    }
    ports_.timers.stop(TimerId::ConnectTimeout);
    finishConnect(connected);
}

void CKeelbrookDoc::finishConnect(bool connected) {
    if (connected) {
        state_ = ConnectionState::Connected;
        if (reloadSettingsOnConnect_) {
            loadSettingsFile();
            ports_.frame.showBars(settings_.toolBarVisible, settings_.statusBarVisible);
        }
        head_.armHandshake();
        head_.command().setSideRequest(SwitchCommand::kPort);
        sendCommand();
        lastPingTick_ = ports_.clock.tickCount();
    } else {
        state_ = ConnectionState::NotConnected;
        ports_.link.close();
    }
    reloadSettingsOnConnect_ = false;
    playback_ = false;
    ports_.frame.showPlaybackBar(false);
    ports_.frame.applyDefaultLayout();
    ports_.frame.redrawViews();
}

void CKeelbrookDoc::Disconnect() {
    ports_.timers.stop(TimerId::ConnectTimeout);
    ports_.timers.stop(TimerId::ReconnectPause);
    watchdog_.stop();
    ports_.link.close();
    framer_.clear();
    state_ = ConnectionState::Offline;
}

void CKeelbrookDoc::OnTimer(TimerId id) {
    switch (id) {
        case TimerId::ReconnectPause:
            Connect();
            break;
        case TimerId::ConnectTimeout:
            if (state_ == ConnectionState::Connecting) {
                ports_.link.close();
                finishConnect(false);
            }
            break;
        case TimerId::ExchangeWatchdog:
            onWatchdog();
            break;
        case TimerId::GpsRead:
            gps_.onReadTimer(playback_, gpsInput_);
            break;
    }
}

void CKeelbrookDoc::stampTime() {
    const LocalTime t = ports_.clock.localTime();
    char buf[32];
    const char* month = (t.month >= 1 && t.month <= 12) ? kMonths[t.month - 1] : "???";
    std::snprintf(buf, sizeof buf, "%02d-%s-%04d", t.day, month, t.year);
    dateText_ = buf;
    timeText_ = formatText("%02d:%02d:%02d", t.hour, t.minute, t.second);
    std::snprintf(buf, sizeof buf, ".%03d", t.millisecond);
    msText_ = buf;
}

void CKeelbrookDoc::ProcessPing() {
    stampTime();
    decoded_ = decodeHeader(ping_.header());
    if (!playback_) {
        head_.applyHandshake(decoded_);
    }
    if (!decoded_.noRxData) {
        drawPing(SourceKind::Dsx);
        if (recording_ && recordFile_ && recordFile_->isOpen()) {
            writeRecord(liveRecord());
            ++pingNumber_;
        }
    }
    const std::uint32_t now = ports_.clock.tickCount();
    // Unsigned subtraction stays right across the 49-day wrap of the tick count.
    pingIntervalMs_ = now - lastPingTick_;
    lastPingTick_ = now;
    ports_.frame.refreshDiagnostics();
    if (!hold_) {
        ports_.frame.redrawViews();
    }
}

void CKeelbrookDoc::drawPing(SourceKind kind) {
    if (!pipeline_.hasImage()) {
        return;
    }
    const std::string time = timeText_ + msText_;
    const SharedGps::Snapshot now = gps_.shared().snapshot();
    // The rows show the texts in the status bar's order.
    const GpsText& t = now.text;
    const GpsTextViews gps{t[GpsText::Latitude], t[GpsText::Longitude], t[GpsText::Speed],
                           t[GpsText::Heading],  t[GpsText::Date],      t[GpsText::Time]};
    PingInput in;
    in.samples = ping_.samples();
    in.sampleCount = static_cast<std::size_t>(ping_.samplesTotal());
    in.sourceKind = static_cast<int>(kind);
    in.rangeIndex = head_.command().rangeIndex();
    in.mode = head_.command().modeFreq();
    in.timeText = time;
    in.dateText = dateText_;
    in.gpsTexts = &gps;
    in.nav = targets_.navOf(now.fix, now.text, rowPingNumber());
    in.speedKnots = now.fix.speedKnots;
    in.pingIntervalMs = pingIntervalMs_;
    pipeline_.processPing(in);
}

void CKeelbrookDoc::resizeImage(int clientWidth, int clientHeight) {
    if (clientWidth <= 0 || clientHeight <= 0) {
        return;
    }
    pipeline_.resize(clientWidth / 4 * 4, clientHeight);
    gps_.ResetGpsData();
    if (playback_ && player_) {
        drawPing(player_->kind());  // so a resized window does not stand empty while playing
    }
}

void CKeelbrookDoc::restartGpsPolling() {
    gps_.setPlayback(false, {});
    if (gpsInput_) {
        ports_.timers.start(TimerId::GpsRead, static_cast<unsigned>(settings_.gpsReadInterval));
    }
}

bool CKeelbrookDoc::isEnabled(CommandId id) const {
    const bool idle = state_ == ConnectionState::NotConnected || state_ == ConnectionState::Offline;
    switch (id) {
        case CommandId::Reconnect:
            return !playback_ && idle;
        case CommandId::ConnectToSonarHead:
            return playback_;
        case CommandId::IncreaseRange:
        case CommandId::DecreaseRange:
        case CommandId::IncreaseGain:
        case CommandId::DecreaseGain:
            return !playback_;
        case CommandId::Hold:
            return true;
        default:
            if (const std::optional<bool> file = fileCommandEnabled(id)) {
                return *file;
            }
            if (const std::optional<bool> gps = gps_.commandEnabled(id, playback_)) {
                return *gps;
            }
            return displayCommandEnabled(id).value_or(false);
    }
}

bool CKeelbrookDoc::isChecked(CommandId id) const {
    if (id == CommandId::Hold) {
        return hold_;
    }
    if (const std::optional<bool> gps = gps_.commandChecked(id)) {
        return *gps;
    }
    return displayCommandChecked(id).value_or(false);
}

bool CKeelbrookDoc::execute(CommandId id) {
    const bool idle = state_ == ConnectionState::NotConnected || state_ == ConnectionState::Offline;
    switch (id) {
        case CommandId::Reconnect:
            if (isEnabled(id)) {
                ports_.link.close();
                saveSettingsFile();
                Connect();
            }
            return true;
        case CommandId::ConnectToSonarHead:
            if (isEnabled(id) && idle) {
                ports_.link.close();
                Connect();
            }
            return true;
        case CommandId::IncreaseRange:
            changeSetting(isEnabled(id) && head_.rangeUp());
            return true;
        case CommandId::DecreaseRange:
            changeSetting(isEnabled(id) && head_.rangeDown());
            return true;
        case CommandId::IncreaseGain:
            changeSetting(isEnabled(id) && head_.gainUp());
            return true;
        case CommandId::DecreaseGain:
            changeSetting(isEnabled(id) && head_.gainDown());
            return true;
        case CommandId::Hold:
            hold_ = !hold_;
            if (hold_) {
                pipeline_.hold();
            } else if (wantsIdle()) {
                pacer_.restart(ports_.clock.tickCount());
                ports_.frame.requestIdle();  // playback resumes where it stood
            }
            ports_.frame.redrawViews();
            return true;
        default:
            return executeFileCommand(id) || gps_.execute(id, playback_) ||
                   executeDisplayCommand(id);
    }
}

void CKeelbrookDoc::changeSetting(bool changed) {
    if (!changed) {
        return;
    }
    ports_.frame.refreshDiagnostics();
    ports_.frame.refreshSonarSettings();
    ports_.frame.redrawViews();
    ports_.frame.refreshStatus();
}

bool CKeelbrookDoc::loadSettingsFile() {
    SettingsRecord loaded = settings_;
    if (!loadSettings(settingsPath_, loaded)) {
        return false;
    }
    settings_ = loaded;
    applyLoadedSettings();
    return true;
}

void CKeelbrookDoc::applyLoadedSettings() {
    SwitchCommand& cmd = head_.command();
    // Values are not range-checked on load; the head sees the byte the file gives.
    cmd.setRangeIndex(static_cast<std::uint8_t>(settings_.range));
    cmd.setModeFreq(static_cast<std::uint8_t>(settings_.mode));
    cmd.setDataGain(static_cast<std::uint8_t>(settings_.dataGain));
    cmd.setGainBalance(static_cast<std::uint8_t>(settings_.gainBalance));
    alarm_ = {settings_.range, settings_.mode, settings_.dataGain, settings_.gainBalance};
    // An unknown table index keeps the current table rather than reading past the tables.
    pipeline_.selectColourTable(settings_.colorTable);
    pipeline_.settings().setSpeedCorrection(settings_.speedCorrectionEnabled);
    pipeline_.settings().setColourIndicatorShown(settings_.showColorIndicator);
    ports_.frame.showSonarSettings(settings_.settingsDialogVisible);
    head_.armHandshake();
}

void CKeelbrookDoc::copyLiveStateToSettings() {
    const DisplaySettings& display = pipeline_.settings();
    settings_.colorTable = display.colourTable();
    settings_.speedCorrectionEnabled = display.speedCorrection();
    settings_.showColorIndicator = display.colourIndicatorShown();
    const SwitchCommand& cmd = head_.command();
    settings_.range = cmd.rangeIndex();
    settings_.mode = cmd.modeFreq();
    settings_.dataGain = cmd.dataGain();
    settings_.gainBalance = cmd.gainBalance();
}

BeamStartSettings CKeelbrookDoc::beamStartSettings() const {
    const SwitchCommand& cmd = head_.command();
    return {cmd.rangeIndex(), cmd.modeFreq(), cmd.dataGain(), settings_.units};
}

bool CKeelbrookDoc::saveSettingsFile() {
    copyLiveStateToSettings();
    return saveSettings(settingsPath_, settings_, playback_);
}
