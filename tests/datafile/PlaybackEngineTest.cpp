#include "datafile/PlaybackEngine.h"

#include <gtest/gtest.h>

#include "TestPings.h"
#include "datafile/MemoryByteSource.h"

namespace {
constexpr SourceKind kKinds[] = {SourceKind::Dsx, SourceKind::Ss2, SourceKind::Xtf};
constexpr std::uint64_t kDsxBytes = 4096;
constexpr std::uint64_t kSs2Bytes = 2560;
constexpr std::uint64_t kXtfFirst = 1024;
constexpr std::uint64_t kXtfBytes = 2384;

std::unique_ptr<PlaybackEngine> engineOver(const std::vector<std::uint8_t>& file, SourceKind kind) {
    return std::make_unique<PlaybackEngine>(std::make_unique<MemoryByteSource>(file), kind);
}

// Which ping was played, for every kind: .ss2 keeps no ping number, but the first sample
// follows it.
int playedId(const PlaybackEngine& engine) {
    return engine.ping().ping.samples()[0];
}

std::uint64_t recordBytes(SourceKind kind) {
    return kind == SourceKind::Dsx ? kDsxBytes : kind == SourceKind::Ss2 ? kSs2Bytes : kXtfBytes;
}

std::uint64_t recordStart(SourceKind kind, int index) {
    return (kind == SourceKind::Xtf ? kXtfFirst : 0) + index * recordBytes(kind);
}

std::vector<std::uint8_t> fileOf(SourceKind kind, const std::vector<PingRecord>& pings) {
    RecordWriter writer;
    std::vector<std::uint8_t> file = RecordWriter::fileStart(kind, "/data/run.xtf", 2000);
    for (const PingRecord& p : pings) {
        writer.appendPing(kind, p, file);
    }
    return file;
}
}  // namespace

TEST(PlaybackEngineWrap, AfterTheLastRecordTheFirstPlaysWithTheWrapSignal) {
    for (SourceKind kind : kKinds) {
        const auto file = makeFile(kind, 3);
        auto engine = engineOver(file, kind);
        EXPECT_EQ(engine->position(), recordStart(kind, 0));
        for (int id = 1; id <= 3; ++id) {
            const PlaybackStep step = engine->step(false);
            ASSERT_TRUE(step.pingRead);
            EXPECT_FALSE(step.wrapped);
            EXPECT_EQ(playedId(*engine), id);
        }
        const PlaybackStep step = engine->step(false);
        EXPECT_TRUE(step.wrapped);
        ASSERT_TRUE(step.pingRead);
        EXPECT_EQ(playedId(*engine), 1) << int(kind);
        EXPECT_EQ(engine->position(), recordStart(kind, 1));
        EXPECT_FALSE(engine->step(false).wrapped);
    }
}

TEST(PlaybackEngineWrap, RecordCutShortAtTheEndWrapsInsteadOfPlaying) {
    for (SourceKind kind : kKinds) {
        // Cut inside the record's body, and inside the first bytes that give its length.
        for (std::size_t kept : {std::size_t{1500}, std::size_t{5}}) {
            auto file = makeFile(kind, 3);
            const auto fourth = makeFile(kind, 4);
            const auto at = static_cast<std::ptrdiff_t>(recordStart(kind, 3));
            file.insert(file.end(), fourth.begin() + at,
                        fourth.begin() + at + static_cast<std::ptrdiff_t>(kept));
            auto engine = engineOver(file, kind);
            for (int i = 0; i < 3; ++i) {
                ASSERT_TRUE(engine->step(false).pingRead);
            }
            const PlaybackStep step = engine->step(false);
            EXPECT_EQ(step.stop, PlaybackStop::None) << int(kind) << " " << kept;
            EXPECT_TRUE(step.wrapped);
            ASSERT_TRUE(step.pingRead);
            const PingRecord first = makePing(1);
            EXPECT_TRUE(std::equal(first.ping.samples(), first.ping.samples() + 2000,
                                   engine->ping().ping.samples()));
        }
    }
}

