// Runs the real nmeasim binary and reads its pseudo-terminal, as a program on a serial port would.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "nmeasim/NmeaCheck.h"
#include "support/ChildProcess.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTimeoutMs = 5000;

// One nmeasim process with stdout and stderr on pipes, and the device the test opened.
class Nmeasim {
  public:
    explicit Nmeasim(const std::vector<std::string>& args) : process_(NMEASIM_PATH, args) {}

    ~Nmeasim() {
        if (device_ >= 0) {
            close(device_);
        }
    }

    // First line of stdout (or stderr), without its newline.
    std::optional<std::string> line(bool fromStderr = false) {
        return process_.readLine(fromStderr ? ChildProcess::Stream::Err : ChildProcess::Stream::Out,
                                 kTimeoutMs);
    }

    bool openDevice(const std::string& path) {
        device_ = open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        return device_ >= 0;
    }

    // Reads the device until `lines` complete lines arrived or the simulator closed it.
    std::string readDevice(std::size_t lines = SIZE_MAX) {
        std::string got;
        char buffer[4096];
        while (nmeacheck::lines(got).size() < lines) {
            pollfd p{device_, POLLIN, 0};
            if (poll(&p, 1, kTimeoutMs) <= 0) {
                ADD_FAILURE() << "no data from the device";
                break;
            }
            const ssize_t n = read(device_, buffer, sizeof buffer);
            if (n <= 0) {
                break;  // the simulator ended: EIO on a pseudo-terminal
            }
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

    std::optional<int> waitExit() { return process_.waitExit(2 * kTimeoutMs); }

    void signal(int sig) { process_.signal(sig); }

  private:
    ChildProcess process_;
    int device_ = -1;
};

// Seconds of the day of every GGA among the lines; every line must be a valid sentence.
std::vector<double> ggaTimes(const std::string& stream, bool skipFirstLine = false) {
    std::vector<double> times;
    auto lines = nmeacheck::lines(stream);
    for (std::size_t i = skipFirstLine ? 1 : 0; i < lines.size(); ++i) {
        EXPECT_TRUE(nmeacheck::valid(lines[i])) << lines[i];
        if (lines[i].compare(0, 6, "$GPGGA") == 0) {
            times.push_back(nmeacheck::seconds(nmeacheck::fields(lines[i])[1]));
        }
    }
    return times;
}

TEST(NmeasimProcessTest, FastRunWritesEveryFixThroughTheLinkAndCleansUp) {
    const std::string link = testing::TempDir() + "nmeasim-test-gps";
    Nmeasim sim({"--fast", "--count", "30", "--seed", "4", "--time", "2024-05-01T12:00:00",
                 "--link", link});
    const auto device = sim.line();
    ASSERT_TRUE(device);
    EXPECT_EQ(device->rfind("/dev/pts/", 0), 0u) << *device;
    char target[256] = {};
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), *device);

    ASSERT_TRUE(sim.openDevice(link));
    const std::string stream = sim.readDevice();
    EXPECT_EQ(nmeacheck::lines(stream).size(), 120u);
    const std::vector<double> times = ggaTimes(stream);
    ASSERT_EQ(times.size(), 30u);
    for (std::size_t i = 0; i < times.size(); ++i) {
        EXPECT_DOUBLE_EQ(times[i], 12 * 3600.0 + static_cast<double>(i));
    }
    EXPECT_EQ(sim.waitExit(), 0);
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "link removed";
}

TEST(NmeasimProcessTest, RealTimeFixesComeAtTheChosenRate) {
    Nmeasim sim({"--rate", "5", "--count", "6", "--baud", "38400"});
    const auto device = sim.line();
    ASSERT_TRUE(device && sim.openDevice(*device));
    const auto start = Clock::now();
    const std::string stream = sim.readDevice();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const std::vector<double> times = ggaTimes(stream);
    ASSERT_EQ(times.size(), 6u);
    for (std::size_t i = 1; i < times.size(); ++i) {
        EXPECT_NEAR(times[i] - times[i - 1], 0.2, 1e-9);
    }
    EXPECT_GE(elapsed, 0.9) << "five intervals of 0.2 s, not faster";
    EXPECT_EQ(sim.waitExit(), 0);
}

TEST(NmeasimProcessTest, AReaderOpeningLateGetsCurrentSentences) {
    const std::string link = testing::TempDir() + "nmeasim-test-late";
    Nmeasim sim({"--time", "2024-05-01T00:00:00", "--link", link});
    ASSERT_TRUE(sim.line());
    std::this_thread::sleep_for(std::chrono::seconds(5));
    ASSERT_TRUE(sim.openDevice(link));
    // The first line may be the tail of a sentence cut when stale output was dropped.
    const std::vector<double> times = ggaTimes(sim.readDevice(6), true);
    ASSERT_FALSE(times.empty());
    EXPECT_GE(times.front(), 1.5) << "five seconds running, at most three kept";
    sim.signal(SIGTERM);
    EXPECT_EQ(sim.waitExit(), 0);
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "link removed on SIGTERM";
}

TEST(NmeasimProcessTest, ReplayPlaysACaptureWithCrLfLineEnds) {
    const std::string path = std::string(NMEASIM_DATA_DIR) + "/garmin17n.log";
    Nmeasim sim({"--replay", path, "--fast"});
    const auto device = sim.line();
    ASSERT_TRUE(device && sim.openDevice(*device));
    const std::string stream = sim.readDevice();
    std::ifstream in(path);
    std::string expected;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind('$', 0) == 0) {
            expected += line + "\r\n";
        }
    }
    EXPECT_EQ(stream, expected);
    EXPECT_EQ(sim.waitExit(), 0);
}

TEST(NmeasimProcessTest, BadStartsSayWhyOnStderr) {
    Nmeasim badOption({"--baud", "300"});
    EXPECT_EQ(badOption.line(true).value_or(""),
              "nmeasim: invalid value '300' for --baud (expected 4800, 9600, 19200, 38400, "
              "57600 or 115200)");
    EXPECT_EQ(badOption.waitExit(), 2);
    Nmeasim missingLog({"--replay", "/nonexistent/gps.log"});
    EXPECT_EQ(missingLog.line(true).value_or(""), "nmeasim: cannot open '/nonexistent/gps.log'");
    EXPECT_EQ(missingLog.waitExit(), 1);
}

}  // namespace
