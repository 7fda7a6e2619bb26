// Runs the real sensorsim binary and talks to its pseudo-terminal at chosen rates, as sentrim's
// serial port would.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sensorcfg/ConfigFile.h"
#include "support/ChildProcess.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTimeoutMs = 5000;

// One sensorsim process with stdout on a pipe, and the device the test opened as a serial port.
class Sensorsim {
  public:
    explicit Sensorsim(const std::vector<std::string>& args)
        : process_(SENSORSIM_PATH, args, ChildProcess::Stderr::Inherited) {}

    ~Sensorsim() {
        if (device_ >= 0) {
            close(device_);
        }
    }

    // The next line of standard output, without its newline.
    std::optional<std::string> line() {
        return process_.readLine(ChildProcess::Stream::Out, kTimeoutMs);
    }

    // Reads events until `wanted`; false if it does not come.
    bool awaitEvent(const std::string& wanted) {
        while (const auto e = line()) {
            events.push_back(*e);
            if (*e == wanted) {
                return true;
            }
        }
        return false;
    }

    // Opens the device as a serial port: raw, 8N1, at `speed`.
    bool open(const std::string& path, speed_t speed) {
        if (device_ >= 0) {
            close(device_);
        }
        device_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        if (device_ < 0 || tcgetattr(device_, &tio) != 0) {
            return false;
        }
        cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
        return tcsetattr(device_, TCSANOW, &tio) == 0 && tcflush(device_, TCIOFLUSH) == 0;
    }

    // Writes `text` and collects what comes back for `ms`.
    std::string exchange(const std::string& text, int ms) {
        EXPECT_EQ(write(device_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
        std::string got;
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < end) {
            pollfd p{device_, POLLIN, 0};
            char buffer[1024];
            if (poll(&p, 1, 10) > 0) {
                const ssize_t n = read(device_, buffer, sizeof buffer);
                got.append(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
            }
        }
        return got;
    }

    std::optional<int> waitExit() { return process_.waitExit(2 * kTimeoutMs); }

    void signal(int sig) { process_.signal(sig); }

    std::vector<std::string> events;

  private:
    ChildProcess process_;
    int device_ = -1;
};

SensorConfig readConfig(const std::string& file, int model) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    SensorConfig c;
    resetToDefaults(c, model);
    EXPECT_EQ(config_file::load(bytes, c).status, config_file::LoadStatus::Ok);
    return c;
}

TEST(SensorsimProcessTest, AnswersOnlyAProgramSetToItsRate) {
    Sensorsim sim({"--model", "2"});
    const auto device = sim.line();
    ASSERT_TRUE(device);
    const std::string probe = "$PTVRO,,\r\n";
    for (const speed_t wrong : {B38400, B19200, B9600}) {
        ASSERT_TRUE(sim.open(*device, wrong));
        EXPECT_EQ(sim.exchange(probe, 400).find(probe), std::string::npos);
    }
    EXPECT_TRUE(sim.awaitEvent("ignored 9600 10 bytes"));

    ASSERT_TRUE(sim.open(*device, B4800));
    EXPECT_NE(sim.exchange(probe, 400).find(probe), std::string::npos);
    EXPECT_TRUE(sim.awaitEvent("echo $PTVRO,,"));
    EXPECT_NE(sim.exchange("$PTVRCX\r\n", 400).find("$PTVRC,A,300.0,100,,,,,,A,3,1,2,4,30\r\n"),
              std::string::npos);
    EXPECT_TRUE(sim.awaitEvent("reply $PTVRC,A,300.0,100,,,,,,A,3,1,2,4,30"));
    const std::string out = sim.exchange("", 1100);
    EXPECT_NE(out.find("$GPGGA,"), std::string::npos) << "the unit's own sentences at 4800";
}

TEST(SensorsimProcessTest, DumpsItsConfigurationOnRequestAndAtExit) {
    const std::string link = testing::TempDir() + "sensorsim-test-gps";
    const std::string dump = testing::TempDir() + "sensorsim-test-dump.cfg";
    Sensorsim sim({"--model", "3", "--baud", "5", "--link", link, "--dump-config", dump});
    const auto device = sim.line();
    ASSERT_TRUE(device);
    ASSERT_TRUE(sim.open(link, B19200));
    const std::string sentence = "$PTVRC,2,45.5,27,,,,,,D,5,3,1,4,20\r\n";
    EXPECT_NE(sim.exchange(sentence, 300).find(sentence), std::string::npos);
    sim.signal(SIGUSR1);
    ASSERT_TRUE(sim.awaitEvent("dumped " + dump));
    SensorConfig c = readConfig(dump, 3);
    EXPECT_EQ(c.alt, 45.5F);
    EXPECT_EQ(c.datum, 27);
    EXPECT_EQ(c.fixmode, 1);

    // Binary mode and back: the return packet at 9600 brings NMEA at 9600.
    EXPECT_EQ(sim.exchange("$PTVRO,,G\r\n", 200).find("$PTVRO,,G"), std::string::npos);
    ASSERT_TRUE(sim.open(link, B9600));
    sim.exchange(std::string("\x10\x0A\x02\x26\x00\xCE\x10\x03", 8), 200);
    EXPECT_TRUE(sim.awaitEvent("binary ok"));
    EXPECT_NE(sim.exchange("$PTVRO,,\r\n", 300).find("$PTVRO,,\r\n"), std::string::npos);

    sim.signal(SIGTERM);
    EXPECT_EQ(sim.waitExit(), 0);
    EXPECT_EQ(readConfig(dump, 3).baudrate, 4) << "written again at exit, now at 9600";
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "link removed";
}

TEST(SensorsimProcessTest, RefusesABadStart) {
    Sensorsim sim({"--config", testing::TempDir() + "sensorsim-no-such.cfg"});
    EXPECT_FALSE(sim.line());
    EXPECT_EQ(sim.waitExit(), 1);
    Sensorsim bad({"--model", "9"});
    EXPECT_EQ(bad.waitExit(), 2);
}

}  // namespace
