// Runs the real headsim binary and talks to it over loopback TCP, as a client would.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "acquisition/HeadProtocol.h"
#include "acquisition/SwitchCommand.h"
#include "support/ChildProcess.h"

namespace {

constexpr int kTimeoutMs = 5000;
constexpr std::size_t kReturnLength = 1013;

const std::vector<std::uint8_t> kDefaultCommand = {
    0xFE, 0x44, 0x00, 0x09, 0x00, 0x00, 0x43, 0x00, 0x46, 0x00, 0x1E, 0x1E, 0x00, 0x01,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFD};

std::vector<std::uint8_t> starboardCommand() {
    std::vector<std::uint8_t> c = kDefaultCommand;
    c[SwitchCommand::kSideRequest] = SwitchCommand::kStarboard;
    return c;
}

// One headsim process with its stdout and stderr on pipes.
class Headsim {
  public:
    bool start(const std::vector<std::string>& args) { return process_.start(HEADSIM_PATH, args); }

    // The first line of stdout, or of stderr.
    std::optional<std::string> readLine(bool fromStderr = false) {
        return process_.readLine(fromStderr ? ChildProcess::Stream::Err : ChildProcess::Stream::Out,
                                 kTimeoutMs);
    }

    // Port from "headsim listening on ADDR:PORT".
    std::optional<int> listeningPort(const std::string& address) {
        const auto line = readLine();
        const std::string prefix = "headsim listening on " + address + ":";
        if (!line || line->rfind(prefix, 0) != 0) {
            ADD_FAILURE() << "unexpected first line: " << line.value_or("<none>");
            return std::nullopt;
        }
        return std::stoi(line->substr(prefix.size()));
    }

    // Exit status once the process ends by itself within the timeout.
    std::optional<int> waitExit() { return process_.waitExit(kTimeoutMs); }

    void signal(int sig) { process_.signal(sig); }

  private:
    ChildProcess process_;
};

class Client {
  public:
    bool connectTo(const std::string& address, int port) {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(static_cast<std::uint16_t>(port));
        inet_pton(AF_INET, address.c_str(), &addr.sin_addr);
        return fd_ >= 0 && connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    }

    ~Client() { closeNow(); }

    void closeNow() {
        if (fd_ >= 0) {
            close(fd_);
            fd_ = -1;
        }
    }

    bool send(const std::vector<std::uint8_t>& bytes) {
        return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }

    // Reads exactly n bytes (fewer when the peer closes or the time runs out).
    std::vector<std::uint8_t> receive(std::size_t n) {
        std::vector<std::uint8_t> got;
        std::uint8_t buffer[2048];
        while (got.size() < n) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, kTimeoutMs) <= 0) {
                break;
            }
            const ssize_t r = recv(fd_, buffer, std::min(sizeof buffer, n - got.size()), 0);
            if (r <= 0) {
                break;
            }
            ++reads_;
            got.insert(got.end(), buffer, buffer + r);
        }
        return got;
    }

    // True when the peer has closed: recv reports end of stream.
    bool peerClosed() {
        pollfd p{fd_, POLLIN, 0};
        std::uint8_t b = 0;
        return poll(&p, 1, kTimeoutMs) > 0 && recv(fd_, &b, 1, 0) == 0;
    }

    int reads() const { return reads_; }

  private:
    int fd_ = -1;
    int reads_ = 0;
};

struct Exchange {
    std::vector<std::uint8_t> port;
    std::vector<std::uint8_t> starboard;
    int reads = 0;
};

// Starts headsim with the given extra options, runs one ping and disconnects.
Exchange onePing(const std::string& address, const std::vector<std::string>& extra) {
    Exchange e;
    Headsim sim;
    std::vector<std::string> args = {"--bind", address, "--port", "0", "--once", "--seed", "4"};
    args.insert(args.end(), extra.begin(), extra.end());
    if (!sim.start(args)) {
        ADD_FAILURE() << "cannot start " << HEADSIM_PATH;
        return e;
    }
    const auto port = sim.listeningPort(address);
    Client client;
    if (!port || !client.connectTo(address, *port)) {
        ADD_FAILURE() << "cannot connect";
        return e;
    }
    EXPECT_TRUE(client.send(kDefaultCommand));
    e.port = client.receive(kReturnLength);
    EXPECT_TRUE(client.send(starboardCommand()));
    e.starboard = client.receive(kReturnLength);
    e.reads = client.reads();
    client.closeNow();
    EXPECT_EQ(sim.waitExit(), std::optional<int>(0)) << "--once ends after the client leaves";
    return e;
}

