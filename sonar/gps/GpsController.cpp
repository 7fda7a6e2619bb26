#include "gps/GpsController.h"

#include <algorithm>

#include "datafile/PingTime.h"
#include "gps/GpsTime.h"
#include "gps/NmeaText.h"
#include "gps/TrackView.h"

namespace {
constexpr int kMinReadInterval = 100;
constexpr int kMaxReadInterval = 2000;

// The attached clock, or, before one is attached, a clock that reads the epoch and sets nothing.
class ForwardClock : public GpsClock {
  public:
    explicit ForwardClock(GpsPorts* const& ports) : ports_(ports) {}
    SystemTime utcNow() override { return ports_ ? ports_->clock.utcNow() : SystemTime{}; }
    CivilDate localDate() override {
        return ports_ ? ports_->clock.localDate() : CivilDate{1970, 1, 1};
    }
    bool setUtc(const SystemTime& t) override { return ports_ && ports_->clock.setUtc(t); }

  private:
    GpsPorts* const& ports_;
};

// "hh:mm:ss" and "dd-MON-yyyy" back into numbers; year 0 when the date is not known.
GpsTimeInput timeOfTexts(const GpsText& text) {
    const PingTime t = parsePingTime(text[GpsText::Date] == kGpsNotAvailable
                                         ? std::string_view{}
                                         : std::string_view(text[GpsText::Date]),
                                     text[GpsText::Time], "");
    return {t.hour, t.minute, t.second, t.month == 0 ? 0 : t.year, t.month, t.day};
}
}  // namespace

GpsController::GpsController(SettingsRecord& settings, UserPrompts& prompts, FrameUi& frame,
                             Timers& timers)
    : settings_(settings),
      prompts_(prompts),
      frame_(frame),
      timers_(timers),
      clock_(std::make_unique<ForwardClock>(ports_)),
      reader_(shared_, *clock_) {}

GpsController::~GpsController() {
    stopReader();
}

void GpsController::attach(GpsPorts* ports) {
    ports_ = ports;
}

void GpsController::settingsLoaded() {
    syncParserSettings();
    shared_.with([&](GpsData& d) { d.syncRequest = settings_.autoSynchronizeWithGpsTime; });
    if (ports_ && settings_.gpsTracking && !ports_->ui.trackWindowOpen()) {
        ports_->ui.showTrackWindow();
    }
}

void GpsController::syncParserSettings() {
    shared_.with([&](GpsData& d) {
        d.sentenceSet = static_cast<GpsSentenceSet>(settings_.gpsType);
        d.utcToLocal = settings_.convertUtcToLocalTime;
    });
    reader_.setAcceptAllTalkers(settings_.acceptAllGnssTalkers);
}

void GpsController::OpenGpsPort() {
    if (!ports_) {
        return;
    }
    closePort();
    // A device named for this run wins over gpsd at start-up; later the dialog's choice rules.
    if (!opened_ && ports_->sources.deviceForThisRun()) {
        runDeviceRules_ = true;
    }
    opened_ = true;
    if (settings_.gpsUseGpsd && !runDeviceRules_) {
        std::unique_ptr<ByteStream> s =
            ports_->sources.openGpsd(settings_.gpsdHost, settings_.gpsdPort);
        if (!s) {
            prompts_.message(nmea::format("gpsd at %s:%d is not available. \nPlease start gpsd "
                                          "or choose a COM port!",
                                          settings_.gpsdHost.c_str(), settings_.gpsdPort),
                             MessageIcon::Warning);
            return;
        }
        reader_.setSource(std::move(s));
        portIsOpen_ = true;
        return;
    }
    const SerialLineSettings line{settings_.baudRate, settings_.dataBits, settings_.stopBits,
                                  settings_.parity, settings_.flow};
    SerialPort::OpenResult result = SerialPort::OpenResult::Unavailable;
    std::unique_ptr<ByteStream> s = ports_->sources.openSerial(settings_.gpsCommPort, line, result);
    if (!s || result == SerialPort::OpenResult::Unavailable) {
        prompts_.message(nmea::format("COM%d is not available. \nPlease choose another COM port!",
                                      settings_.gpsCommPort),
                         MessageIcon::Warning);
        return;
    }
    if (result == SerialPort::OpenResult::SettingsFailed) {
        prompts_.message(
            nmea::format("COM%d failed! \nPlease check its settings.", settings_.gpsCommPort),
            MessageIcon::Warning);
    }
    reader_.setSource(std::move(s));
    portIsOpen_ = true;
}

void GpsController::closePort() {
    reader_.setSource(nullptr);  // waits for a read in flight
    portIsOpen_ = false;
}

bool GpsController::portOpen() const {
    return portIsOpen_;
}

