#pragma once

#include <mutex>

#include "gps/NmeaParser.h"

// The GPS data shared by the reader thread and the user-interface thread. Every access goes
// through the lock; the windows copy out what they show.
class SharedGps {
  public:
    template <class F>
    auto with(F&& f) {
        std::lock_guard lock(mutex_);
        return f(data_);
    }
    template <class F>
    auto with(F&& f) const {
        std::lock_guard lock(mutex_);
        return f(static_cast<const GpsData&>(data_));
    }

    struct Snapshot {
        GpsFix fix;
        GpsText text;
    };
    Snapshot snapshot() const {
        return with([](const GpsData& d) { return Snapshot{d.fix, d.text}; });
    }

  private:
    mutable std::mutex mutex_;
    GpsData data_;
};
