#include <gtest/gtest.h>

#include "sensorcfg/Profile.h"
#include "sensorcfg/SensorSentences.h"
#include "sensorcfg/SessionHarness.h"

namespace {
namespace keys = profile_keys;
const std::string kProbe = "$PTVRO,,\r\n";
const std::string kAutoFail = "Connection Fail. Please make sure comm port selection is correct.";
const std::string kManualFail =
    "Connection Fail.  Please make sure comm\n port and baud rate selections are correct.";

using ConnectTest = SessionTest;

TEST_F(ConnectTest, DetectionTriesEveryRateFromTheTopUntilTheSensorEchoes) {
    struct Case {
        int sensorRate;
        std::vector<int> ratesOpened;
        std::uint64_t elapsedMs;  // 500 ms a try down to 4800 bps, (19200 / rate) x 100 below
    };
    for (const Case& k : {
             Case{38400, {38400}, 500},
             Case{4800, {38400, 19200, 9600, 4800}, 15 * 500 + 500},
             Case{300,
                  {38400, 19200, 9600, 4800, 2400, 1200, 600, 300},
                  20 * 500 + 5 * 800 + 5 * 1600 + 5 * 3200 + 500},
         }) {
        SCOPED_TRACE(k.sensorRate);
        session->disconnect();
        link.opens.clear();
        link.writes.clear();
        prompts.messages.clear();
        config.baudrate = 1;
        now = 0;
        sensorAt(k.sensorRate);
        session->connect();
        EXPECT_TRUE(ui.busy);
        run();

        std::vector<int> opened;
        for (const auto& [port, rate] : link.opens) {
            EXPECT_EQ(port, 2);
            opened.push_back(rate);
        }
        EXPECT_EQ(opened, k.ratesOpened);
        for (int r : k.ratesOpened) {
            EXPECT_EQ(writesAt(r), r == k.sensorRate ? 1 : 5) << r;
        }
        EXPECT_EQ(now, k.elapsedMs);
        EXPECT_TRUE(session->connected());
        EXPECT_EQ(config.baudrate, baudRateToCode(k.sensorRate));
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, "Connection Success. Baud rate detected at " +
                                                std::to_string(k.sensorRate) + " bps.");
        EXPECT_EQ(prompts.messages[0].title, "Auto Baud Rate Detection");
        EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Information);
        EXPECT_FALSE(ui.busy);
        EXPECT_FALSE(ui.waitShown);
        EXPECT_EQ(ui.waitTexts.back(), "Trying Baud Rate " + std::to_string(k.sensorRate));
    }
}

TEST_F(ConnectTest, AnEchoThatArrivedBeforeTheTimeOutIsSeenFirst) {
    // At 38400 the attempt ends with the 500 ms pause. The echo comes at 499 ms and is still
    // queued when the time-out fires: the session must take it before the time-out.
    deliverOnArrival = false;
    link.replyDelayMs = 499;
    sensorAt(38400);
    session->connect();
    run();
    EXPECT_TRUE(session->connected());
    EXPECT_EQ(link.writes.size(), 1u);
}

