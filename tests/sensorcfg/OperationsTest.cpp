#include <gtest/gtest.h>

#include "sensorcfg/SensorSentences.h"
#include "sensorcfg/SessionHarness.h"

namespace {
namespace ss = sensor_sentences;

class OperationsTest : public SessionTest {
  protected:
    void connectAt(int rate) {
        sensorAt(rate);
        session->connect();
        run();
        ASSERT_TRUE(session->connected());
        link.writes.clear();
        prompts.messages.clear();
        ui.waitTexts.clear();
        now = 0;
    }
};

TEST_F(OperationsTest, UploadSendsTheModelsSequenceAndMarksTheDocument) {
    for (int model : {1, 6}) {
        SCOPED_TRACE(model);
        resetToDefaults(config, model);
        connectAt(4800);
        session->openMonitor();
        link.schedule(10, "$GPGGA,1\r\n");
        doc->setUploaded(false);
        session->sendConfiguration();
        EXPECT_TRUE(ui.busy);
        runWhileBusy();
        const auto expected = ss::uploadSentences(config, clock.time);
        EXPECT_EQ(link.written(), expected);
        if (model == 1) {
            ASSERT_EQ(expected.size(), 17u);
            EXPECT_EQ(expected.back(), "$PTVRO,,B\r\n");
        } else {
            EXPECT_EQ(expected.back(), "$PTVRI,,,,,,,R\r\n");
        }
        // Each sentence waits its 500 ms before the next goes out.
        EXPECT_EQ(now, 500 * expected.size());
        EXPECT_TRUE(doc->isUploaded());
        EXPECT_EQ(session->monitor().text(1001), "---");
        EXPECT_TRUE(prompts.messages.empty());
        EXPECT_FALSE(ui.waitShown);
        EXPECT_EQ(ui.waitTexts.front(), "Sending to GPS: $PTVRO,GPGGA,1\r\n");
        session->disconnect();
    }
}

TEST_F(OperationsTest, AnEchoThatNeverComesIsAskedAboutEveryFiftyAttempts) {
    connectAt(9600);
    // The sensor stops echoing after the selections; the user retries once, then gives up.
    link.sensor = [](const std::string& w, int) {
        return w.starts_with("$PTVRO") ? std::vector<std::string>{w} : std::vector<std::string>{};
    };
    prompts.answers = {PromptAnswer::Retry, PromptAnswer::Cancel};
    session->sendConfiguration();
    runWhileBusy();
    ASSERT_EQ(link.writes.size(), 14u + 100u);
    EXPECT_EQ(link.writes.back().bytes.substr(0, 7), "$PTVRI,");
    EXPECT_EQ(now, 14 * 500 + 100 * 3000);
    EXPECT_EQ(timer.intervals.back(), 2500u);
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{"Uploading fail. Please check connection.",
                                        "Uploading fail. Please check connection."}));
    EXPECT_EQ(prompts.messages[0].title, "Upload");
    EXPECT_EQ(prompts.messages[0].buttons, PromptButtons::RetryCancel);
    EXPECT_FALSE(doc->isUploaded());
    EXPECT_FALSE(ui.busy);
}

TEST_F(OperationsTest, SensorButtonsSendTheirSentenceAndReportFailure) {
    connectAt(9600);
    // Noise ahead of the "$" does not spoil an echo.
    link.sensor = [](const std::string& w, int) {
        if (w == "$PTVRI,,,,,,,A\r\n") {
            return std::vector<std::string>{"\x01\xfe#" + w};
        }
        return std::vector<std::string>{};
    };
    session->pressButton(SensorButton::SetAutolocate);
    runWhileBusy();
    EXPECT_EQ(link.writes.size(), 1u);
    EXPECT_TRUE(prompts.messages.empty());

    // Erasing and test mode need no echo: done after the pause, written once.
    for (SensorButton b : {SensorButton::ResetNonVol, SensorButton::TestMode}) {
        link.writes.clear();
        now = 0;
        session->pressButton(b);
        runWhileBusy();
        EXPECT_EQ(link.written(), std::vector<std::string>{sensorButtonInfo(b).sentence});
        EXPECT_EQ(now, 500u);
    }
    EXPECT_TRUE(prompts.messages.empty());

    link.writes.clear();
    prompts.answers = {PromptAnswer::Cancel};
    session->pressButton(SensorButton::ResetUnit);
    runWhileBusy();
    EXPECT_EQ(link.writes.size(), 50u);
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{"Uploading fail. Please check connection.",
                                                        "Reset did not succeed."}));
    EXPECT_FALSE(ui.waitShown);

    session->disconnect();
    prompts.messages.clear();
    session->pressButton(SensorButton::ResetUnit);
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{"You must be connected before you can reset!"});
}

