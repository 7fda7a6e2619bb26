#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "sensorcfg/SerialSensorLink.h"

namespace {
using namespace std::chrono_literals;

// The far end of a pseudo-terminal plays the sensor; the link under test opens the near end
// by its path, as it would a USB receiver.
struct Pty {
    Pty() {
        char name[256] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0) {
            path = name;
            ::close(slave);  // the link is the only one holding the device
            slave = -1;
        }
    }
    ~Pty() { closeMaster(); }
    void closeMaster() {
        if (master >= 0) {
            ::close(master);
            master = -1;
        }
    }
    void send(const std::string& s) const {
        ASSERT_EQ(::write(master, s.data(), s.size()), static_cast<ssize_t>(s.size()));
    }
    // What the link wrote, waiting up to a second for it.
    std::string receive(std::size_t count) const {
        std::string got;
        const auto end = std::chrono::steady_clock::now() + 1s;
        while (got.size() < count && std::chrono::steady_clock::now() < end) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 50) == 1) {
                char buf[256];
                const ssize_t n = ::read(master, buf, sizeof buf);
                if (n > 0) {
                    got.append(buf, static_cast<std::size_t>(n));
                }
            }
        }
        return got;
    }
    speed_t speed() const {
        termios t{};
        ::tcgetattr(master, &t);
        return ::cfgetospeed(&t);
    }
    int master = -1;
    int slave = -1;
    std::string path;
};

// The user-interface thread of the test: it is woken by the reader and then delivers.
class Sink : public SensorLinkSink {
  public:
    void onLine(const std::string& line) override { lines.push_back(line); }
    void onLinkLost() override { lost = true; }
    void wake() {
        std::lock_guard lock(mutex);
        woken = true;
        cv.notify_all();
    }
    // Delivers until `done` holds or two seconds have passed.
    template <typename Done>
    bool deliverUntil(SensorLink& link, Done done) {
        const auto end = std::chrono::steady_clock::now() + 2s;
        while (!done()) {
            std::unique_lock lock(mutex);
            if (!cv.wait_until(lock, end, [this] { return woken; })) {
                return false;
            }
            woken = false;
            lock.unlock();
            link.deliverPending();
        }
        return true;
    }
    std::vector<std::string> lines;
    bool lost = false;
    std::mutex mutex;
    std::condition_variable cv;
    bool woken = false;
};

struct SerialLinkTest : ::testing::Test {
    SerialLinkTest()
        : link([this](int n) { return n == 3 ? pty.path : std::string(); },
               [this] { sink.wake(); }) {
        link.setSink(&sink);
    }
    Pty pty;
    Sink sink;
    SerialSensorLink link;
};

TEST_F(SerialLinkTest, LinesArriveWholeAndInOrderAtTheChosenRate) {
    ASSERT_FALSE(pty.path.empty());
    EXPECT_FALSE(link.open(4, 4800));  // maps to no device
    ASSERT_TRUE(link.open(3, 4800));
    EXPECT_EQ(pty.speed(), B4800);

    EXPECT_EQ(link.write("$PTVRO,,\r\n"), 10u);
    EXPECT_EQ(pty.receive(10), "$PTVRO,,\r\n");

    // Pieces of any size; a line of more than 200 characters never comes through.
    pty.send("$PTVRO,,\r");
    pty.send("\n$GPG");
    pty.send("GA,1\r\n" + std::string(250, 'x') + "\r\n$GPRMC,2\r\n");
    ASSERT_TRUE(sink.deliverUntil(link, [&] { return sink.lines.size() >= 3; }));
    EXPECT_EQ(sink.lines,
              (std::vector<std::string>{"$PTVRO,,\r\n", "$GPGGA,1\r\n", "$GPRMC,2\r\n"}));

    // The rate changes on the open port; so does the rate the far end sees.
    EXPECT_TRUE(link.setBaudRate(9600));
    EXPECT_EQ(pty.speed(), B9600);
    EXPECT_TRUE(link.setBaudRate(300));
    EXPECT_EQ(pty.speed(), B300);
    EXPECT_FALSE(link.setBaudRate(12345));
    EXPECT_EQ(pty.speed(), B300);
}

TEST_F(SerialLinkTest, ThePortIsHeldExclusivelyAndLetGoOnClose) {
    ASSERT_TRUE(link.open(3, 19200));
    SerialSensorLink second([this](int) { return pty.path; }, nullptr);
    EXPECT_FALSE(second.open(3, 19200));
    link.close();
    EXPECT_FALSE(link.isOpen());
    EXPECT_TRUE(second.open(3, 19200));
}

TEST_F(SerialLinkTest, LinesQueuedAtCloseStillReachTheSink) {
    ASSERT_TRUE(link.open(3, 9600));
    pty.send("$GPGGA,1\r\n$GPGSA,2\r\n");
    // Give the reader time to queue both, but deliver nothing before the close.
    const auto end = std::chrono::steady_clock::now() + 2s;
    {
        std::unique_lock lock(sink.mutex);
        sink.cv.wait_until(lock, end, [&] { return sink.woken; });
    }
    std::this_thread::sleep_for(100ms);
    link.close();
    EXPECT_EQ(sink.lines, (std::vector<std::string>{"$GPGGA,1\r\n", "$GPGSA,2\r\n"}));
    EXPECT_FALSE(sink.lost);
}

TEST_F(SerialLinkTest, ADeviceThatGoesAwayIsReportedAfterItsLastLine) {
    ASSERT_TRUE(link.open(3, 9600));
    pty.send("$GPGGA,1\r\n");
    ASSERT_TRUE(sink.deliverUntil(link, [&] { return !sink.lines.empty(); }));
    pty.closeMaster();
    ASSERT_TRUE(sink.deliverUntil(link, [&] { return sink.lost; }));
    EXPECT_EQ(sink.lines.size(), 1u);
    EXPECT_TRUE(link.isOpen());  // until the session lets go
    link.close();
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(link.write("$PTVRO,,\r\n"), 0u);
}

TEST_F(SerialLinkTest, AWriteNobodyTakesGivesUpAfterItsTimeOut) {
    ASSERT_TRUE(link.open(3, 38400));
    // Nobody reads the far end: the terminal's buffer fills and the write stops there.
    const std::string big(1 << 20, 'a');
    const auto start = std::chrono::steady_clock::now();
    const std::size_t written = link.write(big);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(written, big.size());
    EXPECT_GE(took, 900ms);
}
}  // namespace
