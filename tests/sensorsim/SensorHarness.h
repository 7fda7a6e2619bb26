#pragma once

// Drives a Sensor as its serial line would, on a clock of our own: what a program writes at a
// rate goes in, what the unit sends comes out, and every event is kept.
#include <algorithm>
#include <string>
#include <vector>

#include "nmeasim/UtcTime.h"
#include "sensorsim/Sensor.h"

namespace sensorsim {

class SensorHarness {
  public:
    // The unit starts half a second before a whole UTC second, so its first cycle comes at
    // 500 ms.
    static constexpr nmeasim::UtcMicros kStart = 1710003898LL * 1000000 + 500000;

    explicit SensorHarness(const SensorConfig& config, SensorSettings settings = {})
        : sensor(config, settings, kStart, [this](const std::string& e) { events.push_back(e); }) {}

    // Writes `bytes` with the line set to `rate` and returns what the unit sends at once.
    std::string say(const std::string& bytes, int rate) {
        sensor.setLineRate(rate);
        sensor.hear(bytes, now);
        return sensor.transmit(now);
    }

    // Lets `ms` pass in 10 ms steps and returns everything the unit sent meanwhile.
    std::string wait(std::int64_t ms) {
        std::string out;
        for (const std::int64_t end = now + ms; now < end;) {
            now = std::min(end, now + 10);
            out += sensor.transmit(now);
        }
        return out;
    }

    bool logged(const std::string& event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
    }

    // Events from `first` on, in order.
    std::vector<std::string> eventsSince(std::size_t first) const {
        return {events.begin() + static_cast<std::ptrdiff_t>(std::min(first, events.size())),
                events.end()};
    }

    std::vector<std::string> events;
    Sensor sensor;
    std::int64_t now = 0;
};

// The configuration of `model` at `baudCode`, with its output sentences switched off unless
// `withOutput`, so that only answers reach the line.
inline SensorConfig unit(int model, int baudCode = 3, bool withOutput = false) {
    SensorConfig c;
    resetToDefaults(c, model);
    c.baudrate = static_cast<std::int16_t>(baudCode);
    if (!withOutput) {
        c.sentences.fill(0);
    }
    return c;
}

}  // namespace sensorsim
