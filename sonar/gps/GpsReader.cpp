#include "gps/GpsReader.h"

#include <cctype>

namespace {
bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
}  // namespace

void GpsReader::setSource(std::unique_ptr<ByteStream> source) {
    std::unique_ptr<ByteStream> old;
    {
        std::lock_guard lock(sourceMutex_);
        old = std::move(source_);
        source_ = std::move(source);
        cutter_.clear();
    }
    std::lock_guard status(statusMutex_);
    bytesRead_ = 0;
    acceptedSeen_ = bytesSeen_ = false;
    otherTalker_.clear();
}

bool GpsReader::hasSource() const {
    std::lock_guard lock(sourceMutex_);
    return source_ != nullptr;
}

void GpsReader::setAcceptAllTalkers(bool on) {
    std::lock_guard lock(sourceMutex_);
    cutter_.setAcceptAllTalkers(on);
    std::lock_guard status(statusMutex_);
    otherTalker_.clear();
    acceptedSeen_ = bytesSeen_ = false;
}

void GpsReader::tick(std::uint32_t nowMs) {
    std::lock_guard lock(sourceMutex_);
    if (!source_) {
        return;
    }
    std::ptrdiff_t n = source_->read(buffer_.data(), buffer_.size());
    if (n < 0) {
        n = 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(buffer_.data()),
                                 static_cast<std::size_t>(n));
    noteTalkers(bytes, nowMs);
    bool accepted = false;
    shared_.with([&](GpsData& d) {
        d.fix.sentenceSeen = 0;
        std::size_t stored = 0;
        for (std::string& s : d.fix.tickSentences) {
            s.clear();
        }
        cutter_.cut(bytes, [&](std::string_view sentence) {
            accepted = true;
            if (stored < d.fix.tickSentences.size()) {
                d.fix.tickSentences[stored++] = sentence;
            }
            DispatchSentence(sentence, d, clock_);
            d.recent.add(sentence.substr(0, sentence.size() >= 2 ? sentence.size() - 2 : 0));
        });
    });
    std::lock_guard status(statusMutex_);
    if (accepted) {
        acceptedSeen_ = true;
        lastAcceptedMs_ = nowMs;
        otherTalker_.clear();
    }
}

void GpsReader::noteTalkers(std::string_view bytes, std::uint32_t nowMs) {
    std::lock_guard status(statusMutex_);
    lastNowMs_ = nowMs;
    if (bytes.empty()) {
        return;
    }
    bytesRead_ += bytes.size();
    if (!bytesSeen_) {
        bytesSeen_ = true;
        firstBytesMs_ = nowMs;
    }
    // "$XXYYY," with a talker the cutter does not take.
    for (std::size_t pos = bytes.find('$');
         pos != std::string_view::npos && pos + 7 <= bytes.size(); pos = bytes.find('$', pos + 1)) {
        const std::string_view head = bytes.substr(pos + 1, 6);
        bool shaped = head[5] == ',';
        for (std::size_t i = 0; i < 5 && shaped; ++i) {
            shaped = isUpper(head[i]);
        }
        const std::string_view talker = head.substr(0, 2);
        if (shaped && !cutter_.acceptsTalker(talker) && SentenceCutter::isGnssTalker(talker)) {
            otherTalker_ = std::string(talker);
        }
    }
}

std::string GpsReader::talkerHint() const {
    std::lock_guard status(statusMutex_);
    if (otherTalker_.empty() || !bytesSeen_) {
        return {};
    }
    const std::uint32_t since = acceptedSeen_ ? lastAcceptedMs_ : firstBytesMs_;
    if (lastNowMs_ - since < kTalkerHintAfterMs) {
        return {};
    }
    return "Receiving NMEA with talker " + otherTalker_ + ": enable Accept all GNSS talkers";
}

std::uint64_t GpsReader::bytesRead() const {
    std::lock_guard status(statusMutex_);
    return bytesRead_;
}
