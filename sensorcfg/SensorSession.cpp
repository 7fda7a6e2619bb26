#include "sensorcfg/SensorSession.h"

#include "sensorcfg/CQuorelDoc.h"
#include "sensorcfg/SensorSentences.h"

namespace {
namespace ss = sensor_sentences;
constexpr int kExchangeAttempts = 50;
constexpr unsigned kExchangeLimitMs = 3000;
// Where a received sentence's five-letter name ends ("$GPGSV").
constexpr std::size_t kNameEnd = 6;
}  // namespace

void SensorSession::Timer::start(unsigned ms) {
    ++serial_;
    timer_.start(ms);
}

void SensorSession::Timer::stop() {
    ++serial_;
    timer_.stop();
}

SensorSession::SensorSession(CQuorelDoc& doc, Profile& profile, SessionPorts ports,
                             std::string homeFolder)
    : doc_(doc),
      profile_(profile),
      link_(ports.link),
      timer_(ports.timer),
      prompts_(ports.prompts),
      ui_(ports.ui),
      clock_(ports.clock),
      processes_(ports.processes),
      home_(std::move(homeFolder)),
      wait_(timer_, echoed_) {
    link_.setSink(this);
}

SensorSession::~SensorSession() {
    link_.setSink(nullptr);
    link_.close();
}

SensorConfig& SensorSession::config() {
    return doc_.config();
}

bool SensorSession::connected() const {
    return link_.isOpen();
}

// ---- events ----

void SensorSession::onLine(const std::string& line) {
    handleLine(line);
    wait_.lineHandled();
    if (detectionDone_ && !detecting_) {
        finishDetection(true);
    }
}

void SensorSession::onTimer() {
    // Lines that arrived before the time-out count first; one of them may end the wait.
    const unsigned serial = timer_.serial();
    link_.deliverPending();
    if (timer_.serial() != serial) {
        return;
    }
    timedOut_ = true;
    if (wait_.active()) {
        wait_.timerFired();
    } else if (detectionDone_) {
        finishDetection(true);
    }
}

void SensorSession::onCancel() {
    cancelled_ = true;
    if (wait_.active()) {
        wait_.cancel();
    } else if (detectionDone_) {
        finishDetection(false);
    }
}

void SensorSession::onLinkLost() {
    if (!link_.isOpen()) {
        return;
    }
    link_.close();
    // Whatever runs ends quietly, as after a cancel; then the loss is reported once.
    onCancel();
    clearMonitor();
    ui_.linkChanged();
    prompts_.message("The serial port was lost.", CQuorelDoc::kAppTitle, PromptIcon::Exclamation,
                     PromptButtons::Ok);
}

// ---- operation frame ----

void SensorSession::begin() {
    busy_ = true;
    ui_.setBusy(true);
    cancelled_ = false;
    echoed_ = false;
    ui_.showWait();
}

void SensorSession::end() {
    ui_.hideWait();
    busy_ = false;
    ui_.setBusy(false);
    ui_.linkChanged();
}

void SensorSession::disconnect() {
    if (!busy_) {
        closeLink();
    }
}

void SensorSession::closeLink() {
    link_.close();
    clearMonitor();
    ui_.linkChanged();
}

// ---- received lines ----

void SensorSession::handleLine(const std::string& received) {
    if (detecting_) {
        detectSentence(received);
        return;
    }
    const std::size_t dollar = received.find('$');
    const std::string line = dollar == std::string::npos ? std::string() : received.substr(dollar);
    const bool exact = !expected_.empty() && line == expected_;
    const bool reply = downloading_ && line.size() >= ss::kReplyPrefix &&
                       expected_.size() >= ss::kReplyPrefix &&
                       line.compare(0, ss::kReplyPrefix, expected_, 0, ss::kReplyPrefix) == 0;
    if (exact || reply) {
        echoed_ = true;
        if (downloading_) {
            if (line.starts_with("$PTVRI")) {
                ss::parsePosition(line, config());
            } else if (line.starts_with("$PTVRC1")) {
                ss::parseExtraConfig(line, config());
            } else if (line.starts_with("$PTVRC")) {
                ss::parseConfig(line, config());
            }
            ui_.configurationChanged();
            return;
        }
    }
    showOnMonitor(line);
}

