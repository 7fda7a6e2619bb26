#include "document/PlaybackPacer.h"

#include <algorithm>
#include <cmath>

#include "datafile/PingRecord.h"
#include "datafile/PingTime.h"

namespace {
constexpr std::size_t kDateChars = 11;  // "dd-MMM-yyyy"
constexpr std::size_t kTimeChars = 8;   // "hh:mm:ss"

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t daysFromCivil(int year, int month, int day) {
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The recorded ping interval when it is a plausible one, else a sane default.
double fallbackIntervalMs(const PingRecord& rec) {
    if (rec.pingIntervalMs >= 1 && rec.pingIntervalMs <= PlaybackPacer::kMaxRecordedGapMs) {
        return static_cast<double>(rec.pingIntervalMs);
    }
    return PlaybackPacer::kDefaultIntervalMs;
}
}  // namespace

std::optional<std::int64_t> pingStampMs(const PingRecord& rec) {
    if (rec.dateText.size() < kDateChars || rec.timeText.size() < kTimeChars) {
        return std::nullopt;
    }
    const PingTime t = parsePingTime(rec.dateText, rec.timeText, rec.millisecondText);
    if (t.month == 0 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 60 ||
        t.millisecond < 0 || t.millisecond > 999) {
        return std::nullopt;
    }
    const std::int64_t seconds =
        ((daysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute) * 60 + t.second;
    return seconds * 1000 + t.millisecond;
}

void PlaybackPacer::restart(std::uint32_t tick) {
    advance(tick);
    nextDueMs_ = nowMs_;
    run_.reset();
}

double PlaybackPacer::advance(std::uint32_t tick) {
    // Unsigned subtraction stays right across the wrap of the tick count.
    nowMs_ += static_cast<double>(static_cast<std::uint32_t>(tick - lastTick_));
    lastTick_ = tick;
    return nowMs_;
}

void PlaybackPacer::played(std::uint32_t tick, const PingRecord& rec, bool refreshed) {
    const double now = advance(tick);
    if (!paced_) {
        return;
    }
    if (speed_ == 0) {
        learnRecordedPace(rec);
        // Even a fast recording shows every ping: one per screen refresh at most.
        schedule(now, std::max(perPingMs_, kRefreshIntervalMs));
    } else if (refreshed) {
        schedule(now, kRefreshIntervalMs);
    }
    // Within a batch of a speed above 1 the next ping is due at once.
}

// The pace after a ping is the recorded time from the previous stamp to this one, spread over
// the pings that shared the previous stamp. It lags one ping behind, which keeps the average
// exact without reading ahead in the file.
void PlaybackPacer::learnRecordedPace(const PingRecord& rec) {
    const double fallback = fallbackIntervalMs(rec);
    const std::optional<std::int64_t> stamp = pingStampMs(rec);
    if (!stamp) {
        run_.reset();
        perPingMs_ = fallback;
        return;
    }
    if (!run_) {
        run_ = Run{*stamp, 1, true};
        perPingMs_ = fallback;
        return;
    }
    if (*stamp == run_->stampMs) {
        ++run_->pings;
        if (run_->partial) {
            perPingMs_ = fallback;
        }
        return;
    }
    const std::int64_t gap = *stamp - run_->stampMs;
    const bool plausible = gap > 0 && gap <= kMaxRecordedGapMs;
    if (plausible && !run_->partial) {
        perPingMs_ = static_cast<double>(gap) / run_->pings;
    } else {
        perPingMs_ = fallback;
    }
    // Backwards (a wrap to the start) or a long jump starts a run whose count says nothing.
    run_ = Run{*stamp, 1, !plausible};
}

// Keeps to the grid of due times while on time, so timer jitter does not slow the pace. After a
// stall longer than an interval the grid starts again from now: the late ping was the only one
// played at once, and nothing bursts to catch up.
void PlaybackPacer::schedule(double now, double intervalMs) {
    nextDueMs_ += intervalMs;
    if (nextDueMs_ < now) {
        nextDueMs_ = now + intervalMs;
    }
}

unsigned PlaybackPacer::waitMs(std::uint32_t tick) {
    const double now = advance(tick);
    if (!paced_ || nextDueMs_ <= now) {
        return 0;
    }
    return static_cast<unsigned>(std::ceil(nextDueMs_ - now));
}
