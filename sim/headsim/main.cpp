// headsim: the sonar head simulator on TCP. A thin POSIX shell over headsim_core: it listens,
// serves one client at a time, feeds received bytes to the framer and writes the replies.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <deque>
#include <string>
#include <vector>

#include "headsim/CommandFramer.h"
#include "headsim/HeadResponder.h"
#include "headsim/Options.h"
#include "headsim/SplitPlan.h"
#include "sim/common/Shell.h"

namespace {

using headsim::HeadResponder;
using headsim::PingPacer;
using headsim::SplitPlan;

// Upper bound on every wait, so a stop request is seen even if its signal slips past a poll.
constexpr int kIdlePollMs = 200;
// Commands read ahead of the replies; beyond this the socket is left unread (TCP pushes back).
constexpr std::size_t kMaxQueuedCommands = 64;
constexpr std::size_t kReceiveChunk = 4096;
constexpr std::int64_t kDrainMicros = 500000;

void sleepMicros(unsigned micros) {
    timespec pause{0, static_cast<long>(micros) * 1000};
    nanosleep(&pause, nullptr);
}

int openListener(const in_addr& address, std::uint16_t port, std::uint16_t& boundPort) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr = address;
    addr.sin_port = htons(port);
    socklen_t len = sizeof addr;
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 4) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        const int saved = errno;
        close(fd);
        errno = saved;
        return -1;
    }
    boundPort = ntohs(addr.sin_port);
    return fd;
}

// Waits for the next client; -1 once a stop is requested or the listener fails.
int acceptClient(int listenFd) {
    while (!sim::stopRequested()) {
        pollfd p{listenFd, POLLIN, 0};
        const int n = poll(&p, 1, kIdlePollMs);
        if (n < 0 && errno != EINTR) {
            return -1;
        }
        if (n <= 0) {
            continue;
        }
        const int fd = accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0) {
            return fd;
        }
        if (errno != EINTR && errno != ECONNABORTED && errno != EAGAIN) {
            return -1;
        }
    }
    return -1;
}

bool sendAll(int fd, const std::uint8_t* data, std::size_t len) {
    while (len > 0) {
        const ssize_t sent = send(fd, data, len, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR && !sim::stopRequested()) {
                continue;
            }
            return false;
        }
        data += sent;
        len -= static_cast<std::size_t>(sent);
    }
    return true;
}

bool sendReply(int fd, const std::vector<std::uint8_t>& bytes, SplitPlan& split) {
    const std::vector<std::size_t> segments = split.segments(bytes.size());
    std::size_t offset = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (i > 0) {
            sleepMicros(split.pauseMicros());
        }
        if (!sendAll(fd, bytes.data() + offset, segments[i])) {
            return false;
        }
        offset += segments[i];
    }
    return true;
}

// Half-closes first and drains what the client still sends, so the last reply is not lost to a
// reset caused by unread bytes.
void closeGracefully(int fd) {
    shutdown(fd, SHUT_WR);
    std::uint8_t sink[kReceiveChunk];
    const std::int64_t deadline = sim::steadyMicros() + kDrainMicros;
    for (std::int64_t now = sim::steadyMicros(); now < deadline; now = sim::steadyMicros()) {
        pollfd p{fd, POLLIN, 0};
        const int waitMs = static_cast<int>((deadline - now + 999) / 1000);
        if (poll(&p, 1, waitMs) <= 0 || recv(fd, sink, sizeof sink, 0) <= 0) {
            break;
        }
    }
    close(fd);
}

// Answers queued commands whose time has come. False when the connection is to end.
bool answerDue(int fd, std::deque<SwitchCommand>& queue, HeadResponder& responder, PingPacer& pacer,
               SplitPlan& split, int& waitMs) {
    waitMs = kIdlePollMs;
    while (!queue.empty() && !sim::stopRequested()) {
        const bool opens = responder.opensPing(queue.front());
        const std::int64_t now = sim::steadyMicros();
        const std::int64_t wait = pacer.dueAt(opens) - now;
        if (wait > 0) {
            waitMs = sim::pollTimeoutMs(wait, kIdlePollMs);
            return true;
        }
        const headsim::HeadReply reply = responder.respond(queue.front());
        queue.pop_front();
        if (opens) {
            pacer.opened(now);
        }
        if (reply.bytes.empty()) {
            continue;  // silent: the command is read and left unanswered
        }
        if (!sendReply(fd, reply.bytes, split) || reply.closeConnection) {
            return false;
        }
    }
    return true;
}

// Serves one client until it leaves, a fault closes the connection or a stop is requested.
void serveClient(int fd, HeadResponder& responder, double rate, SplitPlan& split) {
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    responder.startConnection();
    PingPacer pacer(rate);
    headsim::CommandFramer framer;
    std::deque<SwitchCommand> queue;
    std::vector<SwitchCommand> framed;
    std::uint8_t buffer[kReceiveChunk];
    while (!sim::stopRequested()) {
        int waitMs = kIdlePollMs;
        if (!answerDue(fd, queue, responder, pacer, split, waitMs)) {
            return;
        }
        pollfd p{fd, static_cast<short>(queue.size() < kMaxQueuedCommands ? POLLIN : 0), 0};
        const int n = poll(&p, 1, waitMs);
        if (n < 0 && errno != EINTR) {
            return;
        }
        if (n <= 0) {
            continue;
        }
        const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
        if (got == 0 || (got < 0 && errno != EINTR)) {
            return;
        }
        if (got > 0) {
            framed.clear();
            framer.feed(buffer, static_cast<std::size_t>(got), framed);
            queue.insert(queue.end(), framed.begin(), framed.end());
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const headsim::ParsedOptions parsed = headsim::parseOptions(sim::arguments(argc, argv));
    if (const auto code = sim::exitBeforeRun("headsim", parsed, headsim::usageText())) {
        return *code;
    }
    const headsim::Options& options = parsed.options;
    in_addr address{};
    if (inet_pton(AF_INET, options.bindAddress.c_str(), &address) != 1) {
        std::fprintf(stderr,
                     "headsim: invalid --bind address '%s' (expected IPv4, e.g. 127.0.0.1)\n",
                     options.bindAddress.c_str());
        return sim::kExitBadArguments;
    }
    sim::installStopSignals({SIGINT, SIGTERM});
    std::uint16_t port = 0;
    const int listenFd = openListener(address, options.port, port);
    if (listenFd < 0) {
        std::fprintf(stderr, "headsim: cannot listen on %s:%u: %s\n", options.bindAddress.c_str(),
                     static_cast<unsigned>(options.port), std::strerror(errno));
        return sim::kExitStartFailure;
    }
    char shown[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, shown, sizeof shown);
    std::printf("headsim listening on %s:%u\n", shown, static_cast<unsigned>(port));
    std::fflush(stdout);

    HeadResponder responder(options.seed, options.faults);
    SplitPlan split(options.split, options.splitSize, options.seed);
    while (!sim::stopRequested()) {
        const int fd = acceptClient(listenFd);
        if (fd < 0) {
            break;
        }
        serveClient(fd, responder, options.rate, split);
        closeGracefully(fd);
        if (options.once) {
            break;
        }
    }
    close(listenFd);
    return 0;
}
