#include "nmeasim/Replay.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace nmeasim {
namespace {

constexpr double kNormalIntervalSeconds = 1.0;
constexpr std::size_t kMaxFileBytes = 256u * 1024u * 1024u;

bool isSentence(const std::string& line) {
    if (line.size() < 6 || (line[0] != '$' && line[0] != '!')) {
        return false;
    }
    for (const char c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e) {
            return false;
        }
    }
    return true;
}

// Field `n` (0 = the address) of a sentence, without the checksum.
std::string field(const std::string& sentence, int n) {
    const std::size_t star = sentence.find('*');
    const std::string body = sentence.substr(0, star);
    std::size_t start = 0;
    for (int i = 0; i < n; ++i) {
        start = body.find(',', start);
        if (start == std::string::npos) {
            return {};
        }
        ++start;
    }
    return body.substr(start, body.find(',', start) - start);
}

std::optional<double> timeOfDay(const std::string& text) {
    if (text.size() < 6) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < 6; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
    }
    const int h = std::atoi(text.substr(0, 2).c_str());
    const int m = std::atoi(text.substr(2, 2).c_str());
    char* end = nullptr;
    const double s = std::strtod(text.c_str() + 4, &end);
    if (*end != '\0' || h > 23 || m > 59 || s >= 61.0) {
        return std::nullopt;
    }
    return h * 3600.0 + m * 60.0 + s;
}

// Seconds from one cycle to the next, from their times of day.
double interval(double from, double to) {
    double d = std::fmod(to - from + kSecondsPerDay, static_cast<double>(kSecondsPerDay));
    if (d <= 0.0 || d > kMaxReplayPauseSeconds) {
        d = kNormalIntervalSeconds;
    }
    return d;
}

}  // namespace

std::optional<double> sentenceTimeOfDay(const std::string& sentence) {
    if (sentence.size() < 6 || sentence[0] != '$') {
        return std::nullopt;
    }
    const std::string type = sentence.substr(3, 3);
    if (type == "GGA" || type == "RMC" || type == "ZDA" || type == "GNS" || type == "GST" ||
        type == "GBS") {
        return timeOfDay(field(sentence, 1));
    }
    if (type == "GLL") {
        return timeOfDay(field(sentence, 5));
    }
    return std::nullopt;
}

ReplayLog parseReplayLog(const std::string& text) {
    ReplayLog log;
    std::optional<double> cycleTime;
    std::int64_t offset = 0;
    bool anyTime = false;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.pop_back();
        }
        if (!isSentence(line)) {
            log.skippedLines += line.empty() ? 0 : 1;
            continue;
        }
        const std::optional<double> t = sentenceTimeOfDay(line);
        anyTime = anyTime || t.has_value();
        if (log.cycles.empty()) {
            log.cycles.push_back(Cycle{0, {}});
        } else if (t && cycleTime && std::fabs(*t - *cycleTime) > 1e-6) {
            offset += std::llround(interval(*cycleTime, *t) * 1e6);
            log.cycles.push_back(Cycle{offset, {}});
        }
        if (t) {
            cycleTime = t;
        }
        log.cycles.back().sentences.push_back(line + "\r\n");
    }
    if (!anyTime && !log.cycles.empty()) {
        // Nothing to pace by: one sentence a second.
        std::vector<std::string> lines = std::move(log.cycles.front().sentences);
        log.cycles.clear();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            log.cycles.push_back(
                Cycle{static_cast<std::int64_t>(i) * kMicrosPerSecond, {std::move(lines[i])}});
        }
    }
    return log;
}

std::optional<ReplayLog> loadReplayLog(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open '" + path + "'";
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad() || text.str().size() > kMaxFileBytes) {
        error = "cannot read '" + path + "'";
        return std::nullopt;
    }
    ReplayLog log = parseReplayLog(text.str());
    if (log.cycles.empty()) {
        error = "no NMEA sentences in '" + path + "'";
        return std::nullopt;
    }
    return log;
}

ReplaySource::ReplaySource(ReplayLog log, bool loop) : log_(std::move(log)), loop_(loop) {
    loopGap_ = log_.cycles.size() > 1 ? log_.cycles[1].offsetMicros - log_.cycles[0].offsetMicros
                                      : kMicrosPerSecond;
}

std::optional<Cycle> ReplaySource::next() {
    if (index_ >= log_.cycles.size()) {
        if (!loop_ || log_.cycles.empty()) {
            return std::nullopt;
        }
        base_ += log_.cycles.back().offsetMicros + loopGap_;
        index_ = 0;
    }
    Cycle c = log_.cycles[index_++];
    c.offsetMicros += base_;
    return c;
}

}  // namespace nmeasim
