#pragma once

#include <cmath>
#include <cstdint>

#include "datafile/ByteOrder.h"
#include "datafile/PingTime.h"
#include "datafile/XtfLayout.h"

// Field readers both XTF readers (ours and other systems') share.
namespace xtf {

// Other writers leave NaN or infinity in fields they do not fill.
inline double finiteOrZero(double v) {
    return std::isfinite(v) ? v : 0.0;
}

// The time of a ping packet; the file keeps hundredths of a second.
inline PingTime packetTime(const std::uint8_t* h) {
    namespace ph = ping;
    PingTime t;
    t.year = byteorder::getLe16(h + ph::kYear);
    t.month = h[ph::kMonth];
    t.day = h[ph::kDay];
    t.hour = h[ph::kHour];
    t.minute = h[ph::kMinute];
    t.second = h[ph::kSecond];
    t.millisecond = h[ph::kHSeconds] * 10;
    return t;
}

}  // namespace xtf
