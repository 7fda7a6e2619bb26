#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "display/PingPipeline.h"

// Counts every allocation of this test program, so a test can show that drawing pings allocates
// nothing once the image exists.
namespace {
std::atomic<std::size_t> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
// The replaced new above takes its memory from malloc, so free is the matching release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace {
TEST(PerPingWork, LivePingsAllocateNothingOnceTheImageExists) {
    PingPipeline p;
    ASSERT_TRUE(p.resize(1920, 1080));
    p.settings().setVerticalBlending(true);
    std::vector<std::uint8_t> samples(2000, 80);
    const GpsTextViews gps{"49.16.4500 N", "123.07.2261 W", "22:54:44",
                           "3.00 Knots",   "90.00 Deg.",    "05-MAR-2007"};
    PingInput in;
    in.samples = samples.data();
    in.sampleCount = samples.size();
    in.timeText = "22:54:44.123";
    in.gpsTexts = &gps;
    in.speedKnots = 3.0;
    in.pingIntervalMs = 100.0;
    p.processPing(in);  // the first ping may size the working samples

    const std::size_t before = allocations.load();
    for (int i = 0; i < 50; ++i) {
        p.settings().setSpeedCorrection(i % 2 == 0);
        p.processPing(in);
    }
    EXPECT_EQ(allocations.load(), before);
    EXPECT_GT(p.image().totalLines(), 51u);  // the corrected pings scrolled several rows
}
}  // namespace
