#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

// The GPS simulator, started by a test: it prints its pseudo-terminal first, which the test
// then reads as a receiver's serial port. Ended and reaped when the test leaves.
class NmeasimProcess {
  public:
    explicit NmeasimProcess(std::vector<std::string> args) {
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        args.insert(args.begin(), NMEASIM_PATH);
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, NMEASIM_PATH, &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        out_ = out[0];
        readDevice();
    }
    ~NmeasimProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) {
            ::close(out_);
        }
    }
    NmeasimProcess(const NmeasimProcess&) = delete;
    NmeasimProcess& operator=(const NmeasimProcess&) = delete;

    // "/dev/pts/N", or empty when the simulator did not start.
    const std::string& device() const { return device_; }

  private:
    void readDevice() {
        char c = 0;
        while (out_ >= 0) {
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, 5000) <= 0 || ::read(out_, &c, 1) != 1 || c == '\n') {
                break;
            }
            device_.push_back(c);
        }
    }

    pid_t pid_ = -1;
    int out_ = -1;
    std::string device_;
};