void SensorSession::detectSentence(const std::string& received) {
    const std::size_t dollar = received.find('$');
    if (dollar == std::string::npos) {
        return;
    }
    const std::string line = received.substr(dollar);
    const int index = sentenceIndex(line.substr(1, 5));
    if (index < 0) {
        return;
    }
    if (index == GPGSV) {
        // The message number follows the second comma, counted from the one after the name.
        ++gsvCount_;
        const std::size_t first = line.find(',', kNameEnd);
        const std::size_t second =
            first == std::string::npos ? std::string::npos : line.find(',', first + 1);
        const char message =
            second == std::string::npos || second + 1 >= line.size() ? '\0' : line[second + 1];
        if (message != '1' && message != '2' && message != '3') {
            return;
        }
    }
    auto& flag = detected_[static_cast<std::size_t>(index)];
    if (flag == 0) {
        flag = 1;
    } else if (index != GPGSV || gsvCount_ > 3) {
        // A sentence seen twice: one whole output cycle has passed.
        detecting_ = false;
    }
    showOnMonitor(line);
}

void SensorSession::showOnMonitor(const std::string& line) {
    if (monitorOpen_ && monitor_.show(line)) {
        ui_.monitorChanged();
    }
}

void SensorSession::openMonitor() {
    monitor_ = MonitorRows();
    monitorOpen_ = true;
    ui_.monitorChanged();
}

void SensorSession::clearMonitor() {
    if (monitorOpen_) {
        monitor_.clear();
        ui_.monitorChanged();
    }
}

// ---- one sentence, echoed or answered ----

void SensorSession::verify(const std::string& sentence, Step done) {
    exchange({sentence, sentence, "Sending to GPS: " + sentence, false}, std::move(done));
}

void SensorSession::query(const std::string& sentence, std::size_t replyLength, Step done) {
    exchange({sentence, sentence.substr(0, replyLength), "Getting from GPS: " + sentence, true},
             std::move(done));
}

void SensorSession::exchange(Exchange x, Step done) {
    if (x.sentence.size() < ss::kReplyPrefix) {
        done(false);
        return;
    }
    exchange_ = std::move(x);
    exchangeDone_ = std::move(done);
    ui_.setWaitText(exchange_.waitText);
    echoed_ = false;
    expected_ = exchange_.expected;
    exchangePass();
}

void SensorSession::exchangePass() {
    ui_.showWait();
    if (exchange_.query) {
        ui_.setWaitText(exchange_.waitText);
    }
    exchangeAttempts_ = 0;
    exchangeAttempt();
}

void SensorSession::exchangeAttempt() {
    if (cancelled_) {
        finishExchange(false);
        return;
    }
    if (exchangeAttempts_ == kExchangeAttempts) {
        const bool retry =
            prompts_.message(exchange_.query ? "Downloading fail. Please check connection."
                                             : "Uploading fail. Please check connection.",
                             exchange_.query ? "Download" : "Upload", PromptIcon::Exclamation,
                             PromptButtons::RetryCancel) == PromptAnswer::Retry;
        if (retry) {
            exchangePass();
        } else {
            finishExchange(false);
        }
        return;
    }
    ++exchangeAttempts_;
    timedOut_ = false;
    link_.write(exchange_.sentence);
    if (!exchange_.query && ss::succeedsWithoutEcho(exchange_.sentence)) {
        echoed_ = true;
    }
    wait_.start(kExchangeLimitMs, true, [this](AttemptWait::Outcome outcome) {
        switch (outcome) {
            case AttemptWait::Outcome::Echoed:
                finishExchange(true);
                break;
            case AttemptWait::Outcome::Cancelled:
                finishExchange(false);
                break;
            case AttemptWait::Outcome::TimedOut:
                exchangeAttempt();
                break;
        }
    });
}

void SensorSession::finishExchange(bool ok) {
    Step done = std::move(exchangeDone_);
    exchangeDone_ = nullptr;
    done(ok);
}
