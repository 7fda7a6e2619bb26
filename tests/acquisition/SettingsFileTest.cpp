#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "acquisition/SettingsFile.h"
#include "acquisition/SettingsRecord.h"

namespace {
namespace fs = std::filesystem;

const std::string kExeDir = "/opt/keelbrook/";

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("kbset-" + std::to_string(rd()));
        fs::create_directories(dir);
        path = (dir / "Keelbrook.cfg").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    void write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string read() const {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    SettingsRecord loadText(const std::string& text) {
        write(text);
        SettingsRecord rec = makeDefaultSettings(kExeDir, 1920, 1080);
        EXPECT_TRUE(loadSettings(path, rec));
        return rec;
    }
    std::vector<std::string> keysWritten() const {
        std::vector<std::string> keys;
        std::istringstream in(read());
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            keys.push_back(line.substr(0, line.find('=')));
        }
        return keys;
    }

    fs::path dir;
    std::string path;
};

// Every member differs from its default, track window and folders included.
SettingsRecord unusualSettings() {
    SettingsRecord r;
    r.gpsCommPort = 3;
    r.baudRate = 9600;
    r.dataBits = 7;
    r.stopBits = 2;
    r.parity = 1;
    r.flow = 2;
    r.gpsType = 2;
    r.range = 13;
    r.mode = 2;
    r.dataGain = 55;
    r.gainBalance = 44;
    r.showColorIndicator = false;
    r.showGrid = false;
    r.colorTable = 7;
    r.gpsTextSize = 18;
    r.markerTextSize = 16;
    r.speedCorrectionEnabled = true;
    r.autoSynchronizeWithGpsTime = true;
    r.convertUtcToLocalTime = true;
    r.settingsChangeAlarm = true;
    r.toolBarVisible = false;
    r.statusBarVisible = false;
    r.filePlaybackBarVisible = false;
    r.settingsLeft = 123;
    r.settingsTop = 456;
    r.settingsDialogVisible = false;
    r.playbackSpeed = 8;
    r.units = 1;
    r.ipAddress = "127.0.0.42";
    r.portNumber = 5001;
    r.readFileDir = "/data/in dir/";
    r.writeFileDir = "C:\\Sonar Data\\";
    r.readFilterIndex = 2;
    r.writeFilterIndex = 1;
    r.gpsTrackWindowLeft = 11;
    r.gpsTrackWindowTop = 22;
    r.gpsTrackWindowRight = 333;
    r.gpsTrackWindowBottom = 444;
    r.gpsTracking = false;
    r.gpsReadInterval = 250;
    r.gpsZoom = 0.25;
    return r;
}

const std::vector<std::string> kLiveKeys = {"GPS Comm Port", "BaudRate",  "DataBits",    "StopBits",
                                            "Parity",        "Flow",      "GPS type",    "Range",
                                            "Mode",          "Data Gain", "Gain Balance"};

const std::vector<std::string> kOtherKeys = {"Show Color Indicator",
                                             "Show Grid",
                                             "Color Table",
                                             "GPS Text Size",
                                             "Marker Text Size",
                                             "Speed Correction Enabled",
                                             "Auto Synchronize with GPS Time",
                                             "Convert UTC to Local Time",
                                             "Settings Change Alarm",
                                             "Tool Bar Visible",
                                             "Status Bar Visible",
                                             "File Playback Bar Visible",
                                             "Settings Left",
                                             "Settings Top",
                                             "Playback Speed",
                                             "Settings Dialog Visible",
                                             "Units",
                                             "IP Address",
                                             "Port Number",
                                             "Read File Dir:",
                                             "Write File Dir:",
                                             "Read Filter Index",
                                             "Write Filter Index",
                                             "GPS Tracking",
                                             "GPS Read Interval",
                                             "GPS Zoom Factor",
                                             "GPS Track Window Left",
                                             "GPS Track Window Top",
                                             "GPS Track Window Right",
                                             "GPS Track Window Bottom"};

TEST(SettingsDefaults, StartupValuesUseTheExeFolderAndTheScreen) {
    const SettingsRecord r = makeDefaultSettings(kExeDir, 1920, 1080);
    EXPECT_EQ(r.readFileDir, kExeDir);
    EXPECT_EQ(r.writeFileDir, kExeDir);
    EXPECT_EQ(r.gpsTrackWindowLeft, 32);
    EXPECT_EQ(r.gpsTrackWindowTop, 720);
    EXPECT_EQ(r.gpsTrackWindowRight, 940);
    EXPECT_EQ(r.gpsTrackWindowBottom, 1060);
    EXPECT_EQ(makeDefaultSettings("", 1001, 1001).gpsTrackWindowTop, 667);
    EXPECT_EQ(settingsPath(kExeDir), "/opt/keelbrook/Keelbrook.cfg");
}

