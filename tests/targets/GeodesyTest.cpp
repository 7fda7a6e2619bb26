#include <geodesic.h>
#include <gtest/gtest.h>

#include <cmath>

#include "targets/CourseTracker.h"
#include "targets/Geodesy.h"

namespace {

struct Inverse {
    double metres, azimuth;
};

// PROJ's geodesic on WGS 84: the independent judge of our numbers.
Inverse inverse(geodesy::LatLon a, geodesy::LatLon b) {
    geod_geodesic g;
    geod_init(&g, 6378137.0, 1.0 / 298.257223563);
    double s12 = 0, azi1 = 0, azi2 = 0;
    geod_inverse(&g, a.latitude, a.longitude, b.latitude, b.longitude, &s12, &azi1, &azi2);
    return {s12, azi1};
}

double angleBetween(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

TEST(Geodesy, DestinationAgreesWithProjEverywhereASurveyGoes) {
    const struct {
        geodesy::LatLon from;
        double azimuth, metres;
    } cases[] = {
        {{57.1234567, 10.9876543}, 90.0, 25.0},
        {{57.1234567, 10.9876543}, 270.0, 25.0},
        {{0.0, 0.0001}, 0.0, 150.0},
        {{-33.95, -71.62}, 123.4, 200.0},
        {{78.2, 15.6}, 301.0, 0.5},
        {{45.0, 179.9999}, 90.0, 100.0},
        {{-45.0, -179.9999}, 270.0, 100.0},
        {{89.9, 0.0}, 45.0, 300.0},
        {{12.0, 44.0}, 359.99, 1000.0},
        {{60.0, -5.0}, 180.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from.latitude << "," << c.from.longitude << " az "
                                        << c.azimuth << " " << c.metres << " m");
        const geodesy::LatLon to = geodesy::destination(c.from, c.azimuth, c.metres);
        EXPECT_GE(to.longitude, -180.0);
        EXPECT_LT(to.longitude, 180.0);
        const Inverse check = inverse(c.from, to);
        EXPECT_NEAR(check.metres, c.metres, 1e-4);
        if (c.metres > 0.0) {
            EXPECT_LT(angleBetween(check.azimuth, c.azimuth), 1e-6);
        }
    }
}

TEST(Geodesy, LocalLegAgreesWithProjOverShortLegs) {
    const geodesy::LatLon a{57.5, 11.2};
    for (double azimuth = 0.0; azimuth < 360.0; azimuth += 22.5) {
        for (double metres : {2.0, 50.0, 500.0}) {
            geod_geodesic g;
            geod_init(&g, 6378137.0, 1.0 / 298.257223563);
            double lat2 = 0, lon2 = 0, azi2 = 0;
            geod_direct(&g, a.latitude, a.longitude, azimuth, metres, &lat2, &lon2, &azi2);
            const geodesy::Leg leg = geodesy::localLeg(a, {lat2, lon2});
            EXPECT_NEAR(leg.metres, metres, metres * 1e-4) << azimuth;
            EXPECT_LT(angleBetween(leg.bearingDegrees, azimuth), 0.01) << azimuth << " " << metres;
            EXPECT_GE(leg.bearingDegrees, 0.0);
            EXPECT_LT(leg.bearingDegrees, 360.0);
        }
    }
}

TEST(CourseTracker, CourseComesFromLegsLongEnoughAndStartsAgainAfterAJump) {
    CourseTracker course;
    geodesy::LatLon p{50.0, -4.0};
    auto movedEast = [](geodesy::LatLon q, double metres) {
        return geodesy::destination(q, 90.0, metres);
    };
    EXPECT_FALSE(course.update(p));
    EXPECT_FALSE(course.update(p)) << "one fix repeated for many pings gives no course";
    p = movedEast(p, 1.0);
    EXPECT_FALSE(course.update(p)) << "a metre is within the receiver's wander";
    p = movedEast(p, 1.5);
    ASSERT_TRUE(course.update(p));
    EXPECT_NEAR(*course.update(p), 90.0, 0.01) << "the course stands between fixes";
    p = geodesy::destination(p, 180.0, 3.0);
    EXPECT_NEAR(*course.update(p), 180.0, 0.01);
    // A seek or another file: the old course says nothing about the new place.
    p = geodesy::destination(p, 0.0, 5000.0);
    EXPECT_FALSE(course.update(p));
    course.reset();
    EXPECT_FALSE(course.update(movedEast(p, 10.0)));
}

}  // namespace
