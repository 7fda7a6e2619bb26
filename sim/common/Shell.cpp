#include "sim/common/Shell.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "common/PseudoTerminal.h"

namespace sim {
namespace {

// Set from signal handlers: the one piece of process-wide state a handler can reach.
volatile std::sig_atomic_t gStopRequested = 0;
volatile std::sig_atomic_t gRequested = 0;

void onStopSignal(int) {
    gStopRequested = 1;
}

void onRequestSignal(int) {
    gRequested = 1;
}

void install(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a signal interrupts poll and send
    sigaction(signal, &action, nullptr);
}

}  // namespace

std::vector<std::string> arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

std::optional<int> exitBeforeRun(const char* program, ParseStatus status, const std::string& error,
                                 const char* usage) {
    if (status == ParseStatus::Help) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (status == ParseStatus::Error) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", program, error.c_str(), program);
        return kExitBadArguments;
    }
    return std::nullopt;
}

void installStopSignals(std::initializer_list<int> signals) {
    for (int signal : signals) {
        install(signal, onStopSignal);
    }
    std::signal(SIGPIPE, SIG_IGN);
}

bool stopRequested() {
    return gStopRequested != 0;
}

void installRequestSignal(int signal) {
    install(signal, onRequestSignal);
}

bool takeRequest() {
    if (gRequested == 0) {
        return false;
    }
    gRequested = 0;
    return true;
}

std::int64_t steadyMicros() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

int pollTimeoutMs(std::int64_t micros, int capMs) {
    const std::int64_t ms = (std::max<std::int64_t>(0, micros) + 999) / 1000;
    return static_cast<int>(std::min<std::int64_t>(capMs, ms));
}

bool openDevice(const char* program, unsigned baud, const std::string& linkPath,
                PseudoTerminal& pty, DeviceSymlink& link) {
    if (!pty.open(baud)) {
        std::fprintf(stderr, "%s: cannot create a pseudo-terminal: %s\n", program,
                     std::strerror(errno));
        return false;
    }
    std::string error;
    if (!linkPath.empty() && !link.create(linkPath, pty.path(), error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        return false;
    }
    return true;
}

}  // namespace sim
