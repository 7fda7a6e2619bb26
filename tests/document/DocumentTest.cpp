#include <gtest/gtest.h>

#include "document/DocumentFixture.h"

using namespace doctest;

TEST_F(DocumentTest, StartsOfflineWithDefaultsWhenNoSettingsFile) {
    EXPECT_FALSE(doc->initialise());
    EXPECT_EQ(doc->connectionState(), ConnectionState::Offline);
    EXPECT_EQ(doc->title(), "Real Time");
    EXPECT_EQ(frame.title, "Real Time");
    EXPECT_EQ(doc->ipAddress(), "192.168.0.2");
    EXPECT_EQ(doc->head().command().rangeIndex(), 9);
    EXPECT_TRUE(doc->settings().gpsTracking);
}

TEST_F(DocumentTest, YesConnectsToPort4040WhateverTheSettingsSay) {
    writeSettings("[Settings]\r\nPort Number=5000\r\nIP Address=127.0.0.9\r\n");
    ASSERT_TRUE(doc->initialise());
    EXPECT_EQ(doc->settings().portNumber, 5000);
    prompts.answers.push_back("127.0.0.7");
    ASSERT_TRUE(doc->Connect());
    EXPECT_EQ(prompts.askedWith.back(), "127.0.0.9");  // the dialog offers the stored address
    EXPECT_EQ(doc->connectionState(), ConnectionState::Connecting);
    ASSERT_EQ(link.attempts.size(), 1u);
    EXPECT_EQ(link.attempts[0].host, "127.0.0.7");
    EXPECT_EQ(link.attempts[0].port, 4040);
    EXPECT_TRUE(timers.isRunning(TimerId::GpsRead));

    doc->OnConnectResult(true);
    EXPECT_EQ(doc->connectionState(), ConnectionState::Connected);
    ASSERT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(link.sent[0][13], 1);  // linkCommand: apply the mode first
    EXPECT_EQ(link.sent[0][18], 0);  // port side first
    EXPECT_FALSE(timers.isRunning(TimerId::ConnectTimeout));

    ASSERT_TRUE(doc->saveSettingsFile());
    EXPECT_NE(readSettings().find("Port Number=4040"), std::string::npos);
    EXPECT_NE(readSettings().find("IP Address=127.0.0.7"), std::string::npos);
}

TEST_F(DocumentTest, OfferedAddressOnlyFillsTheDialogUntilAYesStoresOne) {
    writeSettings("[Settings]\r\nIP Address=127.0.0.9\r\n");
    doc->initialise();
    doc->offerAddress("127.0.0.77");
    EXPECT_FALSE(doc->Connect());  // NO, and the playback dialog cancelled
    EXPECT_EQ(prompts.askedWith.back(), "127.0.0.77");
    EXPECT_NE(readSettings().find("IP Address=127.0.0.9"), std::string::npos);

    prompts.answers.push_back("127.0.0.78");
    doc->execute(CommandId::Reconnect);
    EXPECT_EQ(prompts.askedWith.back(), "127.0.0.77");
    EXPECT_EQ(link.attempts.back().host, "127.0.0.78");
    doc->OnConnectResult(false);
    doc->execute(CommandId::Reconnect);
    EXPECT_EQ(prompts.askedWith.back(), "127.0.0.78");
    EXPECT_NE(readSettings().find("IP Address=127.0.0.78"), std::string::npos);
}

TEST_F(DocumentTest, NoStaysOfflineAndOpensPlayback) {
    doc->initialise();
    EXPECT_FALSE(doc->Connect());
    EXPECT_EQ(doc->connectionState(), ConnectionState::Offline);
    ASSERT_EQ(prompts.openRequests.size(), 1u);  // the file dialog, cancelled here
    EXPECT_EQ(prompts.openRequests[0].title, "Open Data File:");
    EXPECT_TRUE(link.attempts.empty());
    EXPECT_TRUE(timers.isRunning(TimerId::GpsRead));
}