GpsController::PortChoice GpsController::currentChoice() const {
    PortChoice c;
    c.comPort = settings_.gpsCommPort;
    c.line = {settings_.baudRate, settings_.dataBits, settings_.stopBits, settings_.parity,
              settings_.flow};
    c.sentenceSet = settings_.gpsType;
    c.useGpsd = settings_.gpsUseGpsd && !runDeviceRules_;
    c.gpsdHost = settings_.gpsdHost;
    c.gpsdPort = settings_.gpsdPort;
    c.acceptAllTalkers = settings_.acceptAllGnssTalkers;
    return c;
}

void GpsController::applyChoice(const PortChoice& c, bool playback) {
    const PortChoice was = currentChoice();
    const bool portChanged =
        c.comPort != was.comPort || c.line.baudRate != was.line.baudRate ||
        c.line.dataBits != was.line.dataBits || c.line.stopBits != was.line.stopBits ||
        c.line.parity != was.line.parity || c.useGpsd != was.useGpsd ||
        (c.useGpsd && (c.gpsdHost != was.gpsdHost || c.gpsdPort != was.gpsdPort));
    settings_.gpsCommPort = c.comPort;
    settings_.baudRate = c.line.baudRate;
    settings_.dataBits = c.line.dataBits;
    settings_.stopBits = c.line.stopBits;
    settings_.parity = c.line.parity;
    settings_.gpsUseGpsd = c.useGpsd;
    runDeviceRules_ = false;
    settings_.gpsdHost = c.gpsdHost;
    settings_.gpsdPort = c.gpsdPort;
    if (c.acceptAllTalkers != was.acceptAllTalkers) {
        settings_.acceptAllGnssTalkers = c.acceptAllTalkers;
        reader_.setAcceptAllTalkers(c.acceptAllTalkers);
    }
    if (portChanged && !playback) {
        OpenGpsPort();
        ResetGpsData();
    }
    if (c.sentenceSet != was.sentenceSet) {
        settings_.gpsType = c.sentenceSet;
        syncParserSettings();
        ResetGpsData();
    }
}

void GpsController::setReadInterval(int ms) {
    settings_.gpsReadInterval = std::clamp(ms, kMinReadInterval, kMaxReadInterval);
}

void GpsController::startReader(std::function<std::uint32_t()> nowMs,
                                std::function<void()> onDone) {
    if (!thread_) {
        thread_ = std::make_unique<GpsReaderThread>(reader_, std::move(nowMs), std::move(onDone));
    }
}

void GpsController::stopReader() {
    thread_.reset();
}

void GpsController::onReadTimer(bool playback, bool gpsEnabled) {
    timers_.stop(TimerId::GpsRead);
    if (playback || !gpsEnabled) {
        return;  // reading stays stopped until someone starts the timer again
    }
    if (thread_) {
        thread_->requestRead();
    } else {
        // No thread (tests, tools): the tick runs here and the answer comes at once.
        reader_.tick(0);
        readDone(false);
    }
}

void GpsController::readDone(bool noRxData) {
    const auto [seen, positions] = shared_.with([](const GpsData& d) {
        return std::pair{d.fix.sentenceSeen != 0, d.positionsAdded};
    });
    if (noRxData && seen) {
        frame_.redrawViews();  // the GPS texts refresh while no pings are drawn
    }
    if (ports_) {
        ports_->ui.sentencesChanged();
        if (positions != lastPositions_) {
            lastPositions_ = positions;
            ports_->ui.trackChanged();
        }
    }
    restartPolling();
}

void GpsController::restartPolling() {
    timers_.start(TimerId::GpsRead, static_cast<unsigned>(settings_.gpsReadInterval));
}

void GpsController::dispatchStored(const std::array<std::string, GpsFix::kTickSentences>& sentences,
                                   GpsSentenceSet set) {
    settings_.gpsType = static_cast<int>(set);  // the file's set replaces the setting
    GpsClock& clock = *clock_;
    shared_.with([&](GpsData& d) {
        d.sentenceSet = set;
        for (std::size_t i = 0; i < sentences.size(); ++i) {
            d.recent.setSlot(i, sentences[i]);
            DispatchSentence(sentences[i], d, clock);
        }
    });
    if (ports_) {
        ports_->ui.sentencesChanged();
        ports_->ui.trackChanged();
    }
}