TEST(PlaybackEngineWrap, FileWithoutAWholeRecordStopsInsteadOfSpinning) {
    for (SourceKind kind : kKinds) {
        auto file = makeFile(kind, 1);
        file.resize(file.size() - 100);
        auto engine = engineOver(file, kind);
        const PlaybackStep step = engine->step(false);
        EXPECT_EQ(step.stop, PlaybackStop::NoWholeRecord) << int(kind);
        EXPECT_FALSE(step.pingRead);
    }
    const auto header = makeFile(SourceKind::Xtf, 0);
    EXPECT_EQ(engineOver(header, SourceKind::Xtf)->step(false).stop, PlaybackStop::NoWholeRecord);
}

TEST(PlaybackEngineBadRecord, DamagedRecordInTheMiddleStops) {
    struct Damage {
        SourceKind kind;
        std::size_t offset;  // within the second record
        std::uint8_t value;
    };
    const Damage cases[] = {
        {SourceKind::Dsx, 0, 'x'},    // signature
        {SourceKind::Dsx, 8, 0x02},   // record size 0x0200, too small for its samples
        {SourceKind::Dsx, 8, 0x7F},   // record size reaching past the end of the file
        {SourceKind::Ss2, 6, 0x7F},   // return length larger than the record
        {SourceKind::Ss2, 4, 0x7F},   // record length reaching past the end
        {SourceKind::Xtf, 1, 0x00},   // magic number
        {SourceKind::Xtf, 12, 0x7F},  // record length reaching past the end
    };
    for (const Damage& d : cases) {
        auto file = makeFile(d.kind, 3);
        file[recordStart(d.kind, 1) + d.offset] = d.value;
        auto engine = engineOver(file, d.kind);
        ASSERT_TRUE(engine->step(false).pingRead);
        const std::uint64_t at = engine->position();
        const PlaybackStep step = engine->step(false);
        EXPECT_EQ(step.stop, PlaybackStop::BadRecord) << int(d.kind) << " @" << d.offset;
        EXPECT_FALSE(step.pingRead);
        EXPECT_FALSE(step.redraw);
        EXPECT_EQ(engine->position(), at);
    }
}

TEST(PlaybackEngineRefresh, SpeedFiveRedrawsEveryFifthPing) {
    const auto file = makeFile(SourceKind::Dsx, 20);
    auto engine = engineOver(file, SourceKind::Dsx);
    engine->setSpeed(5);
    std::vector<int> redrawn;
    for (int ping = 1; ping <= 15; ++ping) {
        if (engine->step(false).redraw) {
            redrawn.push_back(ping);
        }
    }
    EXPECT_EQ(redrawn, (std::vector<int>{5, 10, 15}));
}

TEST(PlaybackEngineRefresh, SpeedZeroAndOneRedrawEveryPing) {
    const auto file = makeFile(SourceKind::Dsx, 5);
    for (int speed : {0, 1}) {
        auto engine = engineOver(file, SourceKind::Dsx);
        engine->setSpeed(speed);
        for (int ping = 0; ping < 4; ++ping) {
            EXPECT_TRUE(engine->step(false).redraw) << speed;
        }
    }
}

TEST(PlaybackEngineRefresh, NewSpeedIsClampedAndRestartsTheCount) {
    const auto file = makeFile(SourceKind::Dsx, 20);
    auto engine = engineOver(file, SourceKind::Dsx);
    engine->setSpeed(12);
    EXPECT_EQ(engine->speed(), 10);
    engine->setSpeed(-3);
    EXPECT_EQ(engine->speed(), 0);

    engine->setSpeed(3);
    engine->step(false);
    engine->step(false);
    EXPECT_EQ(engine->pingsSinceRefresh(), 2);
    engine->setSpeed(3);
    EXPECT_EQ(engine->pingsSinceRefresh(), 0);
    EXPECT_FALSE(engine->step(false).redraw);
    EXPECT_FALSE(engine->step(false).redraw);
    EXPECT_TRUE(engine->step(false).redraw);
}