TEST_F(DocumentTest, FailedOrSilentConnectionEndsNotConnected) {
    doc->initialise();
    prompts.answers.push_back("127.0.0.3");
    doc->Connect();
    doc->OnConnectResult(false);
    EXPECT_EQ(doc->connectionState(), ConnectionState::NotConnected);
    EXPECT_TRUE(link.sent.empty());

    // Nothing answers at all: the time-out ends the attempt.
    prompts.answers.push_back("127.0.0.4");
    ASSERT_TRUE(doc->execute(CommandId::Reconnect));
    ASSERT_EQ(doc->connectionState(), ConnectionState::Connecting);
    ASSERT_EQ(timers.running.at(TimerId::ConnectTimeout), CKeelbrookDoc::kConnectTimeoutMs);
    const int closesBefore = link.closes;
    doc->OnTimer(TimerId::ConnectTimeout);
    EXPECT_EQ(doc->connectionState(), ConnectionState::NotConnected);
    EXPECT_GT(link.closes, closesBefore);
    // A late success of the abandoned attempt is not taken.
    doc->OnConnectResult(true);
    EXPECT_EQ(doc->connectionState(), ConnectionState::NotConnected);
    EXPECT_TRUE(link.sent.empty());
}

TEST_F(DocumentTest, ReconnectOnlyFromNotConnectedOrOffline) {
    doc->initialise();
    connectYes();
    EXPECT_FALSE(doc->isEnabled(CommandId::Reconnect));
    doc->execute(CommandId::Reconnect);
    EXPECT_EQ(prompts.askedWith.size(), 1u);

    doc->Disconnect();
    EXPECT_EQ(doc->connectionState(), ConnectionState::Offline);
    EXPECT_TRUE(doc->isEnabled(CommandId::Reconnect));
    prompts.answers.push_back("127.0.0.5");
    doc->execute(CommandId::Reconnect);
    EXPECT_EQ(prompts.askedWith.size(), 2u);
    EXPECT_EQ(doc->connectionState(), ConnectionState::Connecting);
    EXPECT_FALSE(doc->isEnabled(CommandId::Reconnect));
    doc->execute(CommandId::Reconnect);
    EXPECT_EQ(prompts.askedWith.size(), 2u);
    EXPECT_TRUE(fs::exists(dir / "Keelbrook.cfg"));  // Reconnect saves the settings

    // Offline, but playing a file: the way back to the head is Connect to Sonar Head.
    doc->Disconnect();
    ASSERT_TRUE(doc->isEnabled(CommandId::Reconnect));
    doc->setPlayback(true);
    EXPECT_FALSE(doc->isEnabled(CommandId::Reconnect));
    doc->execute(CommandId::Reconnect);
    EXPECT_EQ(prompts.askedWith.size(), 2u);
    EXPECT_FALSE(doc->isEnabled(CommandId::IncreaseRange));
    EXPECT_TRUE(doc->isEnabled(CommandId::ConnectToSonarHead));
    doc->setPlayback(false);
    EXPECT_FALSE(doc->isEnabled(CommandId::ConnectToSonarHead));
}

TEST_F(DocumentTest, ExchangeAlternatesSidesAndProcessesEveryPing) {
    doc->initialise();
    connectYes();
    receive(headReturn(0));
    EXPECT_EQ(lastSent(18), 2);
    EXPECT_EQ(drawn(), 0u);
    receive(headReturn(2));
    EXPECT_EQ(lastSent(18), 0);
    EXPECT_EQ(drawn(), 1u);
    EXPECT_EQ(link.sent.size(), 3u);  // connect, after port, after starboard

    // Returns split across many reads are kept until complete.
    for (std::uint8_t side : {0, 2}) {
        const auto r = headReturn(side);
        for (std::size_t i = 0; i < r.size(); i += 7) {
            doc->OnReceive(r.data() + i, std::min<std::size_t>(7, r.size() - i));
        }
    }
    EXPECT_EQ(drawn(), 2u);
    EXPECT_EQ(link.sent.size(), 5u);
    EXPECT_EQ(doc->discardedReturns(), 0u);
}

