#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "sim/common/OptionReader.h"

class DeviceSymlink;
class PseudoTerminal;

// The POSIX shell every simulator's main() wraps around its core: arguments in, exit codes,
// signals, the monotonic clock and, for the serial simulators, their device.
namespace sim {

constexpr int kExitStartFailure = 1;
constexpr int kExitBadArguments = 2;

// The arguments after the program name.
std::vector<std::string> arguments(int argc, char** argv);

// The usage on stdout (exit 0) or the error and a hint on stderr (exit 2); nullopt: run.
std::optional<int> exitBeforeRun(const char* program, ParseStatus status, const std::string& error,
                                 const char* usage);

template <class Options>
std::optional<int> exitBeforeRun(const char* program, const Parsed<Options>& parsed,
                                 const char* usage) {
    return exitBeforeRun(program, parsed.status, parsed.error, usage);
}

// Each of `signals` asks the program to stop. No SA_RESTART, so the signal interrupts the poll
// it waits in; SIGPIPE is ignored, so a peer gone shows as a failed write.
void installStopSignals(std::initializer_list<int> signals);
bool stopRequested();

// `signal` asks for one action (write a dump, say); takeRequest() is true once per arrival.
void installRequestSignal(int signal);
bool takeRequest();

std::int64_t steadyMicros();

// A poll time-out for a wait of `micros` (rounded up to whole milliseconds), at most `capMs`, so
// a stop request is seen even if its signal slips past a poll.
int pollTimeoutMs(std::int64_t micros, int capMs);

// Opens the simulated device at `baud` and, when `linkPath` is given, the symlink to it. Says
// why on stderr, as "<program>: ...", when either fails.
bool openDevice(const char* program, unsigned baud, const std::string& linkPath,
                PseudoTerminal& pty, DeviceSymlink& link);

}  // namespace sim