TEST_F(SettingsFileTest, NoFileChangesNothing) {
    SettingsRecord rec = makeDefaultSettings(kExeDir, 1920, 1080);
    EXPECT_FALSE(loadSettings(path, rec));
    EXPECT_EQ(rec, makeDefaultSettings(kExeDir, 1920, 1080));
    EXPECT_EQ(rec.range, 9);
    EXPECT_EQ(rec.mode, 0);
    EXPECT_EQ(rec.dataGain, 70);
    EXPECT_EQ(rec.gainBalance, 30);
    EXPECT_EQ(rec.ipAddress, "192.168.0.2");
    EXPECT_EQ(rec.portNumber, 4040);
    EXPECT_TRUE(rec.gpsTracking);
}

TEST_F(SettingsFileTest, MissingKeysTakeTheirDefaultsNotTheCurrentValues) {
    write("[Settings]\r\n");
    const SettingsRecord before = unusualSettings();
    SettingsRecord rec = before;
    ASSERT_TRUE(loadSettings(path, rec));
    SettingsRecord expected;
    // Only the rules that keep a value on empty or 0 let the current one through.
    expected.readFileDir = "/data/in dir/";
    expected.writeFileDir = "C:\\Sonar Data\\";
    expected.gpsTrackWindowLeft = 11;
    expected.gpsTrackWindowTop = 22;
    expected.gpsTrackWindowRight = 333;
    expected.gpsTrackWindowBottom = 444;
    ASSERT_EQ(before.readFileDir, expected.readFileDir);
    ASSERT_EQ(before.writeFileDir, expected.writeFileDir);
    EXPECT_EQ(rec, expected);
}

TEST_F(SettingsFileTest, EmptyFolderKeysKeepTheExeFolder) {
    SettingsRecord rec = loadText("[Settings]\nRead File Dir:=/data/\nWrite File Dir:=\n");
    EXPECT_EQ(rec.readFileDir, "/data/");
    EXPECT_EQ(rec.writeFileDir, kExeDir);
    rec = loadText("[Settings]\nRead File Dir:=\nWrite File Dir:=/out/\n");
    EXPECT_EQ(rec.readFileDir, kExeDir);
    EXPECT_EQ(rec.writeFileDir, "/out/");
}

TEST_F(SettingsFileTest, KeyWithAnEmptyValueReadsZeroNotItsDefault) {
    const SettingsRecord rec = loadText(
        "[Settings]\nRange=\nData Gain=  \nShow Grid=\nPlayback Speed=\"\"\nGPS Zoom Factor=\n");
    EXPECT_EQ(rec.range, 0);
    EXPECT_EQ(rec.dataGain, 0);
    EXPECT_FALSE(rec.showGrid);
    EXPECT_EQ(rec.playbackSpeed, 0);
    EXPECT_DOUBLE_EQ(rec.gpsZoom, 0.0);
    EXPECT_EQ(rec.gainBalance, 30) << "a missing key still takes its default";
}

TEST_F(SettingsFileTest, ZeroTrackWindowValuesKeepTheComputedOnes) {
    const SettingsRecord rec = loadText(
        "[Settings]\nGPS Track Window Left=0\nGPS Track Window Top=5\n"
        "GPS Track Window Right=-3\n");
    EXPECT_EQ(rec.gpsTrackWindowLeft, 32);
    EXPECT_EQ(rec.gpsTrackWindowTop, 5);
    EXPECT_EQ(rec.gpsTrackWindowRight, -3);
    EXPECT_EQ(rec.gpsTrackWindowBottom, 1060);
}

TEST_F(SettingsFileTest, ZoomIsStoredInThousandths) {
    SettingsRecord rec = loadText("[Settings]\nGPS Zoom Factor=2500\n");
    EXPECT_DOUBLE_EQ(rec.gpsZoom, 2.5);
    ASSERT_TRUE(saveSettings(path, rec, false));
    EXPECT_NE(read().find("GPS Zoom Factor=2500\n"), std::string::npos);

    // 1001 / 1000 * 1000 is just below 1001 in binary floating point.
    rec = loadText("[Settings]\nGPS Zoom Factor=1001\n");
    ASSERT_TRUE(saveSettings(path, rec, false));
    EXPECT_NE(read().find("GPS Zoom Factor=1001\n"), std::string::npos);

    rec.gpsZoom = 0.0015;
    ASSERT_TRUE(saveSettings(path, rec, false));
    EXPECT_NE(read().find("GPS Zoom Factor=1\n"), std::string::npos);
    rec.gpsZoom = 1e300;
    ASSERT_TRUE(saveSettings(path, rec, false));
    EXPECT_NE(read().find("GPS Zoom Factor=2147483647\n"), std::string::npos);
}

