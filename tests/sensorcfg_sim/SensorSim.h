#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

// sensorsim run as a process: its device from the first line of its output, then every event
// line it prints, collected on a thread of its own.
class SensorSim {
  public:
    explicit SensorSim(std::vector<std::string> args) {
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        args.insert(args.begin(), SENSORSIM_PATH);
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, SENSORSIM_PATH, &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        out_ = ::fdopen(out[0], "r");
        reader_ = std::thread([this] { read(); });
        waitFor([this] { return !device_.empty(); }, std::chrono::seconds(10));
    }
    ~SensorSim() {
        stop();
        if (reader_.joinable()) {
            reader_.join();
        }
        if (out_) {
            std::fclose(out_);
        }
    }
    SensorSim(const SensorSim&) = delete;
    SensorSim& operator=(const SensorSim&) = delete;

    // Ends the simulator (SIGTERM) and waits for it.
    void stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
        }
    }
    void signal(int sig) const {
        if (pid_ > 0) {
            ::kill(pid_, sig);
        }
    }

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
        char line[4096];
        while (out_ && std::fgets(line, sizeof line, out_)) {
            std::string s(line);
            while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) {
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

    pid_t pid_ = -1;
    FILE* out_ = nullptr;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::string device_;
    std::vector<std::string> events_;
    std::thread reader_;
};
