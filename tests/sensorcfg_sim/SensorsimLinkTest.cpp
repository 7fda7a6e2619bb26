#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "common/SerialPort.h"
#include "sensorcfg/ConfigFile.h"
#include "sensorcfg/SensorSentences.h"
#include "sensorcfg_sim/LiveSession.h"

namespace {
namespace ss = sensor_sentences;
namespace keys = profile_keys;
using namespace std::chrono_literals;

// The bytes the unit ignored while the line was at `rate`.
int ignoredBytes(const SensorSim& sim, int rate) {
    int total = 0;
    for (const std::string& e : sim.events("ignored " + std::to_string(rate) + " ")) {
        total += std::stoi(e.substr(e.find(' ', 8) + 1));
    }
    return total;
}

std::vector<std::string> heard(const SensorSim& sim) {
    std::vector<std::string> out;
    for (const std::string& e : sim.events("heard ")) {
        out.push_back(e.substr(e.find(' ', 6) + 1));
    }
    return out;
}

std::string withoutCrLf(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) {
        s.pop_back();
    }
    return s;
}

// Every field the sentences carry, compared one by one so a failure names the field.
void expectSameFields(const SensorConfig& got, const SensorConfig& want) {
#define SAME(f) EXPECT_EQ(got.f, want.f) << #f
    SAME(sentences);
    SAME(lat_deg);
    SAME(lat_min);
    SAME(lat_south);
    SAME(lon_deg);
    SAME(lon_min);
    SAME(lon_west);
    SAME(alt);
    SAME(datum);
    SAME(datum_a);
    SAME(datum_df);
    SAME(dx);
    SAME(dy);
    SAME(dz);
    SAME(diffmode);
    SAME(baudrate);
    SAME(filter);
    SAME(fixmode);
    SAME(ppsmode);
    SAME(ppslen);
    SAME(vldtime);
    SAME(outtime);
    SAME(cpo);
    SAME(avg);
    SAME(bcn_freq);
    SAME(bcn_br);
    SAME(bcn_auto);
    SAME(nmea230);
    SAME(psm);
    SAME(dgpsmode);
    SAME(adaptive_tx);
    SAME(auto_off);
    SAME(ext_pwr_on);
    SAME(pps_auto_off);
#undef SAME
}

class SensorsimLinkTest : public LiveSessionTest {
  protected:
    std::string tempFile(const std::string& name) {
        const auto dir = std::filesystem::temp_directory_path() /
                         ("sentrim-sim-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(dir);
        dirs.push_back(dir);
        return (dir / name).string();
    }
    ~SensorsimLinkTest() override {
        for (const auto& d : dirs) {
            std::error_code ec;
            std::filesystem::remove_all(d, ec);
        }
    }
    // The unit's configuration as it writes it on SIGUSR1.
    SensorConfig unitConfig(const std::string& dump, int model) {
        std::filesystem::remove(dump);
        sim->signal(SIGUSR1);
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < 300 && bytes.size() < config_file::kSize; ++i) {
            std::this_thread::sleep_for(10ms);
            std::ifstream in(dump, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        SensorConfig c;
        resetToDefaults(c, model);
        EXPECT_EQ(config_file::load(bytes, c).status, config_file::LoadStatus::Ok);
        return c;
    }
    // Straight to the unit's rate, for tests about what follows the connect.
    void connectAtCode(int code) {
        profile.writeInt(keys::kCommunications, keys::kManualBaudSelect, 1);
        profile.writeInt(keys::kCommunications, keys::kManualBaudRate, code);
        connect();
    }
    std::vector<std::filesystem::path> dirs;
};

TEST_F(SensorsimLinkTest, DetectionFindsAUnitAt4800AfterTheFasterRates) {
    startSim({"--model", "2", "--baud", "3"});
    config.baudrate = 5;
    connect();
    EXPECT_EQ(config.baudrate, 3);
    // Five probes of ten bytes went unheard at each faster rate, one was heard at 4800.
    EXPECT_EQ(ignoredBytes(*sim, 38400), 50);
    EXPECT_EQ(ignoredBytes(*sim, 19200), 50);
    EXPECT_EQ(ignoredBytes(*sim, 9600), 50);
    EXPECT_EQ(heard(*sim), std::vector<std::string>{"$PTVRO,,"});
    EXPECT_EQ(sim->events("echo "), std::vector<std::string>{"echo $PTVRO,,"});
    EXPECT_EQ(sim->events("line "),
              (std::vector<std::string>{"line 38400", "line 19200", "line 9600", "line 4800"}));
}

TEST_F(SensorsimLinkTest, ManualCodeNineTriesNothing) {
    startSim({"--baud", "4"});
    profile.writeInt(keys::kCommunications, keys::kManualBaudSelect, 1);
    profile.writeInt(keys::kCommunications, keys::kManualBaudRate, 9);
    prompts.answers = {PromptAnswer::Cancel};
    session->connect();
    runWhileBusy();
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Connection Fail.  Please make sure comm\n port and baud "
                                       "rate selections are correct."});
    EXPECT_EQ(prompts.messages[0].title, "Manual Baud Rate Detection");
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(sim->events("line ").empty());
    EXPECT_TRUE(sim->events("ignored ").empty());
    EXPECT_TRUE(sim->events("heard ").empty());
    EXPECT_FALSE(session->connected());
}

