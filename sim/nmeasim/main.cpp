// nmeasim: a GPS receiver on a pseudo-terminal. A thin POSIX shell over nmeasim_core: it opens
// the pty, runs the poll loop and handles signals; the core decides what is written and when.
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/PseudoTerminal.h"
#include "nmeasim/CycleSource.h"
#include "nmeasim/Faults.h"
#include "nmeasim/Options.h"
#include "nmeasim/Replay.h"
#include "nmeasim/Transmitter.h"
#include "sim/common/Shell.h"

namespace {

// Upper bound on every wait, so a stop request is seen even if its signal slips past a poll.
constexpr int kIdlePollMs = 200;
// After the last fix: how long a reader gets to take what is still in the terminal, and how
// long the input must stay empty to count as taken.
constexpr std::int64_t kDrainMicros = 5000000;
constexpr std::int64_t kDrainQuietMicros = 100000;

nmeasim::UtcMicros wholeSecondNow() {
    using namespace std::chrono;
    const auto s = duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<nmeasim::UtcMicros>(s) * nmeasim::kMicrosPerSecond;
}

class PtyLine : public nmeasim::LinePort {
  public:
    explicit PtyLine(int fd) : fd_(fd) {}

    std::size_t write(const char* data, std::size_t n) override {
        while (true) {
            const ssize_t w = ::write(fd_, data, n);
            if (w >= 0) {
                return static_cast<std::size_t>(w);
            }
            if (errno != EINTR) {
                return 0;
            }
        }
    }

  private:
    int fd_;
};

std::unique_ptr<nmeasim::CycleSource> makeSource(const nmeasim::Options& o, std::string& error) {
    if (!o.replay.empty()) {
        auto log = nmeasim::loadReplayLog(o.replay, error);
        if (!log) {
            return nullptr;
        }
        return std::make_unique<nmeasim::ReplaySource>(std::move(*log), o.loop);
    }
    nmeasim::VesselConfig vessel = o.vessel;
    vessel.seed = o.seed;
    return std::make_unique<nmeasim::VesselSource>(vessel, o.startTime.value_or(wholeSecondNow()),
                                                   o.rate, o.sentences, o.talker);
}

void run(const nmeasim::Options& options, const PseudoTerminal& pty, nmeasim::CycleSource& source) {
    nmeasim::FaultInjector faults(options.faults, options.seed);
    nmeasim::Transmitter tx(source, faults, {options.fast, options.baud, options.count});
    PtyLine line(pty.master());
    while (!sim::stopRequested() && !tx.finished()) {
        const std::int64_t now = sim::steadyMicros();
        const std::int64_t wake = tx.service(now, line);
        if (const auto warning = tx.takeWarning()) {
            std::fprintf(stderr, "nmeasim: %s\n", warning->c_str());
        }
        // Real time: what nobody reads is lost, as on a serial line.
        if (!options.fast && (tx.blocked() || tx.outputAge().stale(pty.unread(), now))) {
            tcflush(pty.slave(), TCIFLUSH);
        }
        pollfd p{pty.master(), static_cast<short>(POLLIN | (tx.blocked() ? POLLOUT : 0)), 0};
        if (poll(&p, 1, sim::pollTimeoutMs(wake - now, kIdlePollMs)) > 0 && (p.revents & POLLIN)) {
            pty.discardInput();
        }
    }
}

// Gives a reader the chance to take the last fixes before the device goes away.
void drain(const PseudoTerminal& pty) {
    const std::int64_t deadline = sim::steadyMicros() + kDrainMicros;
    std::int64_t quietSince = sim::steadyMicros();
    while (!sim::stopRequested() && sim::steadyMicros() < deadline) {
        if (pty.unread() > 0) {
            quietSince = sim::steadyMicros();
        } else if (sim::steadyMicros() - quietSince >= kDrainQuietMicros) {
            return;
        }
        pollfd p{pty.master(), POLLIN, 0};
        if (poll(&p, 1, 10) > 0 && (p.revents & POLLIN)) {
            pty.discardInput();
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const nmeasim::ParsedOptions parsed = nmeasim::parseOptions(sim::arguments(argc, argv));
    if (const auto code = sim::exitBeforeRun("nmeasim", parsed, nmeasim::usageText())) {
        return *code;
    }
    const nmeasim::Options& options = parsed.options;
    std::string error;
    const std::unique_ptr<nmeasim::CycleSource> source = makeSource(options, error);
    if (!source) {
        std::fprintf(stderr, "nmeasim: %s\n", error.c_str());
        return sim::kExitStartFailure;
    }
    sim::installStopSignals({SIGINT, SIGTERM, SIGHUP});
    PseudoTerminal pty;
    DeviceSymlink link;
    if (!sim::openDevice("nmeasim", options.baud, options.link, pty, link)) {
        return sim::kExitStartFailure;
    }
    std::printf("%s\n", pty.path().c_str());
    std::fflush(stdout);

    run(options, pty, *source);
    if (!sim::stopRequested()) {
        drain(pty);
    }
    return 0;
}
