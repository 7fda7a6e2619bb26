// sensorsim: a Tavrin GPS sensor on a pseudo-terminal. A thin POSIX shell over sensorsim_core:
// it opens the pty, tells the core the rate the line is set to, moves bytes both ways in a poll
// loop and handles signals; the core decides what the unit hears and says.
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "common/PseudoTerminal.h"
#include "nmeasim/Transmitter.h"
#include "sensorsim/LineSpeed.h"
#include "sensorsim/Options.h"
#include "sensorsim/SavedConfig.h"
#include "sensorsim/Sensor.h"
#include "sim/common/Shell.h"

namespace {

// Upper bound on every wait, so a changed line rate or a stop request is seen promptly.
constexpr int kIdlePollMs = 50;
constexpr std::size_t kMaxPendingBytes = 65536;

nmeasim::UtcMicros utcNow() {
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

void emit(const std::string& event) {
    std::fputs(event.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

class Runner {
  public:
    Runner(const PseudoTerminal& pty, sensorsim::Sensor& sensor, std::string dumpFile)
        : pty_(pty), sensor_(sensor), dumpFile_(std::move(dumpFile)), start_(sim::steadyMicros()) {}

    void run() {
        while (!sim::stopRequested()) {
            if (sim::takeRequest()) {
                dump();
            }
            followLineRate();
            const std::int64_t now = elapsedMs();
            const std::int64_t wait =
                std::clamp<std::int64_t>(sensor_.nextDueMs() - now, 0, kIdlePollMs);
            pollfd p{pty_.master(), static_cast<short>(POLLIN | (pending_.empty() ? 0 : POLLOUT)),
                     0};
            if (poll(&p, 1, static_cast<int>(wait)) > 0 && (p.revents & POLLIN)) {
                hear();
            }
            pending_ += sensor_.transmit(elapsedMs());
            send();
        }
    }

    void dump() {
        if (dumpFile_.empty()) {
            return;
        }
        std::string error;
        if (sensorsim::saveConfig(sensor_.config(), dumpFile_, error)) {
            emit("dumped " + dumpFile_);
        } else {
            std::fprintf(stderr, "sensorsim: %s\n", error.c_str());
        }
    }

  private:
    std::int64_t elapsedMs() const { return (sim::steadyMicros() - start_) / 1000; }

    // A new rate means the program reopened or reset the port: what waited in the terminal
    // was sent for the old one, and a port that was closed received nothing.
    void followLineRate() {
        const int rate = lineSpeed(pty_.slave());
        if (rate > 0 && rate != sensor_.lineRate()) {
            tcflush(pty_.slave(), TCIFLUSH);
            sensor_.setLineRate(rate);
        }
    }

    void hear() {
        std::string bytes;
        char buffer[1024];
        ssize_t n = 0;
        while ((n = read(pty_.master(), buffer, sizeof buffer)) > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
        // The rate after the read: a program sets its rate before it writes.
        followLineRate();
        sensor_.hear(bytes, elapsedMs());
    }

    void send() {
        const std::int64_t now = sim::steadyMicros();
        while (!pending_.empty()) {
            const ssize_t w = write(pty_.master(), pending_.data(), pending_.size());
            if (w < 0 && errno == EINTR) {
                continue;
            }
            if (w <= 0) {
                break;
            }
            age_.wrote(static_cast<std::size_t>(w), now);
            pending_.erase(0, static_cast<std::size_t>(w));
        }
        // What nobody reads is lost, as on a serial line.
        if (pending_.size() > kMaxPendingBytes || age_.stale(pty_.unread(), now)) {
            tcflush(pty_.slave(), TCIFLUSH);
            pending_.clear();
        }
    }

    const PseudoTerminal& pty_;
    sensorsim::Sensor& sensor_;
    std::string dumpFile_;
    std::int64_t start_;
    std::string pending_;
    nmeasim::OutputAge age_;
};

}  // namespace

int main(int argc, char** argv) {
    const sensorsim::ParsedOptions parsed = sensorsim::parseOptions(sim::arguments(argc, argv));
    if (const auto code = sim::exitBeforeRun("sensorsim", parsed, sensorsim::usageText())) {
        return *code;
    }
    const sensorsim::Options& options = parsed.options;
    std::string error;
    const auto config =
        sensorsim::startingConfig(options.model, options.configFile, options.baudCode, error);
    if (!config) {
        std::fprintf(stderr, "sensorsim: %s\n", error.c_str());
        return sim::kExitStartFailure;
    }
    sim::installStopSignals({SIGINT, SIGTERM, SIGHUP});
    sim::installRequestSignal(SIGUSR1);
    const int rate = baudCodeToRate(config->baudrate);
    PseudoTerminal pty;
    DeviceSymlink link;
    if (!sim::openDevice("sensorsim", static_cast<unsigned>(rate), options.link, pty, link)) {
        return sim::kExitStartFailure;
    }
    emit(pty.path());
    std::fprintf(stderr, "sensorsim: %s (base model %d) at %d bps on %s\n",
                 modelName(options.model).c_str(), options.model, rate, pty.path().c_str());

    sensorsim::Sensor sensor(*config, options.sensor, utcNow(), emit);
    Runner runner(pty, sensor, options.dumpFile);
    runner.run();
    runner.dump();
    return 0;
}