TEST(PlaybackEngineHold, HoldReadsNothingAndResumesAtTheSamePosition) {
    const auto file = makeFile(SourceKind::Dsx, 5);
    auto engine = engineOver(file, SourceKind::Dsx);
    engine->setSpeed(0);
    ASSERT_TRUE(engine->step(false).pingRead);
    const std::uint64_t at = engine->position();
    for (int i = 0; i < 3; ++i) {
        const PlaybackStep held = engine->step(true);
        EXPECT_FALSE(held.pingRead);
        EXPECT_FALSE(held.redraw);
        EXPECT_FALSE(held.wrapped);
        EXPECT_FALSE(held.sliderValue);
        EXPECT_EQ(engine->position(), at);
        EXPECT_EQ(playedId(*engine), 1);
    }
    ASSERT_TRUE(engine->step(false).pingRead);
    EXPECT_EQ(playedId(*engine), 2);
}

TEST(PlaybackEngineAlarm, FirstPingAndFirstPingAfterEachWrapCountAsAChange) {
    const auto file = makeFile(SourceKind::Dsx, 2);
    auto engine = engineOver(file, SourceKind::Dsx);
    std::vector<bool> changed;
    for (int i = 0; i < 6; ++i) {
        changed.push_back(engine->step(false).settingsChanged);
    }
    EXPECT_EQ(changed, (std::vector<bool>{true, false, true, false, true, false}));
}

TEST(PlaybackEngineAlarm, RangeOrModeChangeSoundsButGainAloneDoesNot) {
    std::vector<PingRecord> pings(5, makePing(1));
    pings[1].dataGain = 20;  // gain only
    pings[2].dataGain = 20;
    pings[2].rangeIndex = 11;  // range
    pings[3].dataGain = 20;
    pings[3].rangeIndex = 11;
    pings[3].modeFreq = 2;  // mode
    pings[4] = pings[3];
    for (SourceKind kind : kKinds) {
        const auto file = fileOf(kind, pings);
        auto engine = engineOver(file, kind);
        std::vector<bool> changed;
        for (int i = 0; i < 5; ++i) {
            changed.push_back(engine->step(false).settingsChanged);
        }
        EXPECT_EQ(changed, (std::vector<bool>{true, false, true, true, false})) << int(kind);
        EXPECT_EQ(engine->rangeAlarmCopy(), 11);
        EXPECT_EQ(engine->modeAlarmCopy(), 2);
        EXPECT_EQ(engine->gainAlarmCopy(), 20);
    }
}

TEST(PlaybackEngineAlarm, ResetMakesTheNextPingAChange) {
    const auto file = makeFile(SourceKind::Dsx, 5);
    auto engine = engineOver(file, SourceKind::Dsx);
    engine->step(false);
    EXPECT_FALSE(engine->step(false).settingsChanged);
    engine->resetAlarm();
    EXPECT_EQ(engine->gainAlarmCopy(), PlaybackEngine::kAlarmUnset);
    EXPECT_TRUE(engine->step(false).settingsChanged);
}

TEST(PlaybackEngineSlider, DsxSliderSnapsDownToARecordStart) {
    const auto file = makeFile(SourceKind::Dsx, 100);
    ASSERT_EQ(file.size(), 409600u);
    auto engine = engineOver(file, SourceKind::Dsx);
    EXPECT_EQ(engine->stepLength(), 4096u);
    engine->seekToSlider(50);
    EXPECT_EQ(engine->position(), 204800u);
    ASSERT_TRUE(engine->step(false).pingRead);
    EXPECT_EQ(engine->ping().pingNumber, 51u);

    // A step that is no record multiple still lands on a record start.
    const auto odd = makeFile(SourceKind::Dsx, 30);  // step 1228
    auto other = engineOver(odd, SourceKind::Dsx);
    other->seekToSlider(7);  // byte 8596, inside record 2
    EXPECT_EQ(other->position(), 2 * kDsxBytes);
}

TEST(PlaybackEngineSlider, Ss2AndXtfSliderSearchForwardForTheNextRecord) {
    {
        const auto file = makeFile(SourceKind::Ss2, 50);  // step 1280
        auto engine = engineOver(file, SourceKind::Ss2);
        engine->seekToSlider(33);  // byte 42240, inside record 16
        EXPECT_EQ(engine->position(), 17 * kSs2Bytes);
        ASSERT_TRUE(engine->step(false).pingRead);
        EXPECT_EQ(playedId(*engine), 18);
    }
    {
        const auto file = makeFile(SourceKind::Xtf, 40);  // 96384 bytes, step 963
        auto engine = engineOver(file, SourceKind::Xtf);
        engine->seekToSlider(50);  // byte 48150, inside ping 19
        EXPECT_EQ(engine->position(), recordStart(SourceKind::Xtf, 20));
        ASSERT_TRUE(engine->step(false).pingRead);
        EXPECT_EQ(engine->ping().pingNumber, 21u);
        engine->seekToSlider(0);
        EXPECT_EQ(engine->position(), kXtfFirst);
    }
}

