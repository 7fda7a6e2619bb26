#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/ChildProcess.h"

// sensorsim run as a process: its device from the first line of its output, then every event
// line it prints, collected on a thread of its own.
class SensorSim {
  public:
    explicit SensorSim(const std::vector<std::string>& args)
        : process_(SENSORSIM_PATH, args, ChildProcess::Stderr::Inherited) {
        reader_ = std::thread([this] { read(); });
        waitFor([this] { return !device_.empty(); }, std::chrono::seconds(10));
    }
    ~SensorSim() {
        stop();
        if (reader_.joinable()) {
            reader_.join();
        }
    }
    SensorSim(const SensorSim&) = delete;
    SensorSim& operator=(const SensorSim&) = delete;

    // Ends the simulator (SIGTERM) and waits for it.
    void stop() { process_.stop(); }
    void signal(int sig) const { process_.signal(sig); }

    std::string device() const {
        std::lock_guard lock(mutex_);
        return device_;
    }
    std::vector<std::string> events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    // The events that begin with `prefix`.
    std::vector<std::string> events(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& e : events()) {
            if (e.rfind(prefix, 0) == 0) {
                out.push_back(e);
            }
        }
        return out;
    }
    // Waits until an event beginning with `prefix` has been printed; false after `limit`.
    bool waitForEvent(const std::string& prefix,
                      std::chrono::milliseconds limit = std::chrono::seconds(5)) {
        return waitFor([&] { return hasEvent(prefix); }, limit);
    }

  private:
    bool hasEvent(const std::string& prefix) const {
        for (const std::string& e : events_) {
            if (e.rfind(prefix, 0) == 0) {
                return true;
            }
        }
        return false;
    }
    template <typename Pred>
    bool waitFor(Pred pred, std::chrono::milliseconds limit) {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, limit, pred);
    }
    void read() {
        while (auto line = process_.readLine(ChildProcess::Stream::Out, ChildProcess::kForever)) {
            std::string s = *line;
            while (!s.empty() && s.back() == '\r') {
                s.pop_back();
            }
            std::lock_guard lock(mutex_);
            if (device_.empty()) {
                device_ = s;
            } else {
                events_.push_back(s);
            }
            cv_.notify_all();
        }
    }

    ChildProcess process_;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::string device_;
    std::vector<std::string> events_;
    std::thread reader_;
};