TEST_F(ConnectTest, NoSensorAnywhereAsksRetryAndRetryStartsAgain) {
    prompts.answers = {PromptAnswer::Retry, PromptAnswer::Cancel};
    session->connect();
    run();
    EXPECT_EQ(link.writes.size(), 80u);
    EXPECT_EQ(link.opens.back().second, 300);
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{kAutoFail, kAutoFail}));
    EXPECT_EQ(prompts.messages[0].buttons, PromptButtons::RetryCancel);
    EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_FALSE(session->connected());
    EXPECT_EQ(ui.busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(ConnectTest, ManualFormTriesOnlyItsRate) {
    profile.writeInt(keys::kCommunications, keys::kManualBaudSelect, 1);
    profile.writeInt(keys::kCommunications, keys::kDisplayNumberAttempts, 1);

    // Code 9 is no rate: nothing is opened or sent, and the manual failure follows.
    profile.writeInt(keys::kCommunications, keys::kManualBaudRate, 9);
    prompts.answers = {PromptAnswer::Cancel};
    session->connect();
    run();
    EXPECT_TRUE(link.opens.empty());
    EXPECT_TRUE(link.writes.empty());
    EXPECT_EQ(messageTexts(), std::vector<std::string>{kManualFail});
    EXPECT_EQ(prompts.messages[0].title, "Manual Baud Rate Detection");
    EXPECT_FALSE(ui.busy);

    // A sensor at 9600 asked at 4800: five attempts, counted in the wait box, then the question.
    prompts.messages.clear();
    sensorAt(9600);
    profile.writeInt(keys::kCommunications, keys::kManualBaudRate, 3);
    prompts.answers = {PromptAnswer::Cancel};
    session->connect();
    run();
    EXPECT_EQ(writesAt(4800), 5);
    EXPECT_EQ(ui.attemptTexts.back(), "Attempt no. 5 of 5");
    EXPECT_EQ(messageTexts(), std::vector<std::string>{kManualFail});
    EXPECT_FALSE(session->connected());

    profile.writeInt(keys::kCommunications, keys::kManualBaudRate, 4);
    session->connect();
    run();
    EXPECT_TRUE(session->connected());
    EXPECT_EQ(link.opens.back(), (std::pair<int, int>{2, 9600}));
    EXPECT_EQ(config.baudrate, 4);
}

TEST_F(ConnectTest, CancelDuringDetectionLeavesNoLinkAndNoMessage) {
    sensorAt(1200);
    session->connect();
    run(1200);
    EXPECT_TRUE(ui.waitShown);
    const std::size_t written = link.writes.size();
    session->onCancel();
    run();
    EXPECT_FALSE(session->connected());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(link.writes.size(), written);
    EXPECT_FALSE(ui.waitShown);
    EXPECT_FALSE(ui.busy);
    EXPECT_FALSE(timer.active);
}

TEST_F(ConnectTest, APortThatCannotBeOpenedEndsTheSearch) {
    link.canOpen = [](int, int rate) { return rate != 19200; };
    prompts.answers = {PromptAnswer::Cancel};
    session->connect();
    run();
    EXPECT_EQ(link.opens.size(), 2u);
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{"Error starting comm thread", kAutoFail}));
    EXPECT_EQ(prompts.messages[0].title, "Error");

    // The manual form stops at the error, without asking to retry.
    prompts.messages.clear();
    profile.writeInt(keys::kCommunications, keys::kManualBaudSelect, 1);
    profile.writeInt(keys::kCommunications, keys::kManualBaudRate, 5);
    session->connect();
    run();
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Error starting comm thread"});
    EXPECT_FALSE(session->connected());
    EXPECT_FALSE(ui.waitShown);
    EXPECT_FALSE(ui.busy);
}

TEST_F(ConnectTest, SwitchToNmeaModeProbesThenSendsTheReturnPacketAt9600) {
    // Whether or not anything answers, the mode change only sends: 5 probes at 38400, 5 at
    // 19200, one at 9600, then the packet.
    for (int model : {2, 6}) {
        for (int answering : {0, 19200}) {
            SCOPED_TRACE(testing::Message() << model << " " << answering);
            link.writes.clear();
            prompts.messages.clear();
            config.model = model;
            config.baudrate = 5;
            link.sensor = nullptr;
            if (answering) {
                sensorAt(answering);
            }
            session->switchToNmeaMode();
            run();
            ASSERT_EQ(link.writes.size(), 12u);
            EXPECT_EQ(writesAt(38400), 5);
            EXPECT_EQ(writesAt(19200), 5);
            EXPECT_EQ(link.writes[10].rate, 9600);
            EXPECT_EQ(link.writes[10].bytes, kProbe);
            EXPECT_EQ(link.writes[11].rate, 9600);
            EXPECT_EQ(link.writes[11].bytes, sensor_sentences::nmeaReturnPacket(model));
            ASSERT_EQ(prompts.messages.size(), 2u);
            EXPECT_EQ(prompts.messages[0].text.substr(0, 45),
                      "If you cannot reconnect to the unit after att");
            EXPECT_EQ(prompts.messages[1].text, "Attempt finished.");
            EXPECT_EQ(prompts.messages[1].title, "Information");
            EXPECT_EQ(ui.waitTexts.back(), "Attempting to change to NMEA mode.");
            EXPECT_FALSE(session->connected());
            EXPECT_EQ(config.baudrate, 3);
        }
    }
}

TEST_F(ConnectTest, TheDeviceDisappearingEndsWhatRunsAndReportsIt) {
    sensorAt(9600);
    session->connect();
    run();
    session->openMonitor();
    link.schedule(now + 10, "$GPGGA,1\r\n");
    run();
    EXPECT_EQ(session->monitor().text(1001), "$GPGGA,1");
    prompts.messages.clear();

    // The receiver is unplugged half way through an upload.
    session->sendConfiguration();
    run(1200);
    EXPECT_TRUE(session->busy());
    session->onLinkLost();
    EXPECT_FALSE(session->busy());
    EXPECT_FALSE(session->connected());
    EXPECT_FALSE(ui.waitShown);
    EXPECT_FALSE(timer.active);
    EXPECT_FALSE(doc->isUploaded());
    EXPECT_EQ(session->monitor().text(1001), "---");
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"The serial port was lost."});
    // A second report of the same loss says nothing more.
    session->onLinkLost();
    EXPECT_EQ(prompts.messages.size(), 1u);
}
}  // namespace