TEST_F(DocumentTest, BytesBehindACompleteReturnAreDroppedSoTheStreamStaysFramed) {
    doc->initialise();
    connectYes();
    // An over-long port return: 100 bytes more than a return holds.
    auto longPort = headReturn(0);
    longPort.insert(longPort.end(), 100, 0x20);
    receive(longPort);
    EXPECT_EQ(doc->discardedReturns(), 1u);
    EXPECT_EQ(lastSent(18), 2);
    receive(headReturn(2));
    EXPECT_EQ(drawn(), 1u);
    for (int i = 0; i < 3; ++i) {
        ping(0, 9 + i);
    }
    EXPECT_EQ(drawn(), 4u);
    EXPECT_EQ(doc->decoded().echoValue, 11);

    // A second return in the same read answers nothing that was asked: one command, one return.
    auto two = headReturn(0);
    const auto extra = headReturn(2);
    two.insert(two.end(), extra.begin(), extra.end());
    const std::size_t sent = link.sent.size();
    receive(two);
    EXPECT_EQ(drawn(), 4u);
    EXPECT_EQ(doc->discardedReturns(), 2u);
    EXPECT_EQ(link.sent.size(), sent + 1);
    receive(headReturn(2));
    EXPECT_EQ(drawn(), 5u);
}

TEST_F(DocumentTest, WrongSideIsDiscardedAndTheSameSideAskedAgain) {
    doc->initialise();
    connectYes();
    receive(headReturn(0));
    const std::size_t sentBefore = link.sent.size();
    receive(headReturn(1));
    EXPECT_EQ(drawn(), 0u);
    ASSERT_EQ(link.sent.size(), sentBefore + 1);
    EXPECT_EQ(lastSent(18), 2);  // still asking for starboard
    receive(headReturn(2));
    EXPECT_EQ(drawn(), 1u);
}

TEST_F(DocumentTest, HandshakeRunsLiveButNotInPlayback) {
    doc->initialise();
    connectYes();
    // The request after a starboard return leaves before the ping is decoded, so each step
    // travels with the next port request.
    ping(1, 0);
    EXPECT_EQ(lastSent(13), 1);
    receive(headReturn(0, 2, 9));
    EXPECT_EQ(lastSent(13), 2);
    receive(headReturn(2, 2, 9));
    ping(3, 30);
    EXPECT_EQ(lastSent(13), 3);
    EXPECT_EQ(doc->head().command().linkCommand(), 0);
    receive(headReturn(0));
    EXPECT_EQ(lastSent(13), 0);

    doc->setPlayback(true);
    doc->head().armHandshake();
    doc->ProcessPing();  // header says mode 0 acknowledged, but no handshake in playback
    EXPECT_EQ(doc->head().command().linkCommand(), 1);
}

TEST_F(DocumentTest, NoRxPingIsNeitherDrawnNorRecordedButTimed) {
    doc->initialise();
    connectYes();
    startRecording();
    clock.tick = 1100;
    ping(0, 9, false);
    EXPECT_EQ(drawn(), 1u);
    EXPECT_EQ(doc->recordedPings(), 1u);
    EXPECT_EQ(doc->pingIntervalMs(), 100u);
    const int diagnostics = frame.diagnosticsRefreshes;
    clock.tick = 1175;
    ping(0, 9, true);
    EXPECT_TRUE(doc->noRxData());
    EXPECT_EQ(drawn(), 1u);
    EXPECT_EQ(doc->recordedPings(), 1u);
    EXPECT_EQ(doc->pingIntervalMs(), 75u);
    EXPECT_EQ(frame.diagnosticsRefreshes, diagnostics + 1);

    doc->execute(CommandId::StopRecording);
    ping();
    EXPECT_FALSE(doc->recording());
    EXPECT_EQ(fs::file_size(dir / "rec.dsx"), 4096u);
}