TEST_F(SensorsimLinkTest, CancelDuringDetectionLeavesNoLink) {
    startSim({"--baud", "1"});  // 1200: found only after many seconds
    session->connect();
    const auto start = std::chrono::steady_clock::now();
    bool cancelled = false;
    runWhileBusy(30s, [&] {
        if (!cancelled && std::chrono::steady_clock::now() - start > 1200ms) {
            cancelled = true;
            session->onCancel();
        }
    });
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(session->connected());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(ui.waitShown);
    // Nobody holds the device any more.
    SerialPort port(sim->device());
    EXPECT_EQ(port.open({}), SerialPort::OpenResult::Ok);
}

TEST_F(SensorsimLinkTest, SwitchingModesThereAndBack) {
    startSim({"--model", "2", "--baud", "5"});
    connectAtCode(5);
    session->switchToTavrinMode();
    EXPECT_FALSE(session->connected());
    ASSERT_TRUE(sim->waitForEvent("mode binary"));
    profile.writeInt(keys::kCommunications, keys::kManualBaudSelect, 0);

    session->switchToNmeaMode();
    runWhileBusy();
    ASSERT_TRUE(sim->waitForEvent("mode nmea"));
    // 5 probes at 38400 and 5 at 19200 unheard, one at 9600 heard as a wrong packet, then the
    // return packet, checked byte for byte.
    EXPECT_EQ(ignoredBytes(*sim, 38400), 50);
    EXPECT_EQ(ignoredBytes(*sim, 19200), 50);
    const auto binary = sim->events("binary ");
    ASSERT_FALSE(binary.empty());
    EXPECT_EQ(binary.back(), "binary ok");
    EXPECT_EQ(binary.size(), 2u);
    EXPECT_EQ(prompts.texts().back(), "Attempt finished.");
    EXPECT_EQ(config.baudrate, 3);
    EXPECT_FALSE(session->inBinaryMode());

    // The unit now talks NMEA at 9600, and is found there.
    prompts.messages.clear();
    connect();
    EXPECT_EQ(config.baudrate, 4);
}

