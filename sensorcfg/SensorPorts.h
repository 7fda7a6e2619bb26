#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What the editor's core needs of the platform. The Qt layer implements these; tests use fakes
// that record what was asked.

enum class PromptIcon { None, Information, Question, Exclamation, Error };
enum class PromptButtons { Ok, YesNo, YesNoCancel, RetryCancel };
enum class PromptAnswer { Ok, Yes, No, Cancel, Retry };

// One entry of a file dialog's type list, shown as "Region Files (*.rgn)".
struct FileFilter {
    std::string name;
    std::string pattern;
};

class SensorPrompts {
  public:
    virtual ~SensorPrompts() = default;
    virtual PromptAnswer message(const std::string& text, const std::string& title, PromptIcon icon,
                                 PromptButtons buttons) = 0;
    // Configuration file dialogs; nothing when the user cancels. A save dialog asks before
    // overwriting and adds ".cfg" to a name typed without an extension.
    virtual std::optional<std::string> askOpenFile() = 0;
    virtual std::optional<std::string> askSaveFile(const std::string& proposedName) = 0;
    // An open dialog for an existing file of one of the types, starting in `folder`.
    virtual std::optional<std::string> askExistingFile(const std::vector<FileFilter>& filters,
                                                       const std::string& folder) = 0;
};

// Where the serial link hands what it received: on the user-interface thread, in order.
class SensorLinkSink {
  public:
    virtual ~SensorLinkSink() = default;
    // One whole line, CR LF included.
    virtual void onLine(const std::string& line) = 0;
    // The device went away while open (a receiver unplugged); the link is already unusable.
    virtual void onLinkLost() = 0;
};

// The serial line to the sensor: 8N1, no flow control, DTR and RTS on. Opening and writing
// answer at once; received lines reach the sink through deliverPending.
class SensorLink {
  public:
    virtual ~SensorLink() = default;
    virtual void setSink(SensorLinkSink* sink) = 0;
    // The device of port `portNumber` ("COM<n>") at `baudRate`; false when it cannot be opened.
    // An open link is closed first.
    virtual bool open(int portNumber, int baudRate) = 0;
    // A new rate on the open port.
    virtual bool setBaudRate(int baudRate) = 0;
    // The count of bytes written; a write gives up after 1000 ms.
    virtual std::size_t write(const std::string& bytes) = 0;
    // Stops reception; lines received before the close still reach the sink.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Hands every line received so far to the sink. The session calls this before it honours
    // a time-out, so a reply that arrived in time is never taken for a missing one.
    virtual void deliverPending() = 0;
};

// The one attempt timer the operations use; its expiry reaches SensorSession::onTimer.
class OperationTimer {
  public:
    virtual ~OperationTimer() = default;
    virtual void start(unsigned milliseconds) = 0;
    virtual void stop() = 0;
};

struct UtcTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class UtcClock {
  public:
    virtual ~UtcClock() = default;
    virtual UtcTime now() const = 0;
};

// Starts an outside program without waiting for it.
class ProcessStarter {
  public:
    virtual ~ProcessStarter() = default;
    virtual bool startDetached(const std::string& program,
                               const std::vector<std::string>& arguments) = 0;
};

// What the operations show: the main window's state, the "Please Wait" box, the monitor and
// the summary.
class SessionUi {
  public:
    virtual ~SessionUi() = default;
    // True disables the main window while an operation runs; false enables it again and makes
    // it the active window.
    virtual void setBusy(bool busy) = 0;
    // Creates the wait box when it is not shown; its two text lines keep what was set.
    virtual void showWait() = 0;
    virtual void setWaitText(const std::string& text) = 0;
    virtual void setWaitAttempt(const std::string& text) = 0;
    virtual void hideWait() = 0;
    virtual void monitorChanged() = 0;
    virtual void configurationChanged() = 0;
    // Connected or not: the command states follow.
    virtual void linkChanged() = 0;
};
