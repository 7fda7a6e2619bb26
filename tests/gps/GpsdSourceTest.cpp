#include <gtest/gtest.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "gps/FakeGpsClock.h"
#include "gps/GpsReader.h"
#include "gps/GpsdStream.h"

namespace {

constexpr const char* kGpsd = "/usr/sbin/gpsd";

// A real gpsd in the foreground on a loopback port of its own, reading a pseudo-terminal the
// test writes NMEA to.
struct GpsdProcess {
    GpsdProcess(const std::string& device, int port) {
        socketPath = std::filesystem::temp_directory_path() /
                     ("kb-gpsd-" + std::to_string(::getpid()) + ".sock");
        pid = ::fork();
        if (pid == 0) {
            const std::string p = std::to_string(port);
            ::execl(kGpsd, kGpsd, "-N", "-n", "-b", "-S", p.c_str(), "-F", socketPath.c_str(),
                    device.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~GpsdProcess() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        std::filesystem::remove(socketPath);
    }
    pid_t pid = -1;
    std::filesystem::path socketPath;
};

TEST(GpsdSource, SentencesReachTheParserThroughGpsd) {
    if (::access(kGpsd, X_OK) != 0) {
        GTEST_SKIP() << "gpsd is not installed (scripts/setup.sh installs it)";
    }
    int master = -1, slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    ::fchmod(slave, 0666);  // gpsd may drop its privileges before it reopens the device
    const int port = 20000 + ::getpid() % 20000;
    GpsdProcess gpsd(name, port);

    SharedGps shared;
    shared.with([](GpsData& d) { d.sentenceSet = GpsSentenceSet::Rmc; });
    FakeGpsClock clock;
    GpsReader reader(shared, clock);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    bool connected = false;
    std::string latitude = "n/a";
    const std::string rmc =
        "$GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E*68\r\n";
    while (std::chrono::steady_clock::now() < deadline && latitude == "n/a") {
        if (!connected) {
            auto stream = std::make_unique<GpsdStream>("127.0.0.1", port);
            if (stream->open()) {
                reader.setSource(std::move(stream));
                connected = true;
            }
        }
        ASSERT_EQ(::write(master, rmc.data(), rmc.size()), static_cast<ssize_t>(rmc.size()));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        reader.tick(0);
        latitude = shared.with([](const GpsData& d) { return d.text[GpsText::Latitude]; });
    }
    EXPECT_TRUE(connected) << "gpsd did not accept a connection";
    EXPECT_EQ(latitude, "49.16.45 N");
    EXPECT_NEAR(shared.with([](const GpsData& d) { return d.fix.longitude; }), -123.185333333,
                1e-8);
    reader.setSource(nullptr);
    ::close(master);
    ::close(slave);
}

TEST(GpsdSource, NoDaemonMeansNoSource) {
    GpsdStream stream("127.0.0.1", 1);
    EXPECT_FALSE(stream.open());
    std::uint8_t buf[16];
    EXPECT_EQ(stream.read(buf, sizeof buf), 0);  // retries later, never blocks or crashes
}

}  // namespace