TEST_F(SensorsimLinkTest, UploadSendsEachModelsSequenceAndTheUnitTakesIt) {
    for (int model : {1, 6}) {
        SCOPED_TRACE(model);
        const std::string dump = tempFile("unit.cfg");
        startSim({"--model", std::to_string(model), "--baud", "4", "--dump-config", dump});
        resetToDefaults(config, model);
        // A configuration unlike the unit's defaults.
        config.sentences[GPVTG] = 1;
        config.sentences[GPGSA] = 0;
        config.lat_deg = 53;
        config.lat_min = 12.25F;
        config.lon_deg = 4;
        config.lon_min = 7.5F;
        config.lon_west = 1;
        config.alt = 42.5F;
        config.datum = 27;
        config.fixmode = 2;
        config.filter = 5;
        config.vldtime = 20;
        if (model == 6) {
            config.outtime = 2;
            config.avg = 1;
            config.ppslen = 9;
        }
        connectAtCode(4);
        doc->setUploaded(false);
        session->sendConfiguration();
        runWhileBusy();
        EXPECT_TRUE(prompts.messages.empty()) << testing::PrintToString(prompts.texts());
        EXPECT_TRUE(doc->isUploaded());

        std::vector<std::string> expected = {"$PTVRO,,"};
        for (const std::string& s : ss::uploadSentences(config, clock.time)) {
            expected.push_back(withoutCrLf(s));
        }
        EXPECT_EQ(heard(*sim), expected);
        EXPECT_EQ(sim->events("echo ").size(), expected.size());
        if (model == 1) {
            EXPECT_EQ(expected.size(), 1u + 17u);
            EXPECT_EQ(expected.back(), "$PTVRO,,B");
        } else {
            EXPECT_EQ(expected.back(), "$PTVRI,,,,,,,R");
            EXPECT_TRUE(sim->waitForEvent("reset"));
        }
        const auto extra = std::count_if(expected.begin(), expected.end(),
                                         [](const auto& h) { return h.rfind("$PTVRC1,", 0) == 0; });
        EXPECT_EQ(extra, model == 1 ? 0 : 1);

        // The unit reports back what was sent.
        SensorConfig unit = unitConfig(dump, model);
        SensorConfig want = config;
        want.baudrate = unit.baudrate;  // a Calder keeps its own rate
        expectSameFields(unit, want);
        session->disconnect();
        session.reset();
        sim.reset();
    }
}

TEST_F(SensorsimLinkTest, DownloadReproducesTheUnitsConfiguration) {
    SensorConfig unit;
    resetToDefaults(unit, 2);
    unit.sentences = {1, 1, 1, 1, 1, 0, 0, 1, 1, 0, 1, 0, 0, 1};
    unit.lat_deg = 47;
    unit.lat_min = 36.125F;
    unit.lat_south = 1;
    unit.lon_deg = 122;
    unit.lon_min = 19.5F;
    unit.lon_west = 1;
    unit.alt = 123.5F;
    unit.datum = 96;
    unit.datum_a = 6377397.155;
    unit.datum_df = 299.1528128;
    unit.dx = -87.5F;
    unit.dy = -98.5F;
    unit.dz = -121.5F;
    unit.diffmode = 1;
    unit.baudrate = 4;
    unit.filter = 7;
    unit.fixmode = 2;
    unit.ppsmode = 1;
    unit.ppslen = 9;
    unit.vldtime = 25;
    unit.avg = 1;
    unit.bcn_freq = 300.5F;
    unit.bcn_br = 100;
    unit.bcn_auto = 1;
    unit.nmea230 = 1;
    unit.psm = 1;
    unit.dgpsmode = 2;
    unit.pps_auto_off = 1;
    const std::string file = tempFile("unit.cfg");
    {
        const auto bytes = config_file::store(unit);
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    startSim({"--model", "2", "--config", file});
    connectAtCode(4);
    session->openMonitor();
    doc->setDownloadHandler([this] { session->download(); });
    doc->newDocument(SensorCommand::GetConfiguration);
    Clock::time_point detectionStart{};
    runWhileBusy(60s, [&] {
        if (detectionStart == Clock::time_point{} && ui.waitText.starts_with("Detecting")) {
            detectionStart = Clock::now();
        }
    });
    EXPECT_TRUE(prompts.messages.empty()) << testing::PrintToString(prompts.texts());
    expectSameFields(config, unit);
    // Detection ended when a sentence came round again, well before its 10 s limit.
    EXPECT_LT(Clock::now() - detectionStart, 4s);
    // Exactly the sentences the unit transmits.
    const auto transmit = sim->events("transmit ");
    ASSERT_FALSE(transmit.empty());
    std::array<std::int16_t, kSentenceCount> sent{};
    for (int i = 0; i < kSentenceCount; ++i) {
        sent[static_cast<std::size_t>(i)] =
            transmit.back().find(sentenceName(i)) != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(config.sentences, sent);
    EXPECT_EQ(session->monitor().text(1001).substr(0, 7), "$GPGGA,");
    EXPECT_FALSE(doc->isUploaded());
    EXPECT_TRUE(doc->isModified());
}
}  // namespace
