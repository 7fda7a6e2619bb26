#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <set>
#include <thread>

#include "document/GpsDocumentFixture.h"
#include "support/NmeasimProcess.h"

using namespace doctest;

namespace {

const std::string kRmc1 = "$GPRMC,225446,A,4916.4500,N,12311.1200,W,005.5,054.7,191194,,*07\r\n";
const std::string kRmc2 = "$GPRMC,225447,A,4916.4520,N,12311.1170,W,005.5,054.7,191194,,*00\r\n";

TEST_F(GpsDocumentTest, LivePositionsReachTheRowsAndTheTrack) {
    doc->initialise();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(ui.trackOpen);  // "GPS Tracking" defaults to on
    connectYes();
    receiverSends(kRmc1);
    receiverSends(kRmc2);
    EXPECT_EQ(timers.running[TimerId::GpsRead], 1000u);  // re-armed after each read
    EXPECT_EQ(gpsText(GpsText::Latitude), "49.16.4520 N");
    EXPECT_EQ(gpsText(GpsText::Speed), "5.50 Knots");
    EXPECT_GT(ui.trackRedraws, 0);
    ping();
    EXPECT_EQ(doc->pipeline().image().record(0)->gpsText(0), "49.16.4520 N");
    const auto outline =
        doc->gps().shared().with([](const GpsData& d) { return d.track.outline(); });
    ASSERT_EQ(outline.size(), 2u);
    EXPECT_EQ(outline[1], (TrackPoint{3, -3}));
}

TEST_F(GpsDocumentTest, RecordingsCarryThePositionsIntoEveryFormat) {
    const struct {
        const char* name;
        const char* latitude;
    } formats[] = {
        {"live.dsx", "49.16.4520 N"}, {"live.ss2", "49.16.4520N"}, {"live.xtf", "49.16.4520 N"}};
    for (const auto& f : formats) {
        doc->initialise();
        connectYes();
        receiverSends(kRmc1);
        startRecording(f.name);
        receiverSends(kRmc2);
        ping();
        ping();
        doc->execute(CommandId::StopRecording);

        doc->openFileForPlayback((dir / f.name).string());
        ASSERT_TRUE(doc->playback()) << f.name;
        // The played file's texts replace the live ones.
        doc->gps().shared().with([](GpsData& d) { d.text = GpsText{}; });
        doc->PlayOnePing();
        const std::string lat = gpsText(GpsText::Latitude);
        EXPECT_EQ(lat.substr(0, 10), std::string(f.latitude).substr(0, 10)) << f.name;
        const GpsFix fx = doc->gps().shared().snapshot().fix;
        EXPECT_NEAR(fx.latitude, 49 + 16.452 / 60, 1e-6) << f.name;
        const bool west = fx.longitudeHemisphere == 'W' || fx.longitude < 0;
        EXPECT_NEAR(west ? -std::fabs(fx.longitude) : fx.longitude, -(123 + 11.117 / 60), 1e-6)
            << f.name;
    }
}

// Signed degrees, whichever way a record keeps the hemisphere.
std::pair<double, double> signedPosition(const GpsFix& f) {
    const bool south = f.latitudeHemisphere == 'S' || f.latitude < 0;
    const bool west = f.longitudeHemisphere == 'W' || f.longitude < 0;
    return {south ? -std::fabs(f.latitude) : f.latitude,
            west ? -std::fabs(f.longitude) : f.longitude};
}

TEST_F(GpsDocumentTest, RecordingsWhileTheSimulatorRunsCarryItsPositionsIntoEveryFormat) {
    // A vessel west of Greenwich at 10 fixes a second, so every read tick brings a new position.
    NmeasimProcess sim({"--rate", "10", "--baud", "38400", "--sentences", "RMC", "--start",
                        "50.7750,-1.2300", "--speed", "12", "--time", "2024-03-05T10:00:00"});
    ASSERT_FALSE(sim.device().empty()) << "nmeasim did not start";
    sources->overrideConfiguredPort(sim.device());
    doc->initialise();
    ASSERT_TRUE(prompts.messages.empty()) << prompts.messages.front();
    constexpr int kPings = 8;
    // .dsx keeps the sentences, XTF the degrees; .ss2 keeps the texts, whose minutes are cut to
    // four decimals (under 0.2 m).
    const struct {
        const char* name;
        double tolerance;
    } formats[] = {{"sim.dsx", 1e-12}, {"sim.ss2", 1.7e-6}, {"sim.xtf", 1e-9}};
    for (const auto& [name, tolerance] : formats) {
        connectYes();
        startRecording(name);
        std::vector<std::pair<double, double>> live;
        for (int i = 0; i < kPings; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            doc->OnTimer(TimerId::GpsRead);
            ping();
            live.push_back(signedPosition(doc->gps().shared().snapshot().fix));
        }
        doc->execute(CommandId::StopRecording);

        // The simulator's vessel: near its start, moving, west and north kept.
        std::set<double> latitudes;
        for (const auto& [lat, lon] : live) {
            EXPECT_NEAR(lat, 50.775, 0.01) << name;
            EXPECT_NEAR(lon, -1.23, 0.01) << name;
            latitudes.insert(lat);
        }
        EXPECT_GE(latitudes.size(), 3u) << name << ": the vessel did not move";

        doc->openFileForPlayback((dir / name).string());
        ASSERT_TRUE(doc->playback()) << name;
        for (int i = 0; i < kPings; ++i) {
            doc->gps().shared().with([](GpsData& d) { d.fix = GpsFix{}; });
            doc->PlayOnePing();
            const auto [lat, lon] = signedPosition(doc->gps().shared().snapshot().fix);
            EXPECT_NEAR(lat, live[i].first, tolerance) << name << " ping " << i;
            EXPECT_NEAR(lon, live[i].second, tolerance) << name << " ping " << i;
            EXPECT_NE(gpsText(GpsText::Latitude), kGpsNotAvailable) << name << " ping " << i;
        }
    }
}

TEST_F(GpsDocumentTest, NoReadIsRequestedDuringPlaybackAndPollingResumesAfter) {
    doc->initialise();
    connectYes();
    receiverSends(kRmc1);
    startRecording("p.dsx");
    ping();
    doc->execute(CommandId::StopRecording);
    doc->openFileForPlayback((dir / "p.dsx").string());
    EXPECT_FALSE(timers.isRunning(TimerId::GpsRead));
    doc->OnTimer(TimerId::GpsRead);  // a late expiry posts nothing
    EXPECT_FALSE(timers.isRunning(TimerId::GpsRead));
    EXPECT_FALSE(doc->isEnabled(CommandId::SynchronizeWithGpsTime));
    connectYes();
    EXPECT_TRUE(timers.isRunning(TimerId::GpsRead));
    EXPECT_GT(ui.viewResets, 0);  // the track window resets on leaving playback
}

TEST_F(GpsDocumentTest, AMissingPortSaysSoAndReadingGoesOnHarmlessly) {
    writeSettings("[Settings]\r\nGPS Comm Port=7\r\n");
    doc->initialise();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "COM7 is not available. \nPlease choose another COM port!");
    connectYes();
    doc->OnTimer(TimerId::GpsRead);
    EXPECT_TRUE(timers.isRunning(TimerId::GpsRead));
}

