#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "acquisition/CommandIds.h"

// What the document needs of the platform. The Qt layer implements these; tests use fakes that
// record what was asked.

// The TCP link to the head. connectTo() returns at once; the outcome arrives as
// CKeelbrookDoc::OnConnectResult, bytes as OnReceive, the head's close as OnClose.
class SonarLink {
  public:
    virtual ~SonarLink() = default;
    virtual void connectTo(const std::string& host, std::uint16_t port) = 0;
    virtual void send(const std::uint8_t* data, std::size_t len) = 0;
    // Closes the connection (or abandons an attempt) without reporting OnClose.
    virtual void close() = 0;
};

struct LocalTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime localTime() = 0;
    // Milliseconds since system start, wrapping at 32 bits.
    virtual std::uint32_t tickCount() = 0;
};

// One-shot timers; expiry arrives as CKeelbrookDoc::OnTimer.
enum class TimerId {
    GpsRead = 1,           // the frame's GPS poll
    ReconnectPause = 2,    // the pause after the head closed the connection
    ConnectTimeout = 3,    // bounds a connection attempt nothing answers
    ExchangeWatchdog = 4,  // a head that stops answering on an open connection
};

class Timers {
  public:
    virtual ~Timers() = default;
    virtual void start(TimerId id, unsigned milliseconds) = 0;
    virtual void stop(TimerId id) = 0;
};

enum class MessageIcon { Information, Warning, Error };

struct FileFilter {
    std::string label;    // "Keelbrook Data File: (*.dsx)"
    std::string pattern;  // "*.dsx"
};

struct FileDialogRequest {
    std::string title;
    std::vector<FileFilter> filters;
    std::string folder;
    int filterIndex = 0;       // 0-based
    std::string proposedName;  // save dialogs only
};

struct FileChoice {
    std::string path;
    int filterIndex = 0;
};

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    // The "Connection" dialog: the address to connect to on YES, nothing on NO.
    virtual std::optional<std::string> askConnection(const std::string& ipAddress) = 0;
    virtual void message(const std::string& text, MessageIcon icon) = 0;
    // Nothing when the user cancels.
    virtual std::optional<FileChoice> askOpenFile(const FileDialogRequest& request) = 0;
    // The dialog asks before overwriting and appends the chosen filter's extension to a name
    // typed without one.
    virtual std::optional<FileChoice> askSaveFile(const FileDialogRequest& request) = 0;
};

// Plays a short sound file without waiting for it.
class Sound {
  public:
    virtual ~Sound() = default;
    virtual void play(const std::string& path) = 0;
};

// The windows that show the document.
class FrameUi {
  public:
    virtual ~FrameUi() = default;
    virtual void redrawViews() = 0;
    virtual void refreshStatus() = 0;
    virtual void refreshDiagnostics() = 0;
    // The modeless sonar settings dialog: shown (made on first use) or hidden; the document's
    // "Settings Dialog Visible" flag is the caller's to keep.
    virtual void showSonarSettings(bool visible) = 0;
    // The settings changed elsewhere (toolbar, units): an open dialog shows them again.
    virtual void refreshSonarSettings() = 0;
    virtual void setDocumentTitle(const std::string& title) = 0;
    virtual void setMenuText(CommandId id, const std::string& text) = 0;
    virtual void showPlaybackBar(bool visible) = 0;
    // The toolbar and the status bars as the settings say.
    virtual void showBars(bool toolBar, bool statusBars) = 0;
    virtual void applyDefaultLayout() = 0;
    // The file playback bar for a newly opened file: slider at 0, the play speed shown.
    virtual void setupPlaybackBar(int playSpeed) = 0;
    virtual void setPlaybackSlider(int value) = 0;
    // Playback wants idle time: one ping per idle turn of the event loop until it stops asking.
    virtual void requestIdle() = 0;
};
