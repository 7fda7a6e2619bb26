#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "document/CKeelbrookDoc.h"
#include "support/FakePorts.h"

namespace fs = std::filesystem;

namespace doctest {

inline std::vector<std::uint8_t> headReturn(std::uint8_t side, int runType = 0, int echo = 9,
                                            bool noRx = false) {
    std::vector<std::uint8_t> r(head::returnLength(head::kLiveSamplesTotal), 0x20);
    r[0] = 'S';
    r[1] = 'O';
    r[2] = 'N';
    r[head::kSerialStatus] = side;
    head::unpackStatusWord(head::makeStatusWord(runType, echo), r.data());
    r[head::kNoRxByte] = noRx ? head::kNoRxMask : 0;
    return r;
}

class DocumentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("kbdoc-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        doc = std::make_unique<CKeelbrookDoc>(DocPorts{link, clock, timers, prompts, frame},
                                              dir.string() + "/", 1920, 1080);
        doc->resizeImage(203, 60);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Starts a recording into dir/name through the save dialog.
    void startRecording(const std::string& name = "rec.dsx") {
        prompts.saveChoices.push_back(FileChoice{(dir / name).string(), 0});
        ASSERT_TRUE(doc->execute(CommandId::RecordData));
        ASSERT_TRUE(doc->recording());
    }

    void writeSettings(const std::string& text) { std::ofstream(dir / "Keelbrook.cfg") << text; }
    std::string readSettings() {
        std::ifstream in(dir / "Keelbrook.cfg");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    void connectYes(const std::string& ip = "127.0.0.5") {
        prompts.answers.push_back(ip);
        ASSERT_TRUE(doc->Connect());
        doc->OnConnectResult(true);
        ASSERT_EQ(doc->connectionState(), ConnectionState::Connected);
    }
    void receive(const std::vector<std::uint8_t>& bytes) {
        doc->OnReceive(bytes.data(), bytes.size());
    }
    void ping(int runType = 0, int echo = 9, bool noRx = false) {
        receive(headReturn(0, runType, echo, noRx));
        receive(headReturn(2, runType, echo, noRx));
    }
    std::uint8_t lastSent(std::size_t byte) const { return link.sent.back().at(byte); }
    // Pings drawn into the image (one row each while the vessel speed is unknown).
    std::uint64_t drawn() const { return doc->pipeline().image().totalLines(); }

    fs::path dir;
    FakeLink link;
    FakeClock clock;
    FakeTimers timers;
    FakePrompts prompts;
    FakeFrame frame;
    std::unique_ptr<CKeelbrookDoc> doc;
};

}  // namespace doctest
