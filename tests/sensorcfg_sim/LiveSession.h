#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

#include "common/SerialPortMap.h"
#include "sensorcfg/FakePrompts.h"
#include "sensorcfg/Profile.h"
#include "sensorcfg/SerialSensorLink.h"
#include "sensorcfg/SessionHarness.h"
#include "sensorcfg_sim/SensorSim.h"

// The session on the real serial link, in real time. The test thread is the user-interface
// thread: it sleeps until the reader thread wakes it with lines or the attempt timer is due.
class LiveSessionTest : public ::testing::Test {
  protected:
    using Clock = std::chrono::steady_clock;

    class RealTimer : public OperationTimer {
      public:
        void start(unsigned ms) override { due = Clock::now() + std::chrono::milliseconds(ms); }
        void stop() override { due.reset(); }
        std::optional<Clock::time_point> due;
    };

    LiveSessionTest() {
        resetToDefaults(config, 2);
        profile.writeInt(profile_keys::kCommunications, profile_keys::kPort, 3);
        doc = std::make_unique<CQuorelDoc>(config, profile, prompts);
    }
    ~LiveSessionTest() override {
        session.reset();
        link.reset();
    }

    // The simulator, and COM3 pointed at its device the way a user does in sentrim.ini.
    void startSim(std::vector<std::string> args) {
        sim = std::make_unique<SensorSim>(std::move(args));
        ASSERT_FALSE(sim->device().empty());
        profile.writeString(profile_keys::kSerialPorts, "COM3", sim->device());
        link = std::make_unique<SerialSensorLink>(
            [this](int n) {
                return SerialPortMap(
                           {}, readSerialPortOverrides(profile.ini(), profile_keys::kSerialPorts))
                    .device(n);
            },
            [this] {
                std::lock_guard lock(mutex);
                woken = true;
                cv.notify_all();
            });
        session = std::make_unique<SensorSession>(
            *doc, profile, SessionPorts{*link, timer, prompts, ui, clock, processes}, "/tmp");
    }

    // Runs the events until the operation has ended (or `limit` passed); `each` runs between
    // events, for tests that act while an operation waits.
    void runWhileBusy(std::chrono::seconds limit = std::chrono::seconds(60),
                      const std::function<void()>& each = nullptr) {
        const Clock::time_point end = Clock::now() + limit;
        while (session->busy() && Clock::now() < end) {
            {
                std::unique_lock lock(mutex);
                const Clock::time_point until = timer.due ? std::min(*timer.due, end) : end;
                cv.wait_until(lock, until, [this] { return woken; });
                woken = false;
            }
            link->deliverPending();
            if (timer.due && Clock::now() >= *timer.due) {
                timer.due.reset();
                session->onTimer();
            }
            if (each) {
                each();
            }
        }
        ASSERT_FALSE(session->busy()) << "the operation did not end in time";
    }
    // Lets lines arrive for a while with no operation running.
    void idle(std::chrono::milliseconds span) {
        const Clock::time_point end = Clock::now() + span;
        while (Clock::now() < end) {
            std::unique_lock lock(mutex);
            cv.wait_until(lock, end, [this] { return woken; });
            woken = false;
            lock.unlock();
            link->deliverPending();
        }
    }
    void connect() {
        session->connect();
        runWhileBusy();
        ASSERT_TRUE(session->connected()) << testing::PrintToString(prompts.texts());
        prompts.messages.clear();
    }

    SensorConfig config;
    Profile profile{""};
    FakePrompts prompts;
    FakeUi ui;
    FakeClock clock;
    FakeProcesses processes;
    RealTimer timer;
    std::unique_ptr<CQuorelDoc> doc;
    std::unique_ptr<SensorSim> sim;
    std::unique_ptr<SerialSensorLink> link;
    std::unique_ptr<SensorSession> session;
    std::mutex mutex;
    std::condition_variable cv;
    bool woken = false;
};
