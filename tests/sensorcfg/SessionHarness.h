#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sensorcfg/CQuorelDoc.h"
#include "sensorcfg/FakePrompts.h"
#include "sensorcfg/SensorSession.h"

// A serial line in simulated time. A scripted sensor answers what is written (after a delay,
// and only at its own rate); answers "arrive" into a queue and reach the session when the
// harness delivers them, or earlier when the session asks for them before a time-out.
class FakeLink : public SensorLink {
  public:
    struct Write {
        int rate;
        std::string bytes;
    };
    // What the sensor sends back for a write heard at `rate`.
    std::function<std::vector<std::string>(const std::string& written, int rate)> sensor;
    unsigned replyDelayMs = 40;
    std::function<bool(int port, int rate)> canOpen = [](int, int) { return true; };

    void setSink(SensorLinkSink* sink) override { sink_ = sink; }
    bool open(int port, int rate) override {
        opens.push_back({port, rate});
        open_ = canOpen(port, rate);
        rate_ = rate;
        return open_;
    }
    bool setBaudRate(int rate) override {
        rate_ = rate;
        return open_;
    }
    std::size_t write(const std::string& bytes) override {
        if (!open_) {
            return 0;
        }
        writes.push_back({rate_, bytes});
        if (sensor) {
            for (const std::string& line : sensor(bytes, rate_)) {
                schedule(*now + replyDelayMs, line);
            }
        }
        return bytes.size();
    }
    void close() override {
        if (open_) {
            ++closes;
        }
        open_ = false;
        deliverPending();
        scheduled.clear();
    }
    bool isOpen() const override { return open_; }
    void deliverPending() override {
        while (!arrived.empty()) {
            const std::string line = arrived.front();
            arrived.pop_front();
            if (sink_) {
                sink_->onLine(line);
            }
        }
    }

    std::vector<std::string> written() const {
        std::vector<std::string> out;
        for (const Write& w : writes) {
            out.push_back(w.bytes);
        }
        return out;
    }

    struct Scheduled {
        std::uint64_t at;
        std::string line;
    };
    // A line the sensor sends at `at` (simulated ms), in time order with the others.
    void schedule(std::uint64_t at, const std::string& line) {
        auto pos = scheduled.begin();
        while (pos != scheduled.end() && pos->at <= at) {
            ++pos;
        }
        scheduled.insert(pos, {at, line});
    }
    const std::uint64_t* now = nullptr;
    std::vector<std::pair<int, int>> opens;
    std::vector<Write> writes;
    std::deque<Scheduled> scheduled;
    std::deque<std::string> arrived;
    int closes = 0;
    SensorLinkSink* sink_ = nullptr;

  private:
    bool open_ = false;
    int rate_ = 0;
};

class FakeTimer : public OperationTimer {
  public:
    void start(unsigned ms) override {
        active = true;
        due = *now + ms;
        intervals.push_back(ms);
    }
    void stop() override { active = false; }
    bool active = false;
    std::uint64_t due = 0;
    std::vector<unsigned> intervals;
    const std::uint64_t* now = nullptr;
};

class FakeUi : public SessionUi {
  public:
    void setBusy(bool b) override {
        busy = b;
        busyChanges.push_back(b);
    }
    void showWait() override { waitShown = true; }
    void setWaitText(const std::string& text) override {
        waitText = text;
        waitTexts.push_back(text);
    }
    void setWaitAttempt(const std::string& text) override {
        attemptText = text;
        attemptTexts.push_back(text);
    }
    void hideWait() override {
        waitShown = false;
        waitText.clear();
        attemptText.clear();
    }
    void monitorChanged() override { ++monitorChanges; }
    void configurationChanged() override { ++configChanges; }
    void linkChanged() override { ++linkChanges; }

    bool busy = false;
    std::vector<bool> busyChanges;
    bool waitShown = false;
    std::string waitText;
    std::string attemptText;
    std::vector<std::string> waitTexts;
    std::vector<std::string> attemptTexts;
    int monitorChanges = 0;
    int configChanges = 0;
    int linkChanges = 0;
};