TEST(PlaybackEngineSlider, RightEndOfTheBarWrapsToTheFirstRecord) {
    for (SourceKind kind : kKinds) {
        const auto file = makeFile(kind, 10);
        auto engine = engineOver(file, kind);
        const int atStart = static_cast<int>(recordStart(kind, 0) / engine->stepLength());
        for (int value : {100, 250}) {
            // One ping at the start: the bar last showed where the wrap will land.
            engine->step(false);
            engine->seekToSlider(value);
            EXPECT_EQ(engine->position(), recordStart(kind, 0)) << int(kind);
            const PlaybackStep step = engine->step(false);
            ASSERT_TRUE(step.pingRead);
            EXPECT_EQ(playedId(*engine), 1);
            // The bar, left at its right end, is moved back to where playback is, even when
            // that is the value it last showed.
            EXPECT_EQ(step.sliderValue, atStart);
        }
        engine->seekToSlider(-4);
        EXPECT_EQ(engine->position(), recordStart(kind, 0));
    }
}

// Echo data that holds the first bytes of a record: a seek must not take them for one.
TEST(PlaybackEngineSlider, LookAlikeRecordStartInEchoDataIsSkipped) {
    const std::vector<std::uint8_t> ss2Start = {0x53, 0x53, 0x32};
    const std::vector<std::uint8_t> xtfStart = {0xCE, 0xFA};
    for (SourceKind kind : {SourceKind::Ss2, SourceKind::Xtf}) {
        SCOPED_TRACE(int(kind));
        const auto& start = kind == SourceKind::Ss2 ? ss2Start : xtfStart;
        std::vector<PingRecord> pings;
        for (std::uint32_t id = 1; id <= 4; ++id) {
            PingRecord p = makePing(id);
            // Look-alikes near the start and the end of every ping's echoes.
            for (std::size_t at : {std::size_t{40}, std::size_t{1900}}) {
                std::copy(start.begin(), start.end(), p.ping.samples() + at);
            }
            pings.push_back(p);
        }
        const auto file = fileOf(kind, pings);
        for (int record = 0; record < 4; ++record) {
            auto engine = engineOver(file, kind);
            // The first slider value past this record's start: the search meets both look-alikes.
            const std::uint64_t step = engine->stepLength();
            const int value = static_cast<int>(recordStart(kind, record) / step + 1);
            engine->seekToSlider(value);
            if (record == 3) {
                EXPECT_EQ(engine->position(), file.size()) << "nothing after it: playback wraps";
                EXPECT_TRUE(engine->step(false).wrapped);
                continue;
            }
            EXPECT_EQ(engine->position(), recordStart(kind, record + 1));
            const PlaybackStep step1 = engine->step(false);
            EXPECT_EQ(step1.stop, PlaybackStop::None);
            ASSERT_TRUE(step1.pingRead);
            EXPECT_EQ(playedId(*engine), record + 2);
        }
    }
}

TEST(PlaybackEngineSlider, SliderFollowsThePlayPositionUnlessDragged) {
    const auto file = makeFile(SourceKind::Ss2, 200);  // a slider step is two records
    auto engine = engineOver(file, SourceKind::Ss2);
    EXPECT_FALSE(engine->step(false).sliderValue);  // at 0, as the bar starts
    EXPECT_FALSE(engine->step(false).sliderValue);
    EXPECT_EQ(engine->step(false).sliderValue, 1);
    EXPECT_FALSE(engine->step(false).sliderValue) << "an unchanged value is not sent again";

    engine->setDragging(true);
    EXPECT_FALSE(engine->step(false).sliderValue);
    EXPECT_EQ(engine->lastSliderValue(), 1);
    engine->seekToSlider(60);
    EXPECT_FALSE(engine->dragging());
    EXPECT_EQ(engine->step(false).sliderValue, 60);
    EXPECT_EQ(engine->lastSliderValue(), 60);
}
