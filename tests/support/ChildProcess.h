#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

// A program a test starts (a simulator, the program under test): its standard output, and its
// standard error when asked, on pipes read line by line with a time-out. Ended (SIGTERM, then
// SIGKILL) and reaped when the test leaves, so no process outlives its test.
class ChildProcess {
  public:
    enum class Stream { Out, Err };
    enum class Stderr { Captured, Inherited };
    static constexpr int kLineTimeoutMs = 5000;
    static constexpr int kForever = -1;

    ChildProcess() = default;
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 Stderr err = Stderr::Captured) {
        start(program, args, err);
    }
    ~ChildProcess() {
        stop();
        for (const Pipe& p : pipes_) {
            if (p.fd >= 0) {
                ::close(p.fd);
            }
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // False when the program could not be started.
    bool start(const std::string& program, const std::vector<std::string>& args,
               Stderr err = Stderr::Captured) {
        int out[2];
        int errPipe[2] = {-1, -1};
        // Close-on-exec, so another child started meanwhile never holds these pipes open.
        if (::pipe2(out, O_CLOEXEC) != 0) {
            return false;
        }
        if (err == Stderr::Captured && ::pipe2(errPipe, O_CLOEXEC) != 0) {
            ::close(out[0]);
            ::close(out[1]);
            return false;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        if (err == Stderr::Captured) {
            posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
        }
        std::vector<std::string> all = args;
        all.insert(all.begin(), program);
        std::vector<char*> argv;
        for (std::string& a : all) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        if (::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        pipes_[0].fd = out[0];
        if (err == Stderr::Captured) {
            ::close(errPipe[1]);
            pipes_[1].fd = errPipe[0];
        }
        return pid_ > 0;
    }

    // The next line of the stream, without its newline; nullopt after `timeoutMs` without one
    // or once the stream has ended.
    std::optional<std::string> readLine(Stream stream = Stream::Out,
                                        int timeoutMs = kLineTimeoutMs) {
        Pipe& p = pipes_[stream == Stream::Out ? 0 : 1];
        while (true) {
            const std::size_t newline = p.buffered.find('\n');
            if (newline != std::string::npos) {
                std::string line = p.buffered.substr(0, newline);
                p.buffered.erase(0, newline + 1);
                return line;
            }
            pollfd fd{p.fd, POLLIN, 0};
            char chunk[4096];
            if (p.fd < 0 || ::poll(&fd, 1, timeoutMs) <= 0) {
                return std::nullopt;
            }
            const ssize_t n = ::read(p.fd, chunk, sizeof chunk);
            if (n <= 0) {
                return std::nullopt;
            }
            p.buffered.append(chunk, static_cast<std::size_t>(n));
        }
    }

    // The exit status (128 + the signal when one ended it) once it ends within `timeoutMs`.
    std::optional<int> waitExit(int timeoutMs = 2 * kLineTimeoutMs) {
        for (int waited = 0; pid_ > 0 && waited < timeoutMs; waited += 10) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return std::nullopt;
    }

    void signal(int sig) const {
        if (pid_ > 0) {
            ::kill(pid_, sig);
        }
    }

    // Asks it to end (SIGTERM), kills it when it has not within `graceMs`, and reaps it.
    void stop(int graceMs = 3000) {
        if (pid_ <= 0) {
            return;
        }
        signal(SIGTERM);
        if (!waitExit(graceMs)) {
            signal(SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

  private:
    struct Pipe {
        int fd = -1;
        std::string buffered;
    };

    pid_t pid_ = -1;
    Pipe pipes_[2];
};