TEST_F(OperationsTest, DownloadReadsTheRepliesThenDetectsTheTransmittedSentences) {
    replies["$PTVRIX\r\n"] = {"$PTVRI,4736.123,S,12219.500,W,070324,140509\r\n"};
    replies["$PTVRCX\r\n"] = {"$PTVRC,2,55.5,27,,,,,,D,5,9,1,7,20*3A\r\n"};
    replies["$PTVRC1X\r\n"] = {"$PTVRC1,5,2,1,300.5,100,2,1,R,P,,,,2\r\n"};
    connectAt(19200);
    doc->setUploaded(true);
    session->openMonitor();
    // The sensor is transmitting all along; its sentences must not disturb the replies.
    transmitCycles(5, 30);
    bool created = false;
    doc->setDownloadHandler([&] {
        created = true;
        session->download();
    });
    doc->newDocument(SensorCommand::GetConfiguration);
    EXPECT_TRUE(created);
    runWhileBusy();

    EXPECT_EQ(link.written(),
              (std::vector<std::string>{"$PTVRIX\r\n", "$PTVRCX\r\n", "$PTVRC1X\r\n"}));
    EXPECT_EQ(config.lat_deg, 47);
    EXPECT_EQ(config.lon_west, 1);
    EXPECT_EQ(config.fixmode, 1);
    EXPECT_EQ(config.datum, 27);
    EXPECT_EQ(config.baudrate, 5);
    EXPECT_EQ(config.filter, 9);
    EXPECT_EQ(config.vldtime, 20);
    EXPECT_EQ(config.outtime, 5);
    EXPECT_EQ(config.dgpsmode, 2);
    EXPECT_EQ(config.psm, 1);
    EXPECT_EQ(config.pps_auto_off, 1);
    // Exactly what was transmitted, found when GGA came round again.
    std::array<std::int16_t, kSentenceCount> expected{};
    expected[GPGGA] = expected[GPGSA] = expected[GPGSV] = expected[GPRMC] = 1;
    EXPECT_EQ(config.sentences, expected);
    EXPECT_EQ(now % 1000, 5u);
    EXPECT_LT(now, 3500u);
    EXPECT_EQ(ui.waitTexts.back(),
              "Detecting transmitted sentences...\n  (may take up to 10 seconds)");
    EXPECT_EQ(session->monitor().text(1012), "$GPGSV,3,2,11,09");
    EXPECT_EQ(session->monitor().text(1013), "$GPGSV,3,3,11,21");
    EXPECT_FALSE(doc->isUploaded());
    EXPECT_TRUE(doc->isModified());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(OperationsTest, DownloadAsksOnlyWhatTheModelAnswers) {
    struct Case {
        int model;
        std::vector<std::string> written;
    };
    for (const Case& k :
         {Case{1, {"$PTVRIX\r\n", "$PTVRCX\r\n"}},
          Case{6, {"$PTVRIX\r\n", "$PTVRCX\r\n", "$PTVRC1X\r\n", "$PTVRI,,,,,,,R\r\n"}}}) {
        SCOPED_TRACE(k.model);
        resetToDefaults(config, k.model);
        replies["$PTVRIX\r\n"] = {"$PTVRI,0100.000,N,00200.000,E,010124,000000\r\n"};
        replies["$PTVRCX\r\n"] = {"$PTVRC,A,10.0,100,,,,,,A,3,1,1,4,30\r\n"};
        replies["$PTVRC1X\r\n"] = {"$PTVRC1,1,1,1,0.0,0,1,1,A,N,,,,1\r\n"};
        connectAt(9600);
        session->download();
        runWhileBusy();
        EXPECT_EQ(link.written(), k.written);
        // A silent sensor: detection gives up after 10 s and finds nothing switched on.
        EXPECT_EQ(timer.intervals.back(), 10000u);
        EXPECT_EQ(config.sentences, (std::array<std::int16_t, kSentenceCount>{}));
        session->disconnect();
    }
    prompts.messages.clear();
    session->download();
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{"Connection must be established before downloading."});
    EXPECT_EQ(prompts.messages[0].title, "Downloading Fail");
}

