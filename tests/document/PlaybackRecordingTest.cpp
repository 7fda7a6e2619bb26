#include <gtest/gtest.h>

#include <algorithm>

#include "datafile/PlaybackEngine.h"
#include "document/DocumentFixture.h"
#include "kbfile/Converter.h"

using namespace doctest;

namespace {

struct FullDisk : DiskSpace {
    std::optional<std::uint64_t> freeBytes(const std::string&) override { return 500; }
};

class PlaybackRecordingTest : public DocumentTest {
  protected:
    // Records `pings` live pings (range index rising from 5) into dir/name and stops.
    std::string recordLive(const std::string& name, int pings) {
        doc->initialise();
        connectYes();
        startRecording(name);
        for (int i = 0; i < pings; ++i) {
            doc->head().command().setRangeIndex(static_cast<std::uint8_t>(5 + i % 3));
            ping();
        }
        doc->execute(CommandId::StopRecording);
        return (dir / name).string();
    }
    void playAll(int steps) {
        for (int i = 0; i < steps; ++i) {
            doc->PlayOnePing();
        }
    }
    FakeSound sound;
};

}  // namespace

TEST_F(PlaybackRecordingTest, RecordDataProposesTodaysNameAndTitlesTheWindow) {
    doc->initialise();
    connectYes();
    doc->settings().writeFileDir = dir.string() + "/";
    std::ofstream(dir / "07-DEC-2026-04.dsx") << "x";
    prompts.saveChoices.push_back(FileChoice{(dir / "survey.SS2").string(), 1});
    doc->execute(CommandId::RecordData);
    ASSERT_EQ(prompts.saveRequests.size(), 1u);
    const FileDialogRequest& rq = prompts.saveRequests[0];
    EXPECT_EQ(rq.title, "Save Keelbrook data File:");
    EXPECT_EQ(rq.proposedName, "07-DEC-2026-05");
    ASSERT_EQ(rq.filters.size(), 2u);
    EXPECT_EQ(rq.filters[1].label, "Triton File Format: (*.xtf)");
    EXPECT_EQ(doc->recordFormat(), SourceKind::Ss2);
    EXPECT_EQ(frame.title, "Real Time - Data Recording to (survey.SS2)");
    EXPECT_EQ(doc->settings().writeFilterIndex, 1);
    EXPECT_EQ(doc->recentFiles().entry(1), (dir / "survey.SS2").string());
    EXPECT_FALSE(doc->isEnabled(CommandId::RecordData));
    EXPECT_TRUE(doc->isEnabled(CommandId::StopRecording));
    ping();
    ping();
    EXPECT_EQ(doc->recordedBytes(), 2u * 2560u);
    doc->execute(CommandId::StopRecording);
    EXPECT_EQ(frame.title, "Real Time");
    EXPECT_EQ(fs::file_size(dir / "survey.SS2"), 2u * 2560u);
}

TEST_F(PlaybackRecordingTest, StoppingBeforeAnyPingLeavesNoFile) {
    doc->initialise();
    connectYes();
    startRecording("empty.xtf");
    EXPECT_TRUE(fs::exists(dir / "empty.xtf"));  // the XTF header is written at once
    doc->execute(CommandId::StopRecording);
    EXPECT_FALSE(fs::exists(dir / "empty.xtf"));
}

TEST_F(PlaybackRecordingTest, FullDiskStopsTheRecordingWithItsMessage) {
    FullDisk full;
    doc = std::make_unique<CKeelbrookDoc>(
        DocPorts{link, clock, timers, prompts, frame, nullptr, &full}, dir.string() + "/", 1920,
        1080);
    doc->initialise();
    connectYes();
    startRecording();
    ping();
    EXPECT_FALSE(doc->recording());
    ASSERT_FALSE(prompts.messages.empty());
    EXPECT_EQ(prompts.messages.back(), "WARNING! The disk is full!!\nSaving process will stop!");
}

