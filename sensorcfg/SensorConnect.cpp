// Connect: the sensor is looked for at one chosen rate or at every rate from 38400 down, by
// sending the probe sentence and waiting for its echo.
#include <cstdio>

#include "sensorcfg/CQuorelDoc.h"
#include "sensorcfg/Profile.h"
#include "sensorcfg/SensorSentences.h"
#include "sensorcfg/SensorSession.h"

namespace {
namespace ss = sensor_sentences;
namespace keys = profile_keys;
constexpr int kAttemptsPerRate = 5;
constexpr int kFirstRate = 38400;
constexpr int kLowestRate = 300;
constexpr int kNmeaRate = 9600;
constexpr const char* kAutoTitle = "Auto Baud Rate Detection";
constexpr const char* kManualTitle = "Manual Baud Rate Detection";

// (19200 / rate) x 100 ms: 6400 ms at 300 bps down to 0 at 38400; the 500 ms pause after the
// write always comes first.
unsigned attemptLimitMs(int rate) {
    return static_cast<unsigned>(19200 / rate) * 100;
}

std::string withNumber(const char* fmt, int n) {
    char text[64];
    std::snprintf(text, sizeof text, fmt, n);
    return text;
}
}  // namespace

void SensorSession::connect() {
    if (!busy_ && !connected()) {
        connectThen(nullptr);
    }
}

void SensorSession::connectThen(Step done) {
    connect_ = ConnectRun{};
    connect_.done = std::move(done);
    busy_ = true;
    ui_.setBusy(true);
    connectPass();
}

void SensorSession::connectPass() {
    echoed_ = false;
    cancelled_ = false;
    connect_.success = false;
    ui_.showWait();
    connect_.showAttempts =
        profile_.readInt(keys::kCommunications, keys::kDisplayNumberAttempts, 0) != 0;
    const int selector = changingToNmea_
                             ? profile_.readInt(keys::kCommunications, keys::kAutoBaudRate, 5)
                             : profile_.readInt(keys::kCommunications, keys::kManualBaudSelect, 0);
    connect_.manual = selector == 1;
    if (!connect_.manual) {
        connect_.rate = kFirstRate;
        tryRate();
        return;
    }
    connect_.rate =
        baudCodeToRate(profile_.readInt(keys::kCommunications, keys::kManualBaudRate, 3));
    if (connect_.rate == 0) {
        connectEnd();
        return;
    }
    ui_.setWaitText(withNumber("Trying Baud Rate %d", connect_.rate));
    if (!openAt(connect_.rate)) {
        // The manual form ends here, without the Retry question.
        ui_.hideWait();
        connectFinish();
        return;
    }
    connect_.attempt = 0;
    connectAttempt();
}

void SensorSession::tryRate() {
    if (cancelled_) {
        connectEnd();
        return;
    }
    ui_.setWaitText(changingToNmea_ ? std::string("Attempting to change to NMEA mode.")
                                    : withNumber("Trying Baud Rate %d", connect_.rate));
    if (!openAt(connect_.rate)) {
        connectEnd();
        return;
    }
    connect_.attempt = 0;
    connectAttempt();
}

bool SensorSession::openAt(int rate) {
    link_.close();
    if (link_.open(config().port, rate)) {
        return true;
    }
    link_.close();
    prompts_.message("Error starting comm thread", "Error", PromptIcon::Exclamation,
                     PromptButtons::Ok);
    return false;
}

void SensorSession::connectAttempt() {
    if (cancelled_ || connect_.attempt == kAttemptsPerRate) {
        rateDone();
        return;
    }
    ++connect_.attempt;
    if (connect_.showAttempts) {
        char text[64];
        std::snprintf(text, sizeof text, "Attempt no. %d of %d", connect_.attempt,
                      kAttemptsPerRate);
        ui_.setWaitAttempt(text);
    }
    timedOut_ = false;
    expected_ = ss::kProbe;
    link_.write(expected_);
    // Switching to NMEA, the automatic form only sends: a sensor in binary mode answers nothing.
    const bool modeChange = changingToNmea_ && !connect_.manual;
    wait_.start(attemptLimitMs(connect_.rate), !modeChange,
                [this, modeChange](AttemptWait::Outcome outcome) {
                    if (outcome == AttemptWait::Outcome::Echoed) {
                        connect_.success = true;
                        connectEnd();
                    } else if (outcome == AttemptWait::Outcome::Cancelled ||
                               (modeChange && connect_.rate == kNmeaRate)) {
                        connectEnd();
                    } else {
                        connectAttempt();
                    }
                });
}

void SensorSession::rateDone() {
    if (connect_.manual || cancelled_ || connect_.rate / 2 < kLowestRate) {
        connectEnd();
        return;
    }
    connect_.rate /= 2;
    tryRate();
}

void SensorSession::connectEnd() {
    const int rate = connect_.rate;
    if (connect_.success) {
        inBinaryMode_ = false;
        config().baudrate = static_cast<std::int16_t>(baudRateToCode(rate));
        ui_.configurationChanged();
    }
    ui_.hideWait();
    if (connect_.success) {
        prompts_.message(withNumber("Connection Success. Baud rate detected at %d bps.", rate),
                         kAutoTitle, PromptIcon::Information, PromptButtons::Ok);
    } else if (!cancelled_ && !changingToNmea_) {
        const char* text = !connect_.manual ? "Connection Fail. Please make sure comm port "
                                              "selection is correct."
                           : connectingForUpdate_
                               ? "Connection Fail. Unit may already be in Tavrin Mode.\n"
                                 "Press Cancel to continue with upload."
                               : "Connection Fail.  Please make sure comm\n port and baud rate "
                                 "selections are correct.";
        if (prompts_.message(text, connect_.manual ? kManualTitle : kAutoTitle,
                             PromptIcon::Exclamation,
                             PromptButtons::RetryCancel) == PromptAnswer::Retry) {
            connectPass();
            return;
        }
        link_.close();
    } else if (changingToNmea_) {
        if (link_.isOpen()) {
            link_.setBaudRate(kNmeaRate);
            link_.write(ss::nmeaReturnPacket(config().model));
        }
        prompts_.message("Attempt finished.", "Information", PromptIcon::Information,
                         PromptButtons::Ok);
        link_.close();
    } else {
        link_.close();
    }
    connectFinish();
}

void SensorSession::connectFinish() {
    busy_ = false;
    ui_.setBusy(false);
    ui_.linkChanged();
    Step done = std::move(connect_.done);
    connect_.done = nullptr;
    if (done) {
        done(connected());
    }
}
