// The operations built on single exchanges: upload, download with sentence detection, the
// mode switches, the software update and the sensor buttons.
#include "sensorcfg/CQuorelDoc.h"
#include "sensorcfg/SensorSentences.h"
#include "sensorcfg/SensorSession.h"

namespace {
namespace ss = sensor_sentences;
constexpr unsigned kDetectionMs = 10000;
constexpr int kCalder = 1;
constexpr int kHadley = 6;
constexpr const char* kUpdateNotice =
    "You will now be asked for the location of the new region\nfile, and then for the location "
    "of the updater program\n(updater.exe).";
constexpr const char* kBrisaWarning =
    "\n\n                                   *WARNING*\nPlease do not attempt to update the "
    "software on your Brisa\nunless you are in optimal Bluetooth reception conditions.\nDevices "
    "such as microwave ovens and 802.11b/g wireless\nnetworking gear can interfere with the "
    "Bluetooth link, and may\ncause the software update to fail.";
}  // namespace

// ---- upload ----

void SensorSession::sendConfiguration() {
    if (busy_ || !connected()) {
        return;
    }
    begin();
    uploadStep(0);
}

void SensorSession::uploadStep(std::size_t index) {
    // Built afresh for each step, so the position sentence carries the time it is sent.
    const std::vector<std::string> sentences = ss::uploadSentences(config(), clock_.now());
    if (index == sentences.size()) {
        doc_.setUploaded(true);
        clearMonitor();
        end();
        return;
    }
    verify(sentences[index], [this, index](bool ok) {
        if (ok) {
            uploadStep(index + 1);
        } else {
            clearMonitor();
            end();
        }
    });
}

// ---- download ----

void SensorSession::download() {
    if (busy_) {
        return;
    }
    if (!connected()) {
        prompts_.message("Connection must be established before downloading.", "Downloading Fail",
                         PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    begin();
    getConfig([this](bool) {
        end();
        ui_.configurationChanged();
        doc_.setUploaded(false);
        doc_.setModified(true);
    });
}

void SensorSession::getConfig(Step done) {
    getConfigDone_ = std::move(done);
    downloading_ = true;
    detecting_ = false;
    query(ss::kQueryPosition, ss::kReplyPrefix, [this](bool ok) {
        if (!ok) {
            readsDone(false);
            return;
        }
        query(ss::kQueryConfig, ss::kReplyPrefix, [this](bool ok) {
            if (!ok || config().model == kCalder) {
                readsDone(ok);
                return;
            }
            query(ss::kQueryExtra, ss::kReplyPrefix + 1, [this](bool ok) { readsDone(ok); });
        });
    });
}

void SensorSession::readsDone(bool ok) {
    downloading_ = false;
    auto finish = [this](bool result) {
        Step done = std::move(getConfigDone_);
        getConfigDone_ = nullptr;
        done(result);
    };
    if (!ok) {
        finish(false);
        return;
    }
    auto detect = [this, finish](bool result) {
        detectSentences([finish, result] { finish(result); });
    };
    if (config().model == kHadley) {
        verify(ss::kResetUnit, detect);
    } else {
        detect(true);
    }
}

void SensorSession::detectSentences(std::function<void()> done) {
    detected_.fill(0);
    gsvCount_ = 0;
    detecting_ = true;
    timedOut_ = false;
    detectionDone_ = std::move(done);
    timer_.start(kDetectionMs);
    ui_.setWaitText("Detecting transmitted sentences...\n  (may take up to 10 seconds)");
}

void SensorSession::finishDetection(bool keepResult) {
    timer_.stop();
    // A cancelled detection has seen only part of a cycle: the selection stays as it was.
    if (keepResult) {
        config().sentences = detected_;
        ui_.configurationChanged();
    }
    detecting_ = false;
    std::function<void()> done = std::move(detectionDone_);
    detectionDone_ = nullptr;
    done();
}

// ---- mode switches ----

void SensorSession::switchToNmeaMode() {
    if (busy_ || connected()) {
        return;
    }
    prompts_.message(
        "If you cannot reconnect to the unit after attempting to change to NMEA\nmode, turn the "
        "unit off and then back on and try to connect again.",
        "Information", PromptIcon::Information, PromptButtons::Ok);
    changingToNmea_ = true;
    connectThen([this](bool) {
        changingToNmea_ = false;
        inBinaryMode_ = false;
        config().baudrate = 3;
        ui_.configurationChanged();
    });
}

void SensorSession::switchToTavrinMode() {
    if (busy_ || inBinaryMode_) {
        return;
    }
    auto withLink = [this](bool) {
        if (!connected()) {
            return;
        }
        sendBinaryModeSentence("Sending: ", "");
        inBinaryMode_ = true;
        closeLink();
    };
    if (connected()) {
        withLink(true);
    } else {
        connectThen(withLink);
    }
}

void SensorSession::sendBinaryModeSentence(const std::string& waitPrefix,
                                           const std::string& waitSuffix) {
    begin();
    const std::string sentence = ss::binaryModeSentence(config().model);
    ui_.setWaitText(waitPrefix + sentence + waitSuffix);
    expected_ = sentence;
    link_.write(sentence);
    end();
}

// ---- software update ----

void SensorSession::updateSoftware() {
    if (busy_) {
        return;
    }
    const int model = config().model;
    if (model == kCalder || model == kHadley) {
        prompts_.message("Calder does not support update of code!", "Update Error",
                         PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    prompts_.message(model == 0 ? std::string(kUpdateNotice) + kBrisaWarning : kUpdateNotice,
                     "Information", PromptIcon::Information, PromptButtons::Ok);
    if (inBinaryMode_) {
        askUpdateFiles();
        return;
    }
    auto withLink = [this](bool) {
        connectingForUpdate_ = false;
        if (connected()) {
            sendBinaryModeSentence("Sending: ", " ");
            closeLink();
        } else {
            // The user was told the unit may already be in binary mode, and went on.
            inBinaryMode_ = true;
        }
        askUpdateFiles();
    };
    if (connected()) {
        withLink(true);
    } else {
        connectingForUpdate_ = true;
        connectThen(withLink);
    }
}

void SensorSession::askUpdateFiles() {
    const auto region =
        prompts_.askExistingFile({{"Region Files", "*.rgn"}, {"All Files", "*"}}, home_);
    if (!region) {
        switchToNmeaMode();
        return;
    }
    const auto updater =
        prompts_.askExistingFile({{"Update Utility", "*.exe"}, {"All Files", "*"}}, home_);
    if (!updater) {
        switchToNmeaMode();
        return;
    }
    if (!processes_.startDetached(*updater, {*region})) {
        prompts_.message("The updater " + *updater + " could not be started.", "Update Error",
                         PromptIcon::Exclamation, PromptButtons::Ok);
    }
}

// ---- the sensor buttons ----

void SensorSession::pressButton(SensorButton button) {
    if (busy_) {
        return;
    }
    pressSensorButton(button, connected(), prompts_,
                      [this](const std::string& sentence, std::function<void(bool)> report) {
                          sendVerified(sentence, std::move(report));
                      });
}

void SensorSession::sendVerified(const std::string& sentence, std::function<void(bool)> done) {
    if (busy_) {
        return;  // a second press while the first still waits
    }
    if (!connected()) {
        done(false);
        return;
    }
    begin();
    verify(sentence, [this, done = std::move(done)](bool ok) {
        done(ok);
        end();
    });
}
