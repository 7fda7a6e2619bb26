#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "survey/TrackFill.h"

namespace {
using Track = std::vector<std::optional<LatLon>>;
const std::optional<LatLon> none;

LatLon at(double lat, double lon) {
    return {lat, lon};
}

TEST(TrackFillTest, PingsBetweenFixesAreSpreadAlongTheLineBetweenThem) {
    const struct {
        std::string what;
        Track in;
        int maxGap;
        Track expected;
    } cases[] = {
        {"positions only on the pings that brought a fix",
         {at(50.0, 3.0), none, none, none, at(50.0004, 3.0008)},
         8,
         {at(50.0, 3.0), at(50.0001, 3.0002), at(50.0002, 3.0004), at(50.0003, 3.0006),
          at(50.0004, 3.0008)}},
        {"the last fix repeated until the next",
         {at(10.0, 1.0), at(10.0, 1.0), at(10.0, 1.0), at(10.0003, 1.0), at(10.0003, 1.0),
          at(10.0005, 1.0)},
         8,
         {at(10.0, 1.0), at(10.0001, 1.0), at(10.0002, 1.0), at(10.0003, 1.0), at(10.0004, 1.0),
          at(10.0005, 1.0)}},
        {"an outage longer than the limit is not guessed over",
         {at(1.0, 1.0), none, none, none, at(1.1, 1.1), at(1.1, 1.1)},
         3,
         {at(1.0, 1.0), none, none, none, at(1.1, 1.1), at(1.1, 1.1)}},
        {"before the first fix and after the last nothing changes",
         {none, at(5.0, 5.0), at(5.0, 5.0), none},
         8,
         {none, at(5.0, 5.0), at(5.0, 5.0), none}},
        {"across the antimeridian the short way",
         {at(0.0, 179.9), none, none, none, at(0.0, -179.9)},
         8,
         {at(0.0, 179.9), at(0.0, 179.95), at(0.0, 180.0), at(0.0, -179.95), at(0.0, -179.9)}},
    };
    for (const auto& c : cases) {
        Track t = c.in;
        interpolateFixes(t, c.maxGap);
        ASSERT_EQ(t.size(), c.expected.size()) << c.what;
        for (std::size_t i = 0; i < t.size(); ++i) {
            ASSERT_EQ(t[i].has_value(), c.expected[i].has_value()) << c.what << ", ping " << i;
            if (t[i]) {
                EXPECT_NEAR(t[i]->latitude, c.expected[i]->latitude, 1e-9) << c.what << " " << i;
                const double lon = t[i]->longitude == -180.0 ? 180.0 : t[i]->longitude;
                EXPECT_NEAR(lon, c.expected[i]->longitude, 1e-9) << c.what << ", ping " << i;
            }
        }
    }
}
}  // namespace
