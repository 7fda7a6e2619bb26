#pragma once

#include <cstddef>
#include <optional>
#include <string>

// What the editor's core needs of the platform. The Qt layer implements these; tests use fakes
// that record what was asked.

enum class PromptIcon { None, Information, Question, Exclamation, Error };
enum class PromptButtons { Ok, YesNo, YesNoCancel, RetryCancel };
enum class PromptAnswer { Ok, Yes, No, Cancel, Retry };

class SensorPrompts {
  public:
    virtual ~SensorPrompts() = default;
    virtual PromptAnswer message(const std::string& text, const std::string& title, PromptIcon icon,
                                 PromptButtons buttons) = 0;
    // Configuration file dialogs; nothing when the user cancels. A save dialog asks before
    // overwriting and adds ".cfg" to a name typed without an extension.
    virtual std::optional<std::string> askOpenFile() = 0;
    virtual std::optional<std::string> askSaveFile(const std::string& proposedName) = 0;
};

// The serial line to the sensor. Opening and writing answer at once; received lines reach the
// session on the user-interface thread, in order, whole (CR LF included).
class SensorLink {
  public:
    virtual ~SensorLink() = default;
    // `device` comes from the port number; false when the port cannot be opened at that rate.
    virtual bool open(int portNumber, int baudRate) = 0;
    virtual std::size_t write(const std::string& bytes) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
};

// The one attempt timer the operations use; expiry is reported to the running operation.
class OperationTimer {
  public:
    virtual ~OperationTimer() = default;
    virtual void start(unsigned milliseconds) = 0;
    virtual void stop() = 0;
};
