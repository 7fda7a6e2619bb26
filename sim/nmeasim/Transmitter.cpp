#include "nmeasim/Transmitter.h"

#include <algorithm>
#include <cstdio>

namespace nmeasim {

Transmitter::Transmitter(CycleSource& source, FaultInjector& faults,
                         const TransmitterSettings& settings)
    : source_(source), faults_(faults), settings_(settings), pacer_(settings.baud) {}

std::optional<std::string> Transmitter::takeWarning() {
    std::optional<std::string> w = std::move(warning_);
    warning_.reset();
    return w;
}

void OutputAge::wrote(std::size_t bytes, std::int64_t now) {
    if (bytes == 0) {
        return;
    }
    total_ += bytes;
    writes_.push_back({total_, now});
    // Only the last few kilobytes can still be unread.
    while (writes_.size() > 1 && writes_.front().end + 2 * kMaxUnreadBytes < total_) {
        writes_.pop_front();
    }
}

std::int64_t OutputAge::oldestUnread(std::size_t unread, std::int64_t now) const {
    const std::uint64_t firstUnread = total_ - std::min<std::uint64_t>(unread, total_);
    for (const Write& w : writes_) {
        if (w.end > firstUnread) {
            return now - w.at;
        }
    }
    return 0;
}

void Transmitter::pull() {
    if (pending_ || sourceDone_) {
        return;
    }
    if (settings_.count > 0 && sent_ >= settings_.count) {
        sourceDone_ = true;
        return;
    }
    pending_ = source_.next();
    sourceDone_ = !pending_;
}

// Moves the pending cycle onto the queue, or drops it, once its time has come.
void Transmitter::admit(std::int64_t now) {
    while (true) {
        pull();
        if (!pending_) {
            return;
        }
        const bool due = settings_.fast ? queue_.empty() : now >= *origin_ + pending_->offsetMicros;
        if (!due) {
            return;
        }
        Cycle cycle = std::move(*pending_);
        pending_.reset();
        if (faults_.silent(static_cast<double>(cycle.offsetMicros) / 1e6)) {
            continue;
        }
        if (!queue_.empty()) {
            ++dropped_;
            if (!warned_) {
                warned_ = true;
                std::size_t left = 0;
                for (const Queued& q : queue_) {
                    left += q.bytes.size() - q.done;
                }
                char text[256];
                std::snprintf(text, sizeof text,
                              "fix at +%.2f s dropped: %zu bytes of the previous fix still on "
                              "the line at %u baud (%.0f bytes/s); send fewer sentences, a lower "
                              "rate or a higher baud",
                              static_cast<double>(cycle.offsetMicros) / 1e6, left, settings_.baud,
                              pacer_.bytesPerSecond());
                warning_ = text;
            }
            continue;
        }
        for (Piece& p : faults_.shape(cycle.sentences)) {
            queue_.push_back(Queued{std::move(p.bytes), 0, p.pauseMicros, now});
        }
        ++sent_;
        if (settings_.fast) {
            return;  // written before the next one is taken
        }
    }
}

// Writes what pacing and pauses allow. False when nothing more can be written now.
bool Transmitter::writeSome(std::int64_t now, LinePort& line) {
    if (queue_.empty() || queue_.front().notBefore > now) {
        return false;
    }
    Queued& q = queue_.front();
    std::size_t want = q.bytes.size() - q.done;
    if (!settings_.fast) {
        want = std::min(want, pacer_.allowance(now));
        if (want == 0) {
            return false;
        }
    }
    const std::size_t n = line.write(q.bytes.data() + q.done, want);
    blocked_ = n < want;
    if (!settings_.fast) {
        pacer_.spend(n);
    }
    q.done += n;
    written_ += n;
    age_.wrote(n, now);
    if (q.done == q.bytes.size()) {
        queue_.pop_front();
        if (!queue_.empty()) {
            queue_.front().notBefore = now + queue_.front().pauseMicros;
        }
    }
    return n > 0 && !blocked_;
}

std::int64_t Transmitter::nextWake(std::int64_t now) {
    std::int64_t wake = INT64_MAX;
    if (!queue_.empty()) {
        const Queued& q = queue_.front();
        wake = q.notBefore > now || settings_.fast ? q.notBefore
                                                   : pacer_.nextAt(now, q.bytes.size() - q.done);
    } else if (pending_) {
        wake = settings_.fast ? now : *origin_ + pending_->offsetMicros;
    }
    return std::max(wake, now);
}

std::int64_t Transmitter::service(std::int64_t now, LinePort& line) {
    if (!origin_) {
        origin_ = now;
    }
    blocked_ = false;
    const std::uint64_t before = written_;
    do {
        admit(now);
        if (written_ - before >= kMaxBytesPerService) {
            return now;  // fast output: give the caller a turn to see signals and input
        }
    } while (writeSome(now, line) || (settings_.fast && queue_.empty() && pending_));
    return nextWake(now);
}

}  // namespace nmeasim
