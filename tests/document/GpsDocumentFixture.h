#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "document/DocumentFixture.h"
#include "gps/SystemGpsSources.h"

namespace doctest {

struct QuietGpsClock : GpsClock {
    SystemTime utcNow() override { return {2026, 12, 1, 7, 9, 5, 3, 42}; }
    CivilDate localDate() override { return {2026, 12, 7}; }
    bool setUtc(const SystemTime&) override { return false; }
};

struct RecordingUi : GpsUi {
    bool trackOpen = false;
    int trackRedraws = 0, sentenceRedraws = 0, viewResets = 0, dialogs = 0;
    void showTrackWindow() override { trackOpen = true; }
    bool trackWindowOpen() const override { return trackOpen; }
    void resetTrackView() override { ++viewResets; }
    void showPortDialog() override { ++dialogs; }
    void sentencesChanged() override { ++sentenceRedraws; }
    void trackChanged() override { ++trackRedraws; }
};

// The document with a GPS on COM1, which the settings file maps to a pseudo-terminal the test
// writes to.
class GpsDocumentTest : public DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        char name[256] = {};
        ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
        writeSettings(std::string("[Settings]\r\nGPS type=2\r\n[Serial Ports]\r\nCOM1=") + name +
                      "\r\n");
        sources = std::make_unique<SystemGpsSources>(nullptr, (dir / "Keelbrook.cfg").string(),
                                                     "Serial Ports");
        gpsPorts = std::make_unique<GpsPorts>(GpsPorts{*sources, gpsClock, ui});
        doc = std::make_unique<CKeelbrookDoc>(
            DocPorts{link, clock, timers, prompts, frame, nullptr, nullptr, gpsPorts.get()},
            dir.string() + "/", 1920, 1080);
        doc->resizeImage(203, 60);
    }
    void TearDown() override {
        doc.reset();
        ::close(master);
        ::close(slave);
        DocumentTest::TearDown();
    }
    // The receiver sends; the frame's read timer fires and the read tick takes it in.
    void receiverSends(const std::string& nmea) {
        ASSERT_EQ(::write(master, nmea.data(), nmea.size()), static_cast<ssize_t>(nmea.size()));
        pollfd p{slave, POLLIN, 0};
        ASSERT_EQ(::poll(&p, 1, 5000), 1);
        ASSERT_TRUE(timers.isRunning(TimerId::GpsRead));
        doc->OnTimer(TimerId::GpsRead);
    }
    std::string gpsText(GpsText::Field f) { return doc->gps().shared().snapshot().text[f]; }

    int master = -1, slave = -1;
    QuietGpsClock gpsClock;
    RecordingUi ui;
    std::unique_ptr<SystemGpsSources> sources;
    std::unique_ptr<GpsPorts> gpsPorts;
};

}  // namespace doctest
