#include <gtest/gtest.h>

#include <cmath>

#include "gps/TrackPlot.h"
#include "gps/TrackView.h"
#include "gps/Utm.h"

namespace {

TEST(Utm, KnownPointsMatchAnIndependentProjectionToTheMillimetre) {
    // Expected values from PROJ: cs2cs +proj=longlat +datum=WGS84 +to +proj=utm +zone=Z
    // [+south] +datum=WGS84, printed to 0.1 mm.
    const struct {
        double lat, lon;
        int zone;
        double easting, northing;
    } points[] = {
        {60.5, 5.0, 32, 280356.4528, 6713774.2248},  // Norway: zone 32, not 31
        {49.274166666666666, -123.18533333333333, 10, 486518.8155, 5457950.8396},
        {-33.8688, 151.2093, 56, 334368.6336, 6250948.3454},
        {52.37, 4.91, 31, 630032.6451, 5803908.7354},
        {78.0, 15.0, 33, 500000.0000, 8658369.5858},  // Svalbard
        {0.5, 3.0, 31, 500000.0000, 55265.0371},
        {-45.0, -70.0, 19, 421184.6971, 5016563.2317},
        {56.0, 3.0, 32, 126049.9707, 6222336.3353},
        {72.5, 20.9, 33, 697737.0973, 8054424.6129},
    };
    for (const auto& p : points) {
        const UtmPoint u = LatLonToUtm(p.lat, p.lon);
        EXPECT_EQ(u.zone, p.zone) << p.lat << " " << p.lon;
        EXPECT_NEAR(u.easting, p.easting, 0.001) << p.lat << " " << p.lon;
        EXPECT_NEAR(u.northing, p.northing, 0.001) << p.lat << " " << p.lon;
    }
}

TEST(Utm, LongitudesWrapIntoMinus180To180) {
    const UtmPoint a = LatLonToUtm(10.0, 190.0);
    const UtmPoint b = LatLonToUtm(10.0, -170.0);
    EXPECT_EQ(a.zone, b.zone);
    EXPECT_NEAR(a.easting, b.easting, 1e-6);
}

// The longitude metres east of lon at lat, found on the projection itself.
double lonEastOf(double lat, double lon, double metres) {
    const double e0 = LatLonToUtm(lat, lon).easting;
    double lo = lon, hi = lon + 0.01;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (LatLonToUtm(lat, mid).easting - e0 < metres ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

TEST(TrackPlot, FractionsOfAMetreAddUpThroughTheRemainder) {
    const double lat = 52.37;
    double lon = 4.91;
    TrackPlot t;
    t.AddTrackPoint(lat, lon, true);
    std::vector<int> xs;
    for (int i = 0; i < 4; ++i) {
        lon = lonEastOf(lat, lon, 0.6);
        t.AddTrackPoint(lat, lon, false);
        xs.push_back(t.position().x);
    }
    EXPECT_EQ(xs, (std::vector<int>{0, 1, 1, 2}));
    EXPECT_EQ(t.position().y, 0);
}

TEST(TrackPlot, AJumpIsCutOutOfTheTrack) {
    const double lat = 52.37;
    TrackPlot t;
    t.AddTrackPoint(lat, 4.91, true);
    const double east10 = lonEastOf(lat, 4.91, 10.4);
    t.AddTrackPoint(lat, east10, false);
    ASSERT_EQ(t.position(), (TrackPoint{10, 0}));
    const auto outline = t.outline();
    const double jump = lonEastOf(lat, east10, 150.0);
    t.AddTrackPoint(lat, jump, false);
    EXPECT_EQ(t.position(), (TrackPoint{10, 0}));
    EXPECT_EQ(t.outline(), outline);
    t.AddTrackPoint(lat, lonEastOf(lat, jump, 5.2), false);
    EXPECT_EQ(t.position(), (TrackPoint{15, 0}));
}

TEST(TrackPlot, AStepOf100MetresOrMoreAlongTheDiagonalIsDropped) {
    const double lat = 52.37;
    TrackPlot t;
    t.AddTrackPoint(lat, 4.91, true);
    // 80 m east and 80 m north: each axis below 100, the diagonal above.
    const double lon = lonEastOf(lat, 4.91, 80.2);
    const double north = lat + 80.2 / 111250.0;
    t.AddTrackPoint(north, lon, false);
    EXPECT_EQ(t.position(), (TrackPoint{0, 0}));
    EXPECT_TRUE(t.outline().empty());
}

TEST(TrackPlot, EraseResumesFromZeroWithoutANewOrigin) {
    TrackPlot t;
    t.AddTrackPoint(52.37, 4.91, true);
    const double origin = t.originEasting();
    t.AddTrackPoint(52.37, lonEastOf(52.37, 4.91, 20.5), false);
    t.erase();
    EXPECT_TRUE(t.outline().empty());
    EXPECT_EQ(t.position(), (TrackPoint{0, 0}));
    t.AddTrackPoint(52.37, lonEastOf(52.37, 4.91, 40.5), true);
    EXPECT_EQ(t.originEasting(), origin);
    t.AddTrackPoint(52.37, lonEastOf(52.37, 4.91, 50.5), false);
    EXPECT_EQ(t.position(), (TrackPoint{10, 0}));
}

TEST(TrackZoom, StepsAndGridLabels) {
    std::vector<double> in{1.0};
    for (int i = 0; i < 3; ++i) {
        in.push_back(track_zoom::zoomIn(in.back()));
    }
    EXPECT_EQ(in, (std::vector<double>{1.0, 2.5, 5.0, 5.0}));
    std::vector<double> out{1.0};
    for (int i = 0; i < 5; ++i) {
        out.push_back(track_zoom::zoomOut(out.back()));
    }
    EXPECT_EQ(out, (std::vector<double>{1.0, 0.5, 0.25, 0.1, 0.05, 0.05}));
    std::vector<double> back{0.05};
    for (int i = 0; i < 6; ++i) {
        back.push_back(track_zoom::zoomIn(back.back()));
    }
    EXPECT_EQ(back, (std::vector<double>{0.05, 0.1, 0.25, 0.5, 1.0, 2.5, 5.0}));

    const char* metric[] = {"1000m/DIV", "500m/DIV", "200m/DIV", "100m/DIV",
                            "50m/DIV",   "20m/DIV",  "10m/DIV"};
    const char* imperial[] = {"3000ft/DIV", "1500ft/DIV", "600ft/DIV", "300ft/DIV",
                              "150ft/DIV",  "60ft/DIV",   "30ft/DIV"};
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(track_zoom::gridLabel(back[i], false), metric[i]);
        EXPECT_EQ(track_zoom::gridLabel(back[i], true), imperial[i]);
    }
}

TEST(TrackViewGeometry, BoatNearAnEdgeIsBroughtBackToTheMiddle) {
    TrackView v;
    v.resize(400, 300);
    TrackView::Placement p = v.place({100, -50}, 1.0);
    EXPECT_FALSE(p.recentred);
    EXPECT_EQ(p.originX, 200);
    EXPECT_EQ(p.boatX + p.originX, 300);
    p = v.place({195, 0}, 1.0);  // 5 px from the right edge
    EXPECT_TRUE(p.recentred);
    EXPECT_EQ(p.originX + p.boatX, 200);
    EXPECT_EQ(p.originY + p.boatY, 150);
}

TEST(TrackViewGeometry, DraggingMovesThePictureWithTheMouse) {
    TrackView v;
    v.resize(400, 300);
    v.mouseDown(100, 100);
    EXPECT_TRUE(v.mouseMove(130, 90));
    v.mouseUp();
    EXPECT_EQ(v.place({0, 0}, 1.0).originX, 230);  // point (0, 0) moved 30 right
    v.mouseDown(0, 0);
    v.mouseMove(10, 0);
    v.mouseUp();
    EXPECT_EQ(v.place({0, 0}, 1.0).originX, 240);
    EXPECT_FALSE(v.mouseMove(50, 50));  // no drag without the button
    v.reset();
    EXPECT_EQ(v.place({0, 0}, 1.0).originX, 200);
}

TEST(TrackViewGeometry, GridRunsFromTheCentreBothWays) {
    TrackView v;
    v.resize(210, 101);
    const TrackView::Grid metric = v.grid(false);
    EXPECT_EQ(metric.xs, (std::vector<int>{105, 155, 205, 55, 5}));
    EXPECT_EQ(metric.ys, (std::vector<int>{50, 100}));  // 0 is not drawn
    EXPECT_EQ(v.grid(true).xs, (std::vector<int>{105, 151, 197, 59, 13}));
}

}  // namespace