TEST_F(GpsDocumentTest, TheDeviceNamedForThisRunIsReadEvenWhenTheSettingsChooseGpsd) {
    char name[256] = {};
    ::ttyname_r(slave, name, sizeof name);
    writeSettings("[Settings]\r\nGPS type=2\r\n[GPS Source]\r\nUse gpsd=1\r\ngpsd Port=1\r\n");
    sources->overrideConfiguredPort(name);
    doc->initialise();
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front();
    EXPECT_FALSE(doc->gps().currentChoice().useGpsd);  // the dialog shows what is read
    connectYes();
    receiverSends(kRmc1);
    EXPECT_EQ(gpsText(GpsText::Latitude), "49.16.4500 N");
    EXPECT_TRUE(doc->settings().gpsUseGpsd);  // the file's choice stays until the dialog applies
}

TEST_F(GpsDocumentTest, PortDialogApplyReopensOnlyWhatChanged) {
    doc->initialise();
    GpsController& gps = doc->gps();
    GpsController::PortChoice c = gps.currentChoice();
    gps.applyChoice(c, false);  // nothing changed: the port stays as it is
    EXPECT_TRUE(prompts.messages.empty());
    c.comPort = 9;
    gps.applyChoice(c, true);  // during playback only stored
    EXPECT_EQ(doc->settings().gpsCommPort, 9);
    EXPECT_TRUE(prompts.messages.empty());
    c.comPort = 8;
    gps.applyChoice(c, false);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "COM8 is not available. \nPlease choose another COM port!");
    gps.setReadInterval(50);
    EXPECT_EQ(doc->settings().gpsReadInterval, 100);
    gps.setReadInterval(2500);
    EXPECT_EQ(doc->settings().gpsReadInterval, 2000);
}

TEST_F(GpsDocumentTest, GpsCommands) {
    doc->initialise();
    EXPECT_FALSE(doc->isEnabled(CommandId::GpsEnabled));
    EXPECT_FALSE(doc->isEnabled(CommandId::ShowGpsTrackPlotter));  // the window is open
    doc->execute(CommandId::GpsZoomIn);
    EXPECT_EQ(doc->settings().gpsZoom, 2.5);
    doc->execute(CommandId::GpsZoomOut);
    doc->execute(CommandId::GpsZoomOut);
    EXPECT_EQ(doc->settings().gpsZoom, 0.5);
    EXPECT_FALSE(doc->isChecked(CommandId::ConvertUtcToLocalTime));
    doc->execute(CommandId::ConvertUtcToLocalTime);
    EXPECT_TRUE(doc->isChecked(CommandId::ConvertUtcToLocalTime));
    doc->execute(CommandId::GpsCommPortSettings);
    EXPECT_EQ(ui.dialogs, 1);
    connectYes();
    receiverSends(kRmc1);
    receiverSends(kRmc2);
    doc->execute(CommandId::EraseGpsTracks);
    const auto [outline, restart] = doc->gps().shared().with([](const GpsData& d) {
        return std::pair{d.track.outline(), d.fix.trackRestart};
    });
    EXPECT_TRUE(outline.empty());
    EXPECT_EQ(restart, 1);
    EXPECT_GT(ui.viewResets, 0);
}

}  // namespace