void GpsController::takeStoredGps(const GpsText& text, const GpsFix& fix, bool xtf) {
    GpsClock& clock = *clock_;
    const bool added = shared_.with([&](GpsData& d) {
        d.text = text;
        d.fix.latitude = fix.latitude;
        d.fix.longitude = fix.longitude;
        d.fix.latitudeHemisphere = fix.latitudeHemisphere;
        d.fix.longitudeHemisphere = fix.longitudeHemisphere;
        d.fix.speedKnots = fix.speedKnots;
        d.fix.headingDegrees = fix.headingDegrees;
        if (!xtf && d.utcToLocal && text[GpsText::Time] != kGpsNotAvailable) {
            ConvertGpsTime(timeOfTexts(text), d.playbackDate, clock, d.text, d.clockRecord);
        }
        if (xtf && fix.latitude != 0.0) {
            d.track.AddTrackPoint(fix.latitude, fix.longitude, d.fix.trackRestart != 0);
            d.fix.trackRestart = 0;
            ++d.positionsAdded;
            return true;
        }
        return false;
    });
    if (added && ports_) {
        ports_->ui.trackChanged();
    }
}

void GpsController::setPlayback(bool on, const std::string& pingDateText) {
    const PingTime t = parsePingTime(pingDateText, "", "");
    shared_.with([&](GpsData& d) {
        d.playback = on;
        d.playbackDate = {t.year, t.month, t.day};
    });
}

void GpsController::enterPlayback() {
    ResetGpsData();
    shared_.with([](GpsData& d) { d.playback = true; });
}

void GpsController::leavePlayback() {
    shared_.with([](GpsData& d) { d.playback = false; });
    if (ports_ && ports_->ui.trackWindowOpen()) {
        ports_->ui.resetTrackView();
    }
}

void GpsController::takePlayedPing(const PingRecord& rec, bool xtf) {
    if (rec.stored.sentences) {
        setPlayback(true, rec.dateText);
        dispatchStored(rec.fix.tickSentences, rec.sentenceSet);
    }
    if (rec.stored.gps) {
        takeStoredGps(rec.gpsText, rec.fix, xtf);
    }
}

void GpsController::ResetGpsData() {
    shared_.with([](GpsData& d) { ::ResetGpsData(d); });
    if (ports_) {
        ports_->ui.sentencesChanged();
    }
    frame_.redrawViews();
}

void GpsController::restartTrack() {
    shared_.with([](GpsData& d) { d.fix.trackRestart = 1; });
}

void GpsController::EraseGpsTracks() {
    shared_.with([](GpsData& d) { d.track.erase(); });
    ResetGpsData();
    if (ports_ && ports_->ui.trackWindowOpen()) {
        ports_->ui.resetTrackView();
    }
    restartTrack();
}

std::optional<bool> GpsController::commandEnabled(CommandId id, bool playback) const {
    switch (id) {
        case CommandId::GpsEnabled:
            return false;  // no command behind it
        case CommandId::ShowGpsTrackPlotter:
            return !(ports_ && ports_->ui.trackWindowOpen());
        case CommandId::SynchronizeWithGpsTime:
            return !playback;
        case CommandId::GpsCommPortSettings:
        case CommandId::GpsZoomIn:
        case CommandId::GpsZoomOut:
        case CommandId::EraseGpsTracks:
        case CommandId::ConvertUtcToLocalTime:
            return true;
        default:
            return std::nullopt;
    }
}

std::optional<bool> GpsController::commandChecked(CommandId id) const {
    if (id == CommandId::ConvertUtcToLocalTime) {
        return settings_.convertUtcToLocalTime;
    }
    if (id == CommandId::SynchronizeWithGpsTime) {
        return shared_.with([](const GpsData& d) { return d.syncRequest; });
    }
    return std::nullopt;
}

bool GpsController::execute(CommandId id, bool playback) {
    switch (id) {
        case CommandId::GpsEnabled:
            return true;
        case CommandId::ShowGpsTrackPlotter:
            if (ports_ && !ports_->ui.trackWindowOpen()) {
                settings_.gpsTracking = true;
                ports_->ui.showTrackWindow();
            }
            return true;
        case CommandId::GpsCommPortSettings:
            if (ports_) {
                ports_->ui.showPortDialog();
            }
            return true;
        case CommandId::GpsZoomIn:
        case CommandId::GpsZoomOut:
            settings_.gpsZoom = id == CommandId::GpsZoomIn ? track_zoom::zoomIn(settings_.gpsZoom)
                                                           : track_zoom::zoomOut(settings_.gpsZoom);
            frame_.redrawViews();
            if (ports_) {
                ports_->ui.trackChanged();
            }
            return true;
        case CommandId::EraseGpsTracks:
            EraseGpsTracks();
            return true;
        case CommandId::ConvertUtcToLocalTime:
            settings_.convertUtcToLocalTime = !settings_.convertUtcToLocalTime;
            syncParserSettings();
            return true;
        case CommandId::SynchronizeWithGpsTime:
            if (!playback) {
                shared_.with([](GpsData& d) { d.syncRequest = true; });
            }
            return true;
        default:
            return false;
    }
}

void GpsController::trackWindowClosed() {
    settings_.gpsTracking = false;
}
