#include <gtest/gtest.h>

#include "common/IniFile.h"
#include "common/SerialPortMap.h"

namespace {

std::vector<std::string> devicesOf(const SerialPortMap& map) {
    std::vector<std::string> out;
    for (const SerialPortEntry& e : map.entries()) {
        out.push_back("COM" + std::to_string(e.number) + "=" + e.device);
    }
    return out;
}

TEST(SerialPortMap, UsbReceiversComeFirstInAStableOrder) {
    const SerialPortMap map({{"/dev/ttyS10", ""},
                             {"/dev/ttyACM0", "u-blox GNSS receiver"},
                             {"/dev/ttyS2", ""},
                             {"/dev/ttyUSB1", ""},
                             {"/dev/rfcomm0", ""},
                             {"/dev/ttyUSB0", "FT232R USB UART"}},
                            {});
    EXPECT_EQ(devicesOf(map), (std::vector<std::string>{"COM1=/dev/ttyUSB0", "COM2=/dev/ttyUSB1",
                                                        "COM3=/dev/ttyACM0", "COM4=/dev/ttyS2",
                                                        "COM5=/dev/ttyS10", "COM6=/dev/rfcomm0"}));
    EXPECT_EQ(SerialPortMap::label(*map.entry(3)), "COM3 (/dev/ttyACM0, u-blox GNSS receiver)");
    EXPECT_EQ(SerialPortMap::label(*map.entry(4)), "COM4 (/dev/ttyS2)");
    EXPECT_EQ(map.device(7), "");
}

TEST(SerialPortMap, OverridesWinAndTheRestFillTheFreeNumbers) {
    const IniFile ini = IniFile::parse(
        "[Settings]\r\nGPS Comm Port=3\r\n[Serial Ports]\r\nCOM1=/dev/ttyACM0\r\n"
        "com3=/dev/pts/7\r\nCOM33=/dev/ttyS9\r\nCOMX=/dev/ttyS8\r\nCOM4=\r\n");
    const std::map<int, std::string> overrides = readSerialPortOverrides(ini, "Serial Ports");
    EXPECT_EQ(overrides, (std::map<int, std::string>{{1, "/dev/ttyACM0"}, {3, "/dev/pts/7"}}));
    const SerialPortMap map({{"/dev/ttyACM0", "GNSS"}, {"/dev/ttyS0", ""}, {"/dev/ttyUSB0", ""}},
                            overrides);
    EXPECT_EQ(devicesOf(map), (std::vector<std::string>{"COM1=/dev/ttyACM0", "COM2=/dev/ttyUSB0",
                                                        "COM3=/dev/pts/7", "COM4=/dev/ttyS0"}));
    EXPECT_TRUE(map.entry(3)->overridden);
    EXPECT_EQ(map.entry(1)->description, "GNSS");
}

TEST(SerialPortMap, PortNumbersOfTexts) {
    EXPECT_EQ(serialPortNumber("COM1"), 1);
    EXPECT_EQ(serialPortNumber("com32"), 32);
    EXPECT_EQ(serialPortNumber("COM33"), 0);
    EXPECT_EQ(serialPortNumber("COM0"), 0);
    EXPECT_EQ(serialPortNumber("COM1 "), 0);
    EXPECT_EQ(serialPortNumber("LPT1"), 0);
}

}  // namespace
