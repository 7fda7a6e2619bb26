#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "acquisition/CommandIds.h"
#include "acquisition/Ports.h"
#include "acquisition/SettingsRecord.h"
#include "datafile/PingRecord.h"
#include "gps/GpsPorts.h"
#include "gps/GpsReader.h"
#include "gps/GpsReaderThread.h"
#include "gps/SharedGps.h"

// The GPS input of the document: the chosen source and its opening, the read ping-pong with
// the frame's timer, what playback hands over, the GPS commands. The document owns one and
// calls it at the fixed moments of its work.
class GpsController {
  public:
    // The working values of the port dialog.
    struct PortChoice {
        int comPort = 1;
        SerialLineSettings line;
        int sentenceSet = 0;
        bool useGpsd = false;
        std::string gpsdHost = "localhost";
        int gpsdPort = 2947;
        bool acceptAllTalkers = false;
    };

    GpsController(SettingsRecord& settings, UserPrompts& prompts, FrameUi& frame, Timers& timers);
    ~GpsController();

    // No ports: no GPS at all (nothing is opened, nothing is read).
    void attach(GpsPorts* ports);
    bool attached() const { return ports_ != nullptr; }

    SharedGps& shared() { return shared_; }
    const SharedGps& shared() const { return shared_; }
    GpsReader& reader() { return reader_; }

    // After the settings file was read: parser settings, the track window when it is wanted.
    void settingsLoaded();
    // Opens the chosen source with the stored settings; a failure is said in a message box.
    void OpenGpsPort();
    void closePort();
    bool portOpen() const;
    PortChoice currentChoice() const;
    // The dialog's Apply: reopens the source when it changed (not during playback).
    void applyChoice(const PortChoice& choice, bool playback);
    // The spin of the dialog acts at once.
    void setReadInterval(int ms);

    // Starts the reader thread; onDone must post readDone() to the user-interface thread.
    void startReader(std::function<std::uint32_t()> nowMs, std::function<void()> onDone);
    void stopReader();
    // The frame's read timer expired.
    void onReadTimer(bool playback, bool gpsEnabled);
    // The reader finished a tick.
    void readDone(bool noRxData);
    void restartPolling();

    // Playback: the sentences of a .dsx record go through the parser as if just received.
    void dispatchStored(const std::array<std::string, GpsFix::kTickSentences>& sentences,
                        GpsSentenceSet set);
    // Playback: the texts and numbers an .ss2 or XTF record carries.
    void takeStoredGps(const GpsText& text, const GpsFix& fix, bool xtf);
    void setPlayback(bool on, const std::string& pingDateText);
    // A file opens for playback: the display is reset and the clock request waits.
    void enterPlayback();
    // Back to live data: the track window resets itself.
    void leavePlayback();
    // What a played record carries: its sentences (.dsx) or its texts and numbers (.ss2, XTF).
    void takePlayedPing(const PingRecord& rec, bool xtf);

    void ResetGpsData();
    void restartTrack();
    void EraseGpsTracks();

    std::optional<bool> commandEnabled(CommandId id, bool playback) const;
    std::optional<bool> commandChecked(CommandId id) const;
    // False when the command is not a GPS command.
    bool execute(CommandId id, bool playback);

    // The track window was closed by the user.
    void trackWindowClosed();

  private:
    void syncParserSettings();

    SettingsRecord& settings_;
    UserPrompts& prompts_;
    FrameUi& frame_;
    Timers& timers_;
    GpsPorts* ports_ = nullptr;
    SharedGps shared_;
    std::unique_ptr<GpsClock> clock_;  // the attached clock, or one that sets nothing
    GpsReader reader_;
    std::unique_ptr<GpsReaderThread> thread_;
    int lastPositions_ = 0;
    bool portIsOpen_ = false;
    bool opened_ = false;
    bool runDeviceRules_ = false;  // the run's device is read although the settings say gpsd
};
