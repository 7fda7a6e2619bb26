#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "sensorcfg/AttemptWait.h"
#include "sensorcfg/MonitorRows.h"
#include "sensorcfg/SensorButtons.h"
#include "sensorcfg/SensorConfig.h"
#include "sensorcfg/SensorPorts.h"

class CQuorelDoc;
class Profile;

struct SessionPorts {
    SensorLink& link;
    OperationTimer& timer;
    SensorPrompts& prompts;
    SessionUi& ui;
    UtcClock& clock;
    ProcessStarter& processes;
};

// The link to the sensor and every operation run over it: connect with baud detection, upload,
// download with sentence detection, the mode switches, the software update and the sensor
// buttons. Nothing here waits: a command starts its operation and returns, and the operation
// moves on only when one of three events arrives (a line, the attempt timer, the user's
// cancel), so the windows stay responsive and tests drive hours of retries in milliseconds.
// One operation runs at a time; commands that arrive meanwhile are ignored.
class SensorSession : public SensorLinkSink {
  public:
    SensorSession(CQuorelDoc& doc, Profile& profile, SessionPorts ports, std::string homeFolder);
    ~SensorSession() override;
    SensorSession(const SensorSession&) = delete;
    SensorSession& operator=(const SensorSession&) = delete;

    // The events.
    void onLine(const std::string& line) override;
    void onLinkLost() override;
    void onTimer();
    void onCancel();

    // The commands.
    void connect();
    void disconnect();
    void sendConfiguration();
    // The download of a new document made by Get Configuration from GPS.
    void download();
    void switchToNmeaMode();
    void switchToTavrinMode();
    void updateSoftware();
    void pressButton(SensorButton button);
    // What a sensor button does once connected: the sentence sent and its echo awaited, with
    // the wait box shown; `done` follows with the result.
    void sendVerified(const std::string& sentence, std::function<void(bool)> done);

    bool connected() const;
    bool busy() const { return busy_; }
    bool inBinaryMode() const { return inBinaryMode_; }

    // The "NMEA Transmitted Sentences" window: rows start as "..." each time it opens.
    void openMonitor();
    void closeMonitor() { monitorOpen_ = false; }
    bool monitorOpen() const { return monitorOpen_; }
    const MonitorRows& monitor() const { return monitor_; }

  private:
    using Step = std::function<void(bool)>;

    // Counts starts and stops, so a time-out that was already due when a line ended its wait
    // is recognised as stale.
    class Timer : public OperationTimer {
      public:
        explicit Timer(OperationTimer& timer) : timer_(timer) {}
        void start(unsigned ms) override;
        void stop() override;
        unsigned serial() const { return serial_; }

      private:
        OperationTimer& timer_;
        unsigned serial_ = 0;
    };

    struct Exchange {
        std::string sentence;
        std::string expected;
        std::string waitText;
        bool query = false;
    };

    struct ConnectRun {
        bool manual = false;
        bool showAttempts = false;
        int rate = 0;
        int attempt = 0;
        bool success = false;
        Step done;
    };

    SensorConfig& config();
    void begin();
    void end();
    void closeLink();

    // Received lines.
    void handleLine(const std::string& line);
    void detectSentence(const std::string& line);
    void showOnMonitor(const std::string& line);
    void clearMonitor();

    // One sentence sent until it is echoed or answered, with the Retry question.
    void verify(const std::string& sentence, Step done);
    void query(const std::string& sentence, std::size_t replyLength, Step done);
    void exchange(Exchange x, Step done);
    void exchangePass();
    void exchangeAttempt();
    void finishExchange(bool ok);

    // Connect (SensorConnect.cpp).
    void connectThen(Step done);
    void connectPass();
    void tryRate();
    bool openAt(int rate);
    void connectAttempt();
    void rateDone();
    void connectEnd();
    void connectFinish();

    // The operations (SensorOperations.cpp).
    void uploadStep(std::size_t index);
    void getConfig(Step done);
    void readsDone(bool ok);
    void detectSentences(std::function<void()> done);
    void finishDetection(bool keepResult);
    void sendBinaryModeSentence(const std::string& waitPrefix, const std::string& waitSuffix);
    void askUpdateFiles();

    CQuorelDoc& doc_;
    Profile& profile_;
    SensorLink& link_;
    Timer timer_;
    SensorPrompts& prompts_;
    SessionUi& ui_;
    UtcClock& clock_;
    ProcessStarter& processes_;
    std::string home_;

    // The flags of the link and the protocol.
    bool echoed_ = false;
    bool timedOut_ = false;
    bool cancelled_ = false;
    bool changingToNmea_ = false;
    bool inBinaryMode_ = false;
    bool connectingForUpdate_ = false;
    bool downloading_ = false;
    bool detecting_ = false;
    bool busy_ = false;
    std::string expected_;
    std::array<std::int16_t, kSentenceCount> detected_{};
    int gsvCount_ = 0;

    AttemptWait wait_;
    Exchange exchange_;
    Step exchangeDone_;
    int exchangeAttempts_ = 0;
    ConnectRun connect_;
    Step getConfigDone_;
    std::function<void()> detectionDone_;

    MonitorRows monitor_;
    bool monitorOpen_ = false;
};