TEST_F(SettingsFileTest, BadNumbersAreConvertedNotChecked) {
    const SettingsRecord rec = loadText(
        "[Settings]\nRange=abc\nMode=99999999999999999999\nData Gain=12abc\n"
        "Gain Balance=-99999999999999999999\nColor Table=250\nShow Grid=2\nTool Bar Visible=x\n");
    EXPECT_EQ(rec.range, 0);
    EXPECT_EQ(rec.mode, INT_MAX);
    EXPECT_EQ(rec.dataGain, 12);
    EXPECT_EQ(rec.gainBalance, INT_MIN);
    EXPECT_EQ(rec.colorTable, 250);
    EXPECT_TRUE(rec.showGrid);
    EXPECT_FALSE(rec.toolBarVisible);
}

TEST_F(SettingsFileTest, WindowsStyleFileIsRead) {
    const SettingsRecord rec = loadText(
        "[SETTINGS]\r\nrange = 12\r\nip address=\"127.0.0.9\"\r\n"
        "READ FILE DIR:=\"C:\\Program Files\\Keelbrook\\\"\r\n");
    EXPECT_EQ(rec.range, 12);
    EXPECT_EQ(rec.ipAddress, "127.0.0.9");
    EXPECT_EQ(rec.readFileDir, "C:\\Program Files\\Keelbrook\\");
}

TEST_F(SettingsFileTest, RoundTripKeepsEveryValue) {
    const SettingsRecord original = unusualSettings();
    ASSERT_TRUE(saveSettings(path, original, false));
    SettingsRecord back = makeDefaultSettings("/elsewhere/", 800, 600);
    ASSERT_TRUE(loadSettings(path, back));
    EXPECT_EQ(back, original);
}

TEST_F(SettingsFileTest, FreshFileHasEveryKeyInSaveOrder) {
    ASSERT_TRUE(saveSettings(path, SettingsRecord{}, false));
    std::vector<std::string> expected = {"[Settings]"};
    expected.insert(expected.end(), kLiveKeys.begin(), kLiveKeys.end());
    expected.insert(expected.end(), kOtherKeys.begin(), kOtherKeys.end());
    EXPECT_EQ(keysWritten(), expected);
    const std::string text = read();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
              std::count(text.begin(), text.end(), '\r'));
    EXPECT_NE(read().find("\r\nRead File Dir:=\r\nWrite File Dir:=\r\n"), std::string::npos);
    EXPECT_NE(read().find("\r\nIP Address=192.168.0.2\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, PlaybackSaveLeavesTheLiveKeysOfTheFile) {
    write(
        "[Settings]\nGPS Comm Port=4\nBaudRate=19200\nRange=12\nMode=2\nData Gain=33\n"
        "Gain Balance=11\nColor Table=1\n");
    SettingsRecord rec = SettingsRecord{};
    rec.colorTable = 6;
    ASSERT_TRUE(saveSettings(path, rec, true));
    const std::string text = read();
    EXPECT_EQ(
        text.find("[Settings]\nGPS Comm Port=4\nBaudRate=19200\nRange=12\nMode=2\nData Gain=33\n"
                  "Gain Balance=11\nColor Table=6\n"),
        0u);
    for (const char* k : {"DataBits=", "StopBits=", "Parity=", "Flow=", "GPS type="}) {
        EXPECT_EQ(text.find(k), std::string::npos) << k;
    }
}

TEST_F(SettingsFileTest, PlaybackSaveOfAFreshFileSkipsTheLiveKeys) {
    ASSERT_TRUE(saveSettings(path, SettingsRecord{}, true));
    std::vector<std::string> expected = {"[Settings]"};
    expected.insert(expected.end(), kOtherKeys.begin(), kOtherKeys.end());
    EXPECT_EQ(keysWritten(), expected);
}

TEST_F(SettingsFileTest, SaveKeepsUnknownContentAndTheFilesLayout) {
    write(
        "; written by hand\n[Display]\nTheme=dark\n\n[Settings]\nMy Note=keep me\n"
        "Range=7\n; end of settings\n\n[Zeta]\nA=1\n");
    SettingsRecord rec;
    rec.range = 11;
    ASSERT_TRUE(saveSettings(path, rec, false));
    const std::string text = read();
    EXPECT_EQ(text.find("; written by hand\n[Display]\nTheme=dark\n\n[Settings]\nMy Note=keep me\n"
                        "Range=11\n"),
              0u);
    EXPECT_NE(text.find("; end of settings\nGPS Comm Port=1\n"), std::string::npos);
    const std::string tail = "GPS Track Window Bottom=0\n\n[Zeta]\nA=1\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST_F(SettingsFileTest, WriteFailuresReturnFalse) {
    EXPECT_FALSE(
        saveSettings((dir / "missing" / "Keelbrook.cfg").string(), SettingsRecord{}, false));
    fs::create_directories(path);  // a folder where the file should be
    EXPECT_FALSE(saveSettings(path, SettingsRecord{}, false));
    SettingsRecord rec = unusualSettings();
    EXPECT_FALSE(loadSettings(path, rec));
    EXPECT_EQ(rec, unusualSettings());
}
}  // namespace
