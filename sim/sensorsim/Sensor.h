#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "nmeasim/UtcTime.h"
#include "sensorcfg/SensorConfig.h"
#include "sensorsim/BinaryListener.h"
#include "sensorsim/Command.h"
#include "sensorsim/OutputCycle.h"

namespace sensorsim {

// Troubles of a real unit and line, switched on for training and tests.
struct Faults {
    unsigned dropEchoEvery = 0;  // every Nth echo is not sent (the setting is still applied)
    bool noise = false;          // random bytes before the "$" of answers and of some sentences
    unsigned lateMs = 0;         // echoes and replies go out this long after the sentence came
    bool longLines = false;      // now and then sentences run together past 200 characters
};

struct SensorSettings {
    Faults faults;
    bool replyChecksum = false;  // replies to the queries end in "*hh"
    std::uint64_t seed = 3;
};

enum class Mode { Nmea, Binary };

// One event for the log: "echo $PTVRO,,", "baud 9600", ...
using EventLog = std::function<void(const std::string&)>;

// The sensor's behaviour on its serial line, without the line itself: bytes heard go in with
// the time, bytes to send come out. It hears only while the line is set to its own rate (at any
// other rate a receiver makes nothing of the bits), and what it sends at a rate the line is not
// set to arrives as garbage. Times are milliseconds from the start.
class Sensor {
  public:
    static constexpr int kBinaryRate = 9600;
    static constexpr std::size_t kMaxLine = 200;  // characters before CR LF
    static constexpr std::int64_t kRestartMs = 2000;

    Sensor(const SensorConfig& config, const SensorSettings& settings,
           nmeasim::UtcMicros utcAtStart, EventLog log);

    // The rate the line is set to now (what the program at the other end chose).
    void setLineRate(int rate);
    void hear(std::string_view bytes, std::int64_t nowMs);
    // Everything due by `nowMs`: answers, the output cycle, binary-mode verdicts.
    std::string transmit(std::int64_t nowMs);
    // When transmit() next has something to do.
    std::int64_t nextDueMs() const;

    int rate() const { return rate_; }
    int lineRate() const { return lineRate_; }
    Mode mode() const { return mode_; }
    bool testMode() const { return testMode_; }
    const SensorConfig& config() const { return config_; }

  private:
    struct Pending {
        std::int64_t dueMs = 0;
        std::string text;   // empty: nothing to send (a dropped echo)
        std::string event;  // logged when sent
        std::optional<int> rateAfter;
    };

    void hearNmea(std::string_view bytes, std::int64_t nowMs);
    void handleLine(const std::string& line, std::int64_t nowMs);
    void apply(const Accepted& accepted, const std::string& sentence, std::int64_t nowMs);
    void act(Action action, std::int64_t nowMs);
    void queueEcho(const std::string& sentence, std::optional<int> rateAfter, std::int64_t nowMs);
    void queueReply(std::string reply, std::int64_t nowMs);
    void judgeBinary(const std::vector<BinaryListener::Outcome>& outcomes, std::int64_t nowMs);
    void release(std::int64_t nowMs, std::string& out);
    void cycle(std::int64_t nowMs, std::string& out);
    void mergeLongLine(std::vector<Transmitted>& cycle);
    std::string noise();
    void send(std::string bytes, std::string& out);
    void setRate(int rate);
    void pauseOutput(std::int64_t nowMs, std::int64_t pauseMs);

    SensorConfig config_;
    SensorSettings settings_;
    nmeasim::UtcMicros utcAtStart_;
    EventLog log_;
    int rate_;
    int lineRate_;
    Mode mode_ = Mode::Nmea;
    bool testMode_ = false;
    std::string input_;
    bool discarding_ = false;
    std::deque<Pending> outbox_;
    std::uint64_t echoes_ = 0;
    std::mt19937_64 rng_;
    OutputCycle output_;
    std::int64_t nextCycleMs_ = 0;
    std::optional<std::int64_t> lastCycleMs_;
    std::optional<std::string> lastNames_;
    std::optional<BinaryListener> binary_;
};

// Non-printing bytes as \xHH, for the event log.
std::string printable(std::string_view text);

}  // namespace sensorsim
