#pragma once

#include <vector>

#include "gps/GpsClock.h"

// A clock that records every attempt to set it and never touches the machine's time.
struct FakeGpsClock : GpsClock {
    SystemTime now{2026, 12, 1, 7, 9, 5, 3, 42};
    CivilDate local{2026, 12, 7};
    bool privileged = true;
    std::vector<SystemTime> setTo;

    SystemTime utcNow() override { return now; }
    CivilDate localDate() override { return local; }
    bool setUtc(const SystemTime& t) override {
        setTo.push_back(t);
        return privileged;
    }
};