class FakeClock : public UtcClock {
  public:
    UtcTime now() const override { return time; }
    UtcTime time{2024, 3, 7, 14, 5, 9};
};

class FakeProcesses : public ProcessStarter {
  public:
    bool startDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override {
        started.push_back({program, arguments});
        return true;
    }
    std::vector<std::pair<std::string, std::vector<std::string>>> started;
};

// The session with every port faked, and a loop that moves simulated time from one event
// (a line arriving, the timer expiring) to the next.
class SessionTest : public ::testing::Test {
  protected:
    SessionTest() {
        link.now = &now;
        timer.now = &now;
        resetToDefaults(config, 2);
        doc = std::make_unique<CQuorelDoc>(config, profile, prompts);
        session = std::make_unique<SensorSession>(
            *doc, profile, SessionPorts{link, timer, prompts, ui, clock, processes}, "/home/crew");
    }
    ~SessionTest() override { session.reset(); }

    // A sensor at `rate` that echoes every configuration sentence and answers the queries.
    void sensorAt(int rate) {
        link.sensor = [this, rate](const std::string& w, int heard) -> std::vector<std::string> {
            if (heard != rate) {
                return {};
            }
            auto it = replies.find(w);
            if (it != replies.end()) {
                return it->second;
            }
            if (w.find('X') != std::string::npos || w == "$PTVRO,,E\r\n" || w == "$PTVRO,,T\r\n") {
                return {};
            }
            return {w};
        };
    }

    // Runs events until nothing is pending or `limitMs` of simulated time has passed. A line
    // due at the same moment as the timer arrives first.
    void run(std::uint64_t limitMs = 24ULL * 3600 * 1000,
             const std::function<bool()>& until = nullptr) {
        const std::uint64_t end = now + limitMs;
        while (!(until && until())) {
            constexpr std::uint64_t kNever = ~0ULL;
            const std::uint64_t lineAt =
                link.scheduled.empty() ? kNever : link.scheduled.front().at;
            const std::uint64_t timerAt = timer.active ? timer.due : kNever;
            const std::uint64_t next = std::min(lineAt, timerAt);
            if (next == kNever) {
                return;
            }
            if (next > end) {
                now = end;
                return;
            }
            now = next;
            if (lineAt <= timerAt) {
                link.arrived.push_back(link.scheduled.front().line);
                link.scheduled.pop_front();
                if (deliverOnArrival) {
                    link.deliverPending();
                }
            } else {
                timer.active = false;
                session->onTimer();
            }
        }
    }

    // Until the running operation has ended (the sensor may go on talking).
    void runWhileBusy() {
        run(24ULL * 3600 * 1000, [this] { return !session->busy(); });
    }

    // The sensor transmits GGA, GSA, three GSV and RMC once a second from `from` on.
    void transmitCycles(std::uint64_t from, int seconds) {
        for (int s = 0; s < seconds; ++s) {
            const std::uint64_t t = from + static_cast<std::uint64_t>(s) * 1000;
            int i = 0;
            for (const char* line :
                 {"$GPGGA,120000,4736.1,N\r\n", "$GPGSA,A,3,04,05\r\n", "$GPGSV,3,1,11,04\r\n",
                  "$GPGSV,3,2,11,09\r\n", "$GPGSV,3,3,11,21\r\n", "$GPRMC,120000,A\r\n"}) {
                link.schedule(t + static_cast<std::uint64_t>(i++) * 20, line);
            }
        }
    }

    std::vector<std::string> messageTexts() const { return prompts.texts(); }
    int writesAt(int rate) const {
        int n = 0;
        for (const auto& w : link.writes) {
            n += w.rate == rate ? 1 : 0;
        }
        return n;
    }

    std::uint64_t now = 0;
    // False: arrived lines wait until the session asks for them (as before a time-out).
    bool deliverOnArrival = true;
    SensorConfig config;
    Profile profile{""};
    FakePrompts prompts;
    FakeLink link;
    FakeTimer timer;
    FakeUi ui;
    FakeClock clock;
    FakeProcesses processes;
    std::map<std::string, std::vector<std::string>> replies;
    std::unique_ptr<CQuorelDoc> doc;
    std::unique_ptr<SensorSession> session;
};