TEST_F(OperationsTest, MonitorShowsEachSentenceInItsRowWhileOpen) {
    connectAt(9600);
    link.schedule(1, "$GPGGA,1\r\n");
    run();
    session->openMonitor();
    EXPECT_EQ(session->monitor().text(1001), "...");
    for (const char* line : {"noise$GPGSV,3,2,11,09\r\n", "$GPGSV,3,1,11,04\r\n", "$PTVRT,x\r\n"}) {
        link.schedule(now + 1, line);
    }
    run();
    EXPECT_EQ(session->monitor().text(1012), "$GPGSV,3,2,11,09");
    EXPECT_EQ(session->monitor().text(1003), "$GPGSV,3,1,11,04");
    EXPECT_EQ(session->monitor().text(1009), "$PTVRT,x");
    session->disconnect();
    EXPECT_EQ(session->monitor().text(1012), "---");
}

TEST_F(OperationsTest, SwitchToTavrinModeSendsTheModeSentenceAndLetsGo) {
    connectAt(4800);
    session->switchToTavrinMode();
    EXPECT_EQ(link.written(), std::vector<std::string>{"$PTVRO,,G\r\n"});
    EXPECT_EQ(ui.waitTexts.back(), "Sending: $PTVRO,,G\r\n");
    EXPECT_TRUE(session->inBinaryMode());
    EXPECT_FALSE(session->connected());
    EXPECT_FALSE(ui.busy);
    // Already in binary mode: nothing happens.
    const std::size_t opened = link.opens.size();
    session->switchToTavrinMode();
    EXPECT_EQ(link.opens.size(), opened);

    // Without a link it connects first; a successful connect leaves binary mode.
    session->switchToNmeaMode();
    run();
    config.model = 6;
    link.writes.clear();
    session->switchToTavrinMode();
    run();
    EXPECT_EQ(link.written().back(), "$PTVRO,,S\r\n");
    EXPECT_TRUE(session->inBinaryMode());
}

TEST_F(OperationsTest, UpdateSoftwareLeavesNmeaThenStartsTheUpdater) {
    resetToDefaults(config, 0);
    connectAt(4800);
    prompts.existingFiles = {"/media/usb/brisa.rgn", "/opt/tavrin/updater.exe"};
    session->updateSoftware();
    run();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find("*WARNING*"), std::string::npos);
    EXPECT_EQ(link.written(), std::vector<std::string>{"$PTVRO,,G\r\n"});
    EXPECT_EQ(ui.waitTexts.back(), "Sending: $PTVRO,,G\r\n ");
    EXPECT_FALSE(session->connected());
    EXPECT_FALSE(session->inBinaryMode());
    ASSERT_EQ(prompts.fileQuestions.size(), 2u);
    EXPECT_EQ(prompts.fileQuestions[0].folder, "/home/crew");
    EXPECT_EQ(prompts.fileQuestions[0].filters[0].name, "Region Files");
    EXPECT_EQ(prompts.fileQuestions[0].filters[0].pattern, "*.rgn");
    EXPECT_EQ(prompts.fileQuestions[1].filters[0].name, "Update Utility");
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].first, "/opt/tavrin/updater.exe");
    EXPECT_EQ(processes.started[0].second, std::vector<std::string>{"/media/usb/brisa.rgn"});

    // No sensor answering, the region file dialog cancelled: the unit is asked back to NMEA.
    resetToDefaults(config, 2);
    link.sensor = nullptr;
    link.writes.clear();
    prompts.messages.clear();
    prompts.answers = {PromptAnswer::Ok, PromptAnswer::Cancel};
    session->updateSoftware();
    run();
    EXPECT_EQ(prompts.messages[0].text.find("*WARNING*"), std::string::npos);
    EXPECT_EQ(prompts.messages[1].text,
              "Connection Fail. Please make sure comm port selection is correct.");
    EXPECT_EQ(link.written().back(), ss::nmeaReturnPacket(2));
    EXPECT_EQ(prompts.messages.back().text, "Attempt finished.");
    EXPECT_EQ(processes.started.size(), 1u);

    config.model = 6;
    prompts.messages.clear();
    session->updateSoftware();
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Calder does not support update of code!"});
}
}  // namespace