TEST_F(DocumentTest, PingTimeTextsAndIntervalAcrossTickWrap) {
    doc->initialise();
    clock.tick = 0xFFFFFFF0u;
    connectYes();
    clock.tick = 0x10;
    clock.now = {2026, 3, 4, 23, 59, 7, 5};
    ping();
    EXPECT_EQ(doc->dateText(), "04-MAR-2026");
    EXPECT_EQ(doc->timeText(), "23:59:07");
    EXPECT_EQ(doc->millisecondText(), ".005");
    EXPECT_EQ(doc->pingIntervalMs(), 0x20u);
}

TEST_F(DocumentTest, HoldStopsRedrawsOnly) {
    doc->initialise();
    connectYes();
    startRecording();
    doc->execute(CommandId::Hold);
    EXPECT_TRUE(doc->isChecked(CommandId::Hold));
    const int redraws = frame.redraws;
    ping();
    ping();
    EXPECT_EQ(drawn(), 2u);
    EXPECT_EQ(doc->recordedPings(), 2u);
    EXPECT_EQ(frame.redraws, redraws);
    doc->execute(CommandId::Hold);
    ping();
    EXPECT_EQ(frame.redraws, redraws + 2);  // the toggle and the ping
}

TEST_F(DocumentTest, HeadClosingSavesWaitsThenAsksAgain) {
    doc->initialise();
    connectYes();
    receive(headReturn(0));
    auto partial = headReturn(2);
    doc->OnReceive(partial.data(), 500);  // closes mid-return
    doc->OnClose();
    EXPECT_TRUE(fs::exists(dir / "Keelbrook.cfg"));
    EXPECT_EQ(timers.running.at(TimerId::ReconnectPause), 5000u);
    EXPECT_EQ(prompts.askedWith.size(), 1u);  // not asked yet: the pause runs on a timer
    EXPECT_FALSE(doc->isEnabled(CommandId::Reconnect));

    prompts.answers.push_back("127.0.0.5");
    doc->OnTimer(TimerId::ReconnectPause);
    EXPECT_EQ(prompts.askedWith.size(), 2u);
    doc->OnConnectResult(true);
    // The half return of the old connection does not leak into the new one.
    receive(headReturn(0));
    receive(headReturn(2));
    EXPECT_EQ(drawn(), 1u);
}

TEST_F(DocumentTest, RangeAndGainCommandsRefreshAndTravelWithTheNextRequest) {
    doc->initialise();
    connectYes();
    const int status = frame.statusRefreshes;
    doc->execute(CommandId::IncreaseRange);
    EXPECT_EQ(doc->head().command().rangeIndex(), 10);
    EXPECT_EQ(frame.statusRefreshes, status + 1);
    doc->execute(CommandId::DecreaseGain);
    receive(headReturn(0));
    EXPECT_EQ(lastSent(3), 10);
    EXPECT_EQ(lastSent(8), 69);
    EXPECT_EQ(lastSent(13), 2);

    doc->head().command().setRangeIndex(15);
    const int again = frame.statusRefreshes;
    doc->execute(CommandId::IncreaseRange);
    EXPECT_EQ(frame.statusRefreshes, again);  // nothing changed, nothing refreshed
}

TEST_F(DocumentTest, LoadedSettingsReachTheCommandAndRearmTheHandshake) {
    writeSettings("[Settings]\nRange=abc\nMode=2\nData Gain=101\nGain Balance=45\n");
    ASSERT_TRUE(doc->initialise());
    const SwitchCommand& c = doc->head().command();
    EXPECT_EQ(c.rangeIndex(), 0);  // not a number reads 0
    EXPECT_EQ(c.modeFreq(), 2);
    EXPECT_EQ(c.dataGain(), 101);
    EXPECT_EQ(c.gainBalance(), 45);
    EXPECT_EQ(doc->alarmCopies().balance, 45);
    EXPECT_TRUE(doc->head().handshakeArmed());
    EXPECT_EQ(c.linkCommand(), 1);
}