TEST_F(PlaybackRecordingTest, PlaybackDrawsEveryPingWrapsWithTheHighlightAndKeepsPingNumbers) {
    const std::string recorded = recordLive("live.dsx", 4);
    doc->openFileForPlayback(recorded);
    ASSERT_TRUE(doc->playback());
    EXPECT_EQ(doc->connectionState(), ConnectionState::Offline);
    EXPECT_EQ(frame.title, "Playback (live.dsx)");
    EXPECT_EQ(frame.menuTexts[CommandId::RecordData], "Copy Start...");
    EXPECT_EQ(frame.menuTexts[CommandId::StopRecording], "Copy Stop...");
    EXPECT_TRUE(doc->wantsIdle());
    EXPECT_TRUE(doc->isEnabled(CommandId::ConnectToSonarHead));
    EXPECT_FALSE(timers.isRunning(TimerId::GpsRead));

    startRecording("copy.dsx");
    EXPECT_EQ(frame.title, "Playback (live.dsx) - Copy Data to (copy.dsx)");
    playAll(4);
    EXPECT_EQ(doc->pipeline().image().totalLines(), 4u);
    EXPECT_EQ(doc->head().command().rangeIndex(), 5);  // the fourth ping's range: 5 + 3 % 3
    // The fifth step starts over: row 1 carries the highlight before the ping lands on it.
    doc->PlayOnePing();
    EXPECT_EQ(doc->pipeline().image().row(2)[0], 255);
    doc->execute(CommandId::StopRecording);

    // The copy holds the played pings with their own numbers, 1..4 then 1 again.
    auto copy = PlaybackEngine::open((dir / "copy.dsx").string(), SourceKind::Dsx);
    ASSERT_EQ(copy.status, PlaybackOpen::Status::Ok);
    std::vector<std::uint32_t> numbers;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(copy.engine->step(false).pingRead);
        numbers.push_back(copy.engine->ping().pingNumber);
    }
    EXPECT_EQ(numbers, (std::vector<std::uint32_t>{1, 2, 3, 4, 1}));
}

TEST_F(PlaybackRecordingTest, AlarmSoundsOnTheFirstPingAndOnChanges) {
    doc = std::make_unique<CKeelbrookDoc>(
        DocPorts{link, clock, timers, prompts, frame, &sound, nullptr}, dir.string() + "/", 1920,
        1080);
    doc->resizeImage(203, 60);
    const std::string recorded = recordLive("alarm.dsx", 3);
    doc->settings().settingsChangeAlarm = true;
    doc->openFileForPlayback(recorded);
    playAll(3);  // ranges 5, 6, 7: every ping is a change
    ASSERT_EQ(sound.played.size(), 3u);
    EXPECT_EQ(fs::path(sound.played[0]).filename(), "ding.wav");
}

TEST_F(PlaybackRecordingTest, HoldStopsPlaybackWhereItIs) {
    const std::string recorded = recordLive("hold.dsx", 3);
    doc->openFileForPlayback(recorded);
    doc->PlayOnePing();
    doc->execute(CommandId::Hold);
    EXPECT_FALSE(doc->wantsIdle());
    const int idle = frame.idleRequests;
    doc->PlayOnePing();
    EXPECT_EQ(doc->pipeline().image().totalLines(), 1u);
    doc->execute(CommandId::Hold);
    EXPECT_EQ(frame.idleRequests, idle + 1);
    doc->PlayOnePing();
    EXPECT_EQ(doc->pipeline().image().totalLines(), 2u);
    EXPECT_EQ(doc->head().command().rangeIndex(), 6);  // the second ping, not a skipped one
}

TEST_F(PlaybackRecordingTest, OpenRefusesUnknownTypesAndEmptyFiles) {
    doc->initialise();
    std::ofstream(dir / "x.dat") << "data";
    doc->openFileForPlayback((dir / "x.dat").string());
    EXPECT_EQ(prompts.messages.back(), "ERROR: Application can not recognize this file type!");
    EXPECT_FALSE(doc->playback());

    std::ofstream(dir / "short.DSX") << std::string(999, 'a');
    doc->openFileForPlayback((dir / "short.DSX").string());
    EXPECT_EQ(prompts.messages.back(), "File has no data!");
    EXPECT_FALSE(doc->playback());
    EXPECT_EQ(frame.title, "Real Time");
    EXPECT_TRUE(timers.isRunning(TimerId::GpsRead));

    std::ofstream(dir / "foreign.xtf") << std::string(4000, '\0');
    doc->openFileForPlayback((dir / "foreign.xtf").string());
    EXPECT_EQ(prompts.messages.back(), "This is not a Marovant Keelbrook.exe recorded file!    ");
    EXPECT_FALSE(doc->playback());
}

