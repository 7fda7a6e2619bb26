#pragma once

// The platform's system time in its UTC layout, as the clock is read and set.
struct SystemTime {
    int year = 1970;
    int month = 1;
    int dayOfWeek = 4;  // 0 Sunday
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// What GPS time needs of the computer's clock. Tests use a fake: the suite may run with the
// privilege to set the clock and must never change the machine's time.
class GpsClock {
  public:
    virtual ~GpsClock() = default;
    virtual SystemTime utcNow() = 0;
    virtual CivilDate localDate() = 0;
    // False when the clock could not be set (no privilege, a date the system refuses).
    virtual bool setUtc(const SystemTime& t) = 0;
};