TEST_F(DocumentTest, SocketErrorShowsTheSystemErrorMessageUnlessTheConnectionIsGone) {
    doc->initialise();
    connectYes();
    doc->OnReceiveError(false);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "system error! ");
    EXPECT_FALSE(timers.isRunning(TimerId::ReconnectPause));

    // An error that ended the connection: straight to the save and the pause, no message box.
    doc->OnReceiveError(true);
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(timers.running.at(TimerId::ReconnectPause), 5000u);
    EXPECT_TRUE(fs::exists(dir / "Keelbrook.cfg"));
}

TEST_F(DocumentTest, DisplayCommandsCarryCheckMarksAndReachTheSettingsFile) {
    doc->initialise();
    EXPECT_TRUE(doc->isChecked(CommandId::ColourGrey));
    ASSERT_TRUE(doc->execute(CommandId::ColourBlue));
    EXPECT_TRUE(doc->isChecked(CommandId::ColourBlue));
    EXPECT_FALSE(doc->isChecked(CommandId::ColourGrey));
    EXPECT_EQ(doc->pipeline().settings().previousColourTable(), 3);
    const int redraws = frame.redraws;
    doc->execute(CommandId::ColourBlue);  // already selected: nothing happens
    EXPECT_EQ(frame.redraws, redraws);
    EXPECT_EQ(doc->pipeline().settings().previousColourTable(), 3);

    doc->execute(CommandId::StbdOnly);
    EXPECT_TRUE(doc->isChecked(CommandId::StbdOnly));
    EXPECT_FALSE(doc->isChecked(CommandId::BothSides));
    doc->execute(CommandId::SpeedCorrection);
    doc->execute(CommandId::ColorIndicator);
    doc->execute(CommandId::GridTextLarge);
    doc->execute(CommandId::Imperial);
    EXPECT_TRUE(doc->isChecked(CommandId::GridTextLarge));
    EXPECT_TRUE(doc->isChecked(CommandId::Imperial));
    ASSERT_TRUE(doc->saveSettingsFile());
    const std::string text = readSettings();
    EXPECT_NE(text.find("Color Table=8"), std::string::npos);
    EXPECT_NE(text.find("Speed Correction Enabled=1"), std::string::npos);
    EXPECT_NE(text.find("Show Color Indicator=0"), std::string::npos);
    EXPECT_NE(text.find("Marker Text Size=18"), std::string::npos);
    EXPECT_NE(text.find("Units=1"), std::string::npos);

    // A fresh document reads them back into the pipeline.
    CKeelbrookDoc again(DocPorts{link, clock, timers, prompts, frame}, dir.string() + "/", 1920,
                        1080);
    again.initialise();
    EXPECT_TRUE(again.isChecked(CommandId::ColourBlue));
    EXPECT_TRUE(again.isChecked(CommandId::SpeedCorrection));
    EXPECT_FALSE(again.isChecked(CommandId::ColorIndicator));
}

TEST_F(DocumentTest, UnknownColourTableInTheFileKeepsGrey) {
    writeSettings("[Settings]\nColor Table=42\n");
    doc->initialise();
    EXPECT_TRUE(doc->isChecked(CommandId::ColourGrey));
}

TEST_F(DocumentTest, ClearScreenBlanksPixelsAndHoldFreezesACopy) {
    doc->initialise();
    connectYes();
    ping();
    ASSERT_NE(doc->pipeline().image().row(1)[0], 0);
    doc->execute(CommandId::Hold);
    doc->execute(CommandId::ClearScreen);
    EXPECT_EQ(doc->pipeline().image().row(1)[0], 0);
    EXPECT_NE(doc->pipeline().held().row(1)[0], 0);  // the held copy keeps what was shown
    EXPECT_EQ(doc->pipeline().image().record(1)->time(), "09:05:03.042");
}
