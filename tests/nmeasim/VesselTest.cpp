#include "nmeasim/Vessel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "nmeasim/CycleSource.h"
#include "nmeasim/NmeaCheck.h"

namespace {

using nmeasim::Fix;
using nmeasim::Vessel;
using nmeasim::VesselConfig;

constexpr double kPi = std::numbers::pi;
constexpr double kEarthRadius = 6371008.8;

double radians(double d) {
    return d * kPi / 180.0;
}

// Great-circle distance and initial bearing, independent of the simulator's flat-earth steps.
double distance(const Fix& a, const Fix& b) {
    const double dlat = radians(b.latitude - a.latitude);
    const double dlon = radians(b.longitude - a.longitude);
    const double h = std::pow(std::sin(dlat / 2), 2) + std::cos(radians(a.latitude)) *
                                                           std::cos(radians(b.latitude)) *
                                                           std::pow(std::sin(dlon / 2), 2);
    return 2 * kEarthRadius * std::asin(std::sqrt(h));
}

double bearing(const Fix& a, const Fix& b) {
    const double y = std::sin(radians(b.longitude - a.longitude)) * std::cos(radians(b.latitude));
    const double x = std::cos(radians(a.latitude)) * std::sin(radians(b.latitude)) -
                     std::sin(radians(a.latitude)) * std::cos(radians(b.latitude)) *
                         std::cos(radians(b.longitude - a.longitude));
    return std::fmod(std::atan2(y, x) * 180.0 / kPi + 360.0, 360.0);
}

double angleBetween(double a, double b) {
    const double d = std::fabs(std::fmod(a - b + 540.0, 360.0) - 180.0);
    return d;
}

std::vector<Fix> run(const VesselConfig& config, double rate, double seconds) {
    Vessel v(config);
    std::vector<Fix> fixes;
    for (int i = 0; i <= static_cast<int>(seconds * rate); ++i) {
        if (i > 0) {
            v.advance(1.0 / rate);
        }
        fixes.push_back(v.fix(static_cast<nmeasim::UtcMicros>(i * 1e6 / rate)));
    }
    return fixes;
}

TEST(VesselTest, SuccessiveFixesAreAsFarApartAsTheirSpeedCarriesThem) {
    struct Case {
        double lat, lon, knots, rate;
    };
    for (const Case c : {Case{50.775, -1.23, 4.0, 1.0}, Case{-41.3, 174.8, 8.0, 0.5},
                         Case{60.5, -150.0, 2.5, 20.0}}) {
        SCOPED_TRACE(c.lat);
        VesselConfig config{c.lat, c.lon, c.knots, 300.0, 40.0, 0.0, 7};
        const auto fixes = run(config, c.rate, 900.0);
        for (std::size_t i = 1; i < fixes.size(); ++i) {
            const double dt = 1.0 / c.rate;
            const double knots = (fixes[i - 1].speedKnots + fixes[i].speedKnots) / 2;
            // On a turn the straight line between fixes is a chord of the arc run.
            const double turn =
                radians(angleBetween(fixes[i].courseDegrees, fixes[i - 1].courseDegrees)) / 2;
            const double chord = turn > 1e-9 ? std::sin(turn) / turn : 1.0;
            const double expected = knots * nmeasim::kMetresPerSecondPerKnot * dt * chord;
            ASSERT_NEAR(distance(fixes[i - 1], fixes[i]), expected, 0.01 * expected + 0.01)
                << "fix " << i;
            // On a steady turn the chord runs midway between the courses at its ends; where a
            // turn begins or ends within the step, up to a quarter of the turn off.
            const double a = radians(fixes[i - 1].courseDegrees);
            const double b = radians(fixes[i].courseDegrees);
            const double mid = std::atan2(std::sin(a) + std::sin(b), std::cos(a) + std::cos(b));
            ASSERT_LT(angleBetween(bearing(fixes[i - 1], fixes[i]), mid * 180.0 / kPi),
                      1.5 + turn * 180.0 / kPi / 2)
                << "fix " << i;
            ASSERT_NEAR(fixes[i].speedKnots, c.knots, 0.1 * c.knots + 0.3);
        }
    }
}

TEST(VesselTest, RunsStraightLinesThenTurnsOntoTheNextLineTheOtherWay) {
    const double length = 500.0;
    const double spacing = 50.0;
    VesselConfig config{50.0, -1.0, 4.0, length, spacing, 0.0, 3};
    const auto fixes = run(config, 1.0, 4000.0);
    const Fix& origin = fixes.front();
    struct Leg {
        double east;
        double northMin = 1e9;
        double northMax = -1e9;
        bool northbound;
        int fixes = 0;
    };
    std::vector<Leg> legs;
    double maxTurnRate = 0.0;
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        const Fix& f = fixes[i];
        const double north = (f.latitude - origin.latitude) * 111229.0;  // m per degree at 50 N
        const double east = (f.longitude - origin.longitude) * 71696.0;
        if (i > 0) {
            maxTurnRate =
                std::max(maxTurnRate, angleBetween(f.courseDegrees, fixes[i - 1].courseDegrees));
        }
        const bool onLine =
            angleBetween(f.courseDegrees, 0.0) < 8.0 || angleBetween(f.courseDegrees, 180.0) < 8.0;
        if (!onLine || north < 5.0 || north > length - 5.0) {
            continue;
        }
        const bool northbound = angleBetween(f.courseDegrees, 0.0) < 8.0;
        if (legs.empty() || legs.back().northbound != northbound) {
            legs.push_back(Leg{east, 1e9, -1e9, northbound, 0});
        }
        Leg& leg = legs.back();
        EXPECT_NEAR(east, leg.east, 3.0) << "a line is straight";
        leg.northMin = std::min(leg.northMin, north);
        leg.northMax = std::max(leg.northMax, north);
        ++leg.fixes;
    }
    // 4000 s at 4 knots is some 8 km: more than ten lines of 500 m with their turns.
    ASSERT_GE(legs.size(), 10u);
    for (std::size_t i = 0; i + 1 < legs.size(); ++i) {
        EXPECT_NE(legs[i].northbound, legs[i + 1].northbound) << "leg " << i;
        EXPECT_NEAR(legs[i].east, i * spacing, 3.0) << "leg " << i;
        EXPECT_GT(legs[i].northMax - legs[i].northMin, length - 20.0) << "leg " << i;
    }
    EXPECT_TRUE(legs.front().northbound);
    // A 25 m radius at 4 knots is under 5 degrees a second; the steering wander adds a little.
    EXPECT_LT(maxTurnRate, 6.0);
    EXPECT_GT(maxTurnRate, 3.0) << "the vessel turned";
}

TEST(VesselTest, TheSameSeedGivesTheSameOutputAndAnotherSeedAnother) {
    const auto sentences = [](std::uint64_t seed) {
        VesselConfig config;
        config.seed = seed;
        nmeasim::VesselSource source(
            config, 0, 2.0, {nmeasim::SentenceType::GGA, nmeasim::SentenceType::GSV}, "GP");
        std::vector<std::string> out;
        for (int i = 0; i < 50; ++i) {
            const auto c = source.next();
            EXPECT_EQ(c->offsetMicros, i * 500000);
            out.insert(out.end(), c->sentences.begin(), c->sentences.end());
        }
        return out;
    };
    EXPECT_EQ(sentences(5), sentences(5));
    EXPECT_NE(sentences(5), sentences(6));
}

}  // namespace
