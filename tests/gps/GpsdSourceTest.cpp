#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "gps/FakeGpsClock.h"
#include "gps/GpsReader.h"
#include "gps/GpsdStream.h"
#include "support/NmeaChecksum.h"
#include "support/NmeasimProcess.h"

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

TEST(GpsdSource, TheSimulatorsSentencesReachTheParserThroughGpsd) {
    if (::access(kGpsd, X_OK) != 0) {
        GTEST_SKIP() << "gpsd is not installed (scripts/setup.sh installs it)";
    }
    // The simulator replays a vessel south and east of the equator, one fix a second; gpsd reads
    // its pseudo-terminal and the reader takes the raw sentences from gpsd.
    const std::filesystem::path log = std::filesystem::temp_directory_path() /
                                      ("kb-gpsd-" + std::to_string(::getpid()) + ".nmea");
    {
        std::ofstream out(log);
        for (int i = 0; i < 3; ++i) {
            out << withChecksum("GPRMC,10300" + std::to_string(i) + ",A,4117.4" +
                                std::to_string(i) + "00,S,17446.8" + std::to_string(i) +
                                "00,E,6.2,91.5,050324,,")
                << "\r\n";
        }
    }
    NmeasimProcess sim({"--replay", log.string(), "--loop", "--baud", "38400"});
    ASSERT_FALSE(sim.device().empty()) << "nmeasim did not start";
    const int port = 20000 + ::getpid() % 20000;
    GpsdProcess gpsd(sim.device(), port);

    SharedGps shared;
    shared.with([](GpsData& d) { d.sentenceSet = GpsSentenceSet::Rmc; });
    FakeGpsClock clock;
    GpsReader reader(shared, clock);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    bool connected = false;
    int positions = 0;
    while (std::chrono::steady_clock::now() < deadline && positions < 2) {
        if (!connected) {
            auto stream = std::make_unique<GpsdStream>("127.0.0.1", port);
            if (stream->open()) {
                reader.setSource(std::move(stream));
                connected = true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        reader.tick(0);
        positions = shared.with([](const GpsData& d) { return d.positionsAdded; });
    }
    std::filesystem::remove(log);
    ASSERT_TRUE(connected) << "gpsd did not accept a connection";
    ASSERT_GE(positions, 2) << "no sentences came through gpsd";
    const SharedGps::Snapshot got = shared.snapshot();
    const std::string lat = got.text[GpsText::Latitude];
    ASSERT_EQ(lat.size(), 12u) << lat;
    const int i = lat[7] - '0';
    ASSERT_TRUE(i >= 0 && i <= 2) << lat;
    EXPECT_EQ(lat, "41.17.4" + std::to_string(i) + "00 S");
    EXPECT_EQ(got.text[GpsText::Longitude], "174.46.8" + std::to_string(i) + "00 E");
    EXPECT_EQ(got.text[GpsText::Speed], "6.20 Knots");
    EXPECT_EQ(got.text[GpsText::Date], "05-MAR-2024");
    EXPECT_NEAR(got.fix.latitude, -(41 + (17.4 + 0.01 * i) / 60), 1e-9);
    EXPECT_NEAR(got.fix.longitude, 174 + (46.8 + 0.01 * i) / 60, 1e-9);
    reader.setSource(nullptr);
}

TEST(GpsdSource, NoDaemonMeansNoSource) {
    GpsdStream stream("127.0.0.1", 1);
    EXPECT_FALSE(stream.open());
    std::uint8_t buf[16];
    EXPECT_EQ(stream.read(buf, sizeof buf), 0);  // retries later, never blocks or crashes
}

}  // namespace