// kbfile reads XTF files of other systems; playback keeps to the files the program wrote.
TEST_F(PlaybackRecordingTest, OpenRefusesARealXtfFileOfAnotherSystem) {
    doc->initialise();
    doc->openFileForPlayback(std::string(TEST_DATA_DIR) + "/xtf/scotsman-iver2-first160.xtf");
    EXPECT_EQ(prompts.messages.back(), "This is not a Marovant Keelbrook.exe recorded file!    ");
    EXPECT_FALSE(doc->playback());
}

// kbfile convert is how an operator brings such a file in: the .dsx it writes plays to the end.
TEST_F(PlaybackRecordingTest, AnotherSystemsXtfConvertedByKbfilePlaysToItsLastPing) {
    doc->initialise();
    const std::string converted = (dir / "other.dsx").string();
    const kbfile::ConvertOutcome c = kbfile::convertFile(
        std::string(TEST_DATA_DIR) + "/xtf/scotsman-iver2-first160.xtf", converted);
    ASSERT_FALSE(c.problem) << c.problem->what;
    doc->openFileForPlayback(converted);
    ASSERT_TRUE(doc->playback());
    EXPECT_EQ(frame.title, "Playback (other.dsx)");
    playAll(160);
    EXPECT_TRUE(doc->playback());
    EXPECT_EQ(doc->pipeline().image().totalLines(), 160u);
    EXPECT_EQ(doc->head().command().rangeIndex(), 7);  // the file's 30 m
    const WaterfallImage& image = doc->pipeline().image();
    const std::uint8_t* row = image.row(1);
    ASSERT_NE(row, nullptr);
    EXPECT_GT(std::count_if(row, row + image.width(), [](std::uint8_t v) { return v != 0; }),
              image.width() / 2)
        << "the seabed is drawn, not an empty row";
}

TEST_F(PlaybackRecordingTest, FileWithoutDataDuringPlaybackLeavesThePlaybackFlag) {
    const std::string recorded = recordLive("played.dsx", 2);
    doc->openFileForPlayback(recorded);
    std::ofstream(dir / "empty.dsx") << std::string(10, 'a');
    doc->openFileForPlayback((dir / "empty.dsx").string());
    EXPECT_EQ(prompts.messages.back(), "File has no data!");
    EXPECT_EQ(frame.title, "Real Time");
    EXPECT_TRUE(doc->playback());
    EXPECT_FALSE(doc->wantsIdle()) << "the played file was closed";
    EXPECT_TRUE(doc->isEnabled(CommandId::ConnectToSonarHead));
    EXPECT_FALSE(doc->isEnabled(CommandId::Reconnect));
}

TEST_F(PlaybackRecordingTest, RecordedPingCarriesTheIntervalMeasuredBeforeIt) {
    doc->initialise();
    clock.tick = 1000;
    connectYes();
    startRecording("order.dsx");
    // Uneven steps show which ping an interval travels with: it is taken after the write.
    for (std::uint32_t tick : {1100u, 1350u, 1400u, 1900u}) {
        clock.tick = tick;
        ping();
    }
    doc->execute(CommandId::StopRecording);
    auto played = PlaybackEngine::open((dir / "order.dsx").string(), SourceKind::Dsx);
    ASSERT_EQ(played.status, PlaybackOpen::Status::Ok);
    std::vector<std::uint32_t> intervals;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(played.engine->step(false).pingRead);
        intervals.push_back(played.engine->ping().pingIntervalMs);
    }
    EXPECT_EQ(intervals, (std::vector<std::uint32_t>{0, 100, 250, 50}));
}

