#include "sensorsim/Sensor.h"

#include <algorithm>
#include <cstdio>

#include "sensorsim/Replies.h"

namespace sensorsim {
namespace {

constexpr std::int64_t kMsPerSecond = 1000;
constexpr unsigned kNoiseOneIn = 4;     // sentences of a cycle that get noise with --noise
constexpr unsigned kLongLineOneIn = 4;  // cycles that run together with --long-lines
constexpr int kMaxNoiseBytes = 8;

// Milliseconds from `nowMs` to the next whole UTC second.
std::int64_t toNextSecond(nmeasim::UtcMicros utcAtStart, std::int64_t nowMs) {
    const nmeasim::UtcMicros utc = utcAtStart + nowMs * 1000;
    const std::int64_t into = (utc % nmeasim::kMicrosPerSecond) / 1000;
    return into == 0 ? 0 : kMsPerSecond - into;
}

std::string withoutLineEnd(const std::string& text) {
    return text.substr(0, text.find_last_not_of("\r\n") + 1);
}

}  // namespace

std::string printable(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b >= 0x7F || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

Sensor::Sensor(const SensorConfig& config, const SensorSettings& settings,
               nmeasim::UtcMicros utcAtStart, EventLog log)
    : config_(config),
      settings_(settings),
      utcAtStart_(utcAtStart),
      log_(std::move(log)),
      rate_(baudCodeToRate(config.baudrate)),
      lineRate_(rate_),
      rng_(settings.seed),
      output_(settings.seed) {
    nextCycleMs_ = toNextSecond(utcAtStart_, 0);
    if (nextCycleMs_ == 0) {
        nextCycleMs_ = kMsPerSecond;
    }
}

void Sensor::setLineRate(int rate) {
    if (rate != lineRate_) {
        lineRate_ = rate;
        input_.clear();
        log_("line " + std::to_string(rate));
    }
}

void Sensor::hear(std::string_view bytes, std::int64_t nowMs) {
    if (bytes.empty()) {
        return;
    }
    if (lineRate_ != rate_) {
        log_("ignored " + std::to_string(lineRate_) + " " + std::to_string(bytes.size()) +
             " bytes");
        return;
    }
    if (mode_ == Mode::Binary) {
        judgeBinary(binary_->hear(bytes, nowMs), nowMs);
        return;
    }
    hearNmea(bytes, nowMs);
}

void Sensor::hearNmea(std::string_view bytes, std::int64_t nowMs) {
    for (const char c : bytes) {
        if (c == '\n') {
            if (!input_.empty() && !discarding_) {
                handleLine(input_, nowMs);
            }
            input_.clear();
            discarding_ = false;
            continue;
        }
        if (discarding_ || mode_ != Mode::Nmea) {
            continue;
        }
        input_ += c;
        if (c != '\r' && input_.size() > kMaxLine) {
            log_("reject " + printable(input_.substr(0, 40)) + "... # longer than " +
                 std::to_string(kMaxLine) + " characters");
            input_.clear();
            discarding_ = true;
        }
    }
}

void Sensor::handleLine(const std::string& line, std::int64_t nowMs) {
    const std::string text = withoutLineEnd(line);
    log_("heard " + std::to_string(rate_) + " " + printable(text));
    const std::size_t dollar = text.find('$');
    const std::string sentence = dollar == std::string::npos ? text : text.substr(dollar);
    const Verdict verdict = interpret(sentence, config_);
    if (!verdict.accepted) {
        log_("reject " + printable(sentence) + " # " + verdict.reason);
        return;
    }
    apply(*verdict.accepted, sentence, nowMs);
}

void Sensor::apply(const Accepted& accepted, const std::string& sentence, std::int64_t nowMs) {
    const bool baudChanged = accepted.config.baudrate != config_.baudrate;
    config_ = accepted.config;
    switch (accepted.answer) {
        case Answer::Echo:
            queueEcho(
                sentence,
                baudChanged ? std::optional<int>(baudCodeToRate(config_.baudrate)) : std::nullopt,
                nowMs);
            break;
        case Answer::Silent:
            log_("silent " + printable(sentence));
            break;
        case Answer::ReplyPosition:
            queueReply(positionReply(config_, utcAtStart_ + nowMs * 1000), nowMs);
            break;
        case Answer::ReplyConfig:
            queueReply(configReply(config_), nowMs);
            break;
        case Answer::ReplyExtra:
            queueReply(extraReply(config_), nowMs);
            break;
    }
    act(accepted.action, nowMs);
}

void Sensor::act(Action action, std::int64_t nowMs) {
    switch (action) {
        case Action::None:
            break;
        case Action::ResetUnit:
            log_("reset");
            testMode_ = false;
            pauseOutput(nowMs, kRestartMs);
            break;
        case Action::Autolocate:
            log_("autolocate");
            break;
        case Action::EraseMemory:
            log_("erase");
            testMode_ = false;
            setRate(baudCodeToRate(config_.baudrate));
            pauseOutput(nowMs, kRestartMs);
            break;
        case Action::TestMode:
            testMode_ = true;
            log_("mode test");
            break;
        case Action::BinaryMode:
            mode_ = Mode::Binary;
            testMode_ = false;
            input_.clear();
            outbox_.clear();
            binary_.emplace(config_.model);
            log_("mode binary");
            setRate(kBinaryRate);
            break;
    }
}

void Sensor::queueEcho(const std::string& sentence, std::optional<int> rateAfter,
                       std::int64_t nowMs) {
    const std::int64_t due = nowMs + settings_.faults.lateMs;
    ++echoes_;
    const unsigned every = settings_.faults.dropEchoEvery;
    if (every != 0 && echoes_ % every == 0) {
        log_("dropped " + printable(sentence));
        outbox_.push_back({due, {}, {}, rateAfter});
        return;
    }
    outbox_.push_back({due, sentence + "\r\n", "echo " + printable(sentence), rateAfter});
}

void Sensor::queueReply(std::string reply, std::int64_t nowMs) {
    if (settings_.replyChecksum) {
        reply = withChecksum(reply);
    }
    const std::string event = "reply " + printable(withoutLineEnd(reply));
    outbox_.push_back({nowMs + settings_.faults.lateMs, std::move(reply), event, std::nullopt});
}

void Sensor::judgeBinary(const std::vector<BinaryListener::Outcome>& outcomes, std::int64_t nowMs) {
    for (const auto& outcome : outcomes) {
        if (mode_ != Mode::Binary) {
            break;
        }
        if (!outcome.ok) {
            log_("binary bad " + hex(outcome.bytes));
            continue;
        }
        log_("binary ok");
        mode_ = Mode::Nmea;
        binary_.reset();
        config_.baudrate = static_cast<std::int16_t>(baudRateToCode(kBinaryRate));
        log_("mode nmea");
        setRate(kBinaryRate);
        pauseOutput(nowMs, 0);
    }
}

std::string Sensor::transmit(std::int64_t nowMs) {
    std::string out;
    if (binary_) {
        judgeBinary(binary_->tick(nowMs), nowMs);
    }
    release(nowMs, out);
    if (mode_ == Mode::Nmea && nowMs >= nextCycleMs_) {
        cycle(nowMs, out);
    }
    return out;
}

void Sensor::release(std::int64_t nowMs, std::string& out) {
    while (!outbox_.empty() && outbox_.front().dueMs <= nowMs) {
        const Pending p = std::move(outbox_.front());
        outbox_.pop_front();
        if (!p.text.empty()) {
            send(settings_.faults.noise ? noise() + p.text : p.text, out);
            log_(p.event);
        }
        if (p.rateAfter) {
            setRate(*p.rateAfter);
        }
    }
}

void Sensor::cycle(std::int64_t nowMs, std::string& out) {
    const std::int64_t periodMs = std::max<std::int64_t>(1, config_.outtime) * kMsPerSecond;
    const double seconds =
        lastCycleMs_ ? static_cast<double>(nextCycleMs_ - *lastCycleMs_) / kMsPerSecond : 0.0;
    const nmeasim::UtcMicros utc = utcAtStart_ + nextCycleMs_ * 1000;
    const nmeasim::UtcMicros wholeSecond = (utc + nmeasim::kMicrosPerSecond / 2) /
                                           nmeasim::kMicrosPerSecond * nmeasim::kMicrosPerSecond;
    std::vector<Transmitted> sentences = output_.next(config_, wholeSecond, seconds, testMode_);
    lastCycleMs_ = nextCycleMs_;
    while (nextCycleMs_ <= nowMs) {
        nextCycleMs_ += periodMs;
    }
    const std::string names = cycleNames(sentences);
    if (names != lastNames_) {
        log_("transmit " + (names.empty() ? std::string("-") : names));
        lastNames_ = names;
    }
    if (settings_.faults.longLines && rng_() % kLongLineOneIn == 0) {
        mergeLongLine(sentences);
    }
    for (const Transmitted& t : sentences) {
        const bool noisy = settings_.faults.noise && rng_() % kNoiseOneIn == 0;
        send(noisy ? noise() + t.text : t.text, out);
    }
}

// Line ends lost on the way: sentences from a random one on run together, taking from the
// start of the cycle again if need be, until the line is longer than the limit.
void Sensor::mergeLongLine(std::vector<Transmitted>& sentences) {
    if (sentences.empty()) {
        return;
    }
    const std::size_t first = rng_() % sentences.size();
    std::string merged;
    std::size_t i = first;
    while (merged.size() <= kMaxLine) {
        merged += withoutLineEnd(sentences[i % sentences.size()].text);
        ++i;
    }
    const std::size_t last = std::min(i, sentences.size());
    const int sentence = sentences[first].sentence;
    sentences.erase(sentences.begin() + static_cast<std::ptrdiff_t>(first),
                    sentences.begin() + static_cast<std::ptrdiff_t>(last));
    sentences.insert(sentences.begin() + static_cast<std::ptrdiff_t>(first),
                     Transmitted{sentence, merged + "\r\n"});
    log_("fault long line " + std::to_string(merged.size()) + " characters");
}

// Bytes a disturbed line delivers: anything but a line end or a "$".
std::string Sensor::noise() {
    std::string bytes;
    const int count = 1 + static_cast<int>(rng_() % kMaxNoiseBytes);
    while (static_cast<int>(bytes.size()) < count) {
        const auto b = static_cast<char>(1 + rng_() % 255);
        if (b != '\r' && b != '\n' && b != '$') {
            bytes += b;
        }
    }
    return bytes;
}

// Bytes go out at the unit's rate at the moment they are sent; a line set to another rate
// makes garbage of them.
void Sensor::send(std::string bytes, std::string& out) {
    if (lineRate_ != rate_) {
        for (char& c : bytes) {
            c = static_cast<char>(rng_() & 0xFF);
        }
    }
    out += bytes;
}

void Sensor::setRate(int rate) {
    if (rate != rate_) {
        rate_ = rate;
        input_.clear();
        log_("baud " + std::to_string(rate));
    }
}

// Output starts again at the first whole second after the pause.
void Sensor::pauseOutput(std::int64_t nowMs, std::int64_t pauseMs) {
    const std::int64_t from = nowMs + pauseMs;
    nextCycleMs_ = from + toNextSecond(utcAtStart_, from);
}

std::int64_t Sensor::nextDueMs() const {
    std::int64_t due = mode_ == Mode::Nmea ? nextCycleMs_ : INT64_MAX;
    if (!outbox_.empty()) {
        due = std::min(due, outbox_.front().dueMs);
    }
    if (binary_ && binary_->nextDueMs() >= 0) {
        due = std::min(due, binary_->nextDueMs());
    }
    return due;
}

}  // namespace sensorsim