TEST(HeadsimProcessTest, AnswersThePortRequestThenTheStarboardRequest) {
    const Exchange e = onePing("127.0.0.61", {});
    ASSERT_EQ(e.port.size(), kReturnLength);
    ASSERT_EQ(e.starboard.size(), kReturnLength);
    EXPECT_EQ(head::sideOf(e.port[head::kSerialStatus]), head::Side::Port);
    const DecodedHeader d = decodeHeader(e.port.data());
    EXPECT_EQ(d.runType, 1);
    EXPECT_EQ(d.echoValue, 0);
    EXPECT_EQ(head::sideOf(e.starboard[head::kSerialStatus]), head::Side::Starboard);
}

TEST(HeadsimProcessTest, ReturnsSplitIntoSingleBytesArriveCompleteAndUnchanged) {
    const Exchange whole = onePing("127.0.0.62", {"--rate", "0"});
    const Exchange split = onePing("127.0.0.63", {"--rate", "0", "--split", "1"});
    ASSERT_EQ(split.port.size(), kReturnLength);
    ASSERT_EQ(split.starboard.size(), kReturnLength);
    EXPECT_EQ(split.port, whole.port);
    EXPECT_EQ(split.starboard, whole.starboard);
    EXPECT_GT(split.reads, 2) << "the pieces travelled separately";
}

TEST(HeadsimProcessTest, CloseAfterDropsTheConnectionAfterThatManyPings) {
    Headsim sim;
    ASSERT_TRUE(sim.start(
        {"--bind", "127.0.0.64", "--port", "0", "--close-after", "1", "--rate", "0", "--once"}));
    const auto port = sim.listeningPort("127.0.0.64");
    ASSERT_TRUE(port);
    Client client;
    ASSERT_TRUE(client.connectTo("127.0.0.64", *port));
    client.send(kDefaultCommand);
    EXPECT_EQ(client.receive(kReturnLength).size(), kReturnLength);
    // The next request is already on its way when the head closes: the last return still arrives.
    std::vector<std::uint8_t> both = starboardCommand();
    both.insert(both.end(), kDefaultCommand.begin(), kDefaultCommand.end());
    client.send(both);
    EXPECT_EQ(client.receive(kReturnLength).size(), kReturnLength);
    EXPECT_TRUE(client.peerClosed());
    EXPECT_EQ(sim.waitExit(), std::optional<int>(0));
}

TEST(HeadsimProcessTest, RateSpacesThePings) {
    Headsim sim;
    ASSERT_TRUE(sim.start({"--bind", "127.0.0.68", "--port", "0", "--rate", "20", "--once"}));
    const auto port = sim.listeningPort("127.0.0.68");
    ASSERT_TRUE(port);
    Client client;
    ASSERT_TRUE(client.connectTo("127.0.0.68", *port));
    const auto start = std::chrono::steady_clock::now();
    for (int ping = 0; ping < 4; ++ping) {
        client.send(kDefaultCommand);
        ASSERT_EQ(client.receive(kReturnLength).size(), kReturnLength);
        client.send(starboardCommand());
        ASSERT_EQ(client.receive(kReturnLength).size(), kReturnLength);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // Three full periods of 50 ms lie between the first and the fourth ping.
    EXPECT_GE(elapsed, std::chrono::milliseconds(145));
}

TEST(HeadsimProcessTest, AcceptsTheNextClientAfterOneLeaves) {
    Headsim sim;
    ASSERT_TRUE(sim.start({"--bind", "127.0.0.65", "--port", "0", "--rate", "0"}));
    const auto port = sim.listeningPort("127.0.0.65");
    ASSERT_TRUE(port);
    for (int round = 0; round < 2; ++round) {
        Client client;
        ASSERT_TRUE(client.connectTo("127.0.0.65", *port));
        client.send(kDefaultCommand);
        EXPECT_EQ(client.receive(kReturnLength).size(), kReturnLength) << "client " << round;
    }
    sim.signal(SIGTERM);
    EXPECT_EQ(sim.waitExit(), std::optional<int>(0)) << "SIGTERM ends it cleanly";
}

TEST(HeadsimProcessTest, SigintWhileIdleExitsCleanly) {
    Headsim sim;
    ASSERT_TRUE(sim.start({"--bind", "127.0.0.66", "--port", "0"}));
    ASSERT_TRUE(sim.listeningPort("127.0.0.66"));
    sim.signal(SIGINT);
    EXPECT_EQ(sim.waitExit(), std::optional<int>(0));
}

TEST(HeadsimProcessTest, BadArgumentsExitWithTwoAndAMessage) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--port", "0"},
          std::vector<std::string>{"--bind", "127.0.0.300", "--port", "0"},
          std::vector<std::string>{"--bind", "127.0.0.67", "--rate", "fast"}}) {
        Headsim sim;
        ASSERT_TRUE(sim.start(args));
        const auto message = sim.readLine(true);
        ASSERT_TRUE(message);
        EXPECT_EQ(message->rfind("headsim: ", 0), 0u) << *message;
        EXPECT_EQ(sim.waitExit(), std::optional<int>(2)) << *message;
    }
}

}  // namespace