TEST_F(PlaybackRecordingTest, PlaybackWaitsForTheNextRefreshAndStartsAtOnceAfterASeek) {
    const std::string recorded = recordLive("paced.dsx", 30);
    doc->settings().playbackSpeed = 2;
    doc->openFileForPlayback(recorded);
    EXPECT_EQ(doc->playbackWaitMs(), 0u);
    doc->PlayOnePing();
    EXPECT_EQ(doc->playbackWaitMs(), 0u) << "two pings share a refresh at speed 2";
    doc->PlayOnePing();
    EXPECT_EQ(doc->playbackWaitMs(), 17u);
    clock.tick += 10;
    EXPECT_EQ(doc->playbackWaitMs(), 7u);

    const int idle = frame.idleRequests;
    doc->seekPlaybackSlider(50);
    EXPECT_EQ(doc->playbackWaitMs(), 0u);
    doc->PlayOnePing();
    doc->PlayOnePing();
    doc->setPlaybackSpeed(1);
    EXPECT_EQ(doc->playbackWaitMs(), 0u);
    EXPECT_EQ(frame.idleRequests, idle + 2);
    doc->PlayOnePing();
    EXPECT_EQ(doc->playbackWaitMs(), 17u);
}

TEST_F(PlaybackRecordingTest, BadRecordEndsPlaybackWithItsMessage) {
    const std::string recorded = recordLive("bad.dsx", 3);
    {
        std::fstream f(recorded, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(4096);
        f << "garbage garbage garbage";
    }
    doc->openFileForPlayback(recorded);
    playAll(2);
    EXPECT_FALSE(doc->playback());
    EXPECT_EQ(prompts.messages.back(), "Unknown file format!");
    EXPECT_TRUE(timers.isRunning(TimerId::GpsRead));
}

TEST_F(PlaybackRecordingTest, RecentFilesOpenWithoutTheDialogAndMoveToTheFront) {
    doc->initialise();
    const std::string a = recordLive("a.dsx", 1);
    const std::string b = recordLive("b.dsx", 1);
    const std::string c = recordLive("c.dsx", 1);
    // Recording put c, b, a at the front in turn.
    ASSERT_EQ(doc->recentFiles().entry(1), c);
    ASSERT_EQ(doc->recentFiles().entry(3), a);
    doc->execute(CommandId::RecentFile3);
    EXPECT_TRUE(prompts.openRequests.empty());
    EXPECT_EQ(frame.title, "Playback (a.dsx)");
    EXPECT_EQ(doc->recentFiles().entry(1), a);
    EXPECT_EQ(doc->recentFiles().entry(2), c);
    EXPECT_EQ(doc->recentFiles().entry(3), b);
    EXPECT_FALSE(doc->isEnabled(CommandId::RecentFile4));
}

TEST_F(PlaybackRecordingTest, YesDuringPlaybackReturnsToRealTimeAndReloadsSettings) {
    const std::string recorded = recordLive("back.dsx", 2);
    doc->openFileForPlayback(recorded);
    // Opening saved the live settings; the real-time values to come back to are these.
    writeSettings("[Settings]\nRange=7\nData Gain=55\nTool Bar Visible=0\n");
    startRecording("copy.xtf");
    playAll(2);
    ASSERT_TRUE(doc->playback());

    prompts.answers.push_back("127.0.0.5");
    ASSERT_TRUE(doc->Connect());
    EXPECT_FALSE(doc->recording());
    EXPECT_EQ(frame.title, "Real Time");
    EXPECT_EQ(frame.menuTexts[CommandId::RecordData], "Record Data...");
    EXPECT_EQ(frame.menuTexts[CommandId::StopRecording], "Stop Recording...");
    EXPECT_EQ(doc->pipeline().image().totalLines(), 0u);
    EXPECT_GT(fs::file_size(dir / "copy.xtf"), 1024u);  // the copy was kept
    doc->OnConnectResult(true);
    EXPECT_FALSE(doc->playback());
    EXPECT_EQ(doc->head().command().rangeIndex(), 7);
    EXPECT_EQ(doc->head().command().dataGain(), 55);
    EXPECT_EQ(frame.playbackBarVisible, std::optional<bool>(false));
    EXPECT_EQ(frame.toolBarVisible, std::optional<bool>(false));
    EXPECT_EQ(frame.statusBarsVisible, std::optional<bool>(true));
}

TEST_F(PlaybackRecordingTest, ResizeDuringPlaybackRedrawsTheCurrentPing) {
    const std::string recorded = recordLive("resize.dsx", 2);
    doc->openFileForPlayback(recorded);
    doc->PlayOnePing();
    doc->resizeImage(400, 100);
    EXPECT_EQ(doc->pipeline().image().width(), 400);
    EXPECT_EQ(doc->pipeline().image().totalLines(), 1u);
}
