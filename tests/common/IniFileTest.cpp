#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "common/IniFile.h"

namespace {
namespace fs = std::filesystem;

fs::path freshDir(const std::string& tag) {
    std::random_device rd;
    fs::path dir = fs::temp_directory_path() / ("kbini-" + tag + "-" + std::to_string(rd()));
    fs::create_directories(dir);
    return dir;
}

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(IniFileRead, NamesMatchWithoutCaseAndBlanksAreTrimmed) {
    const IniFile ini =
        IniFile::parse("  [ settings ]  \n  range   =  12  \nIP ADDRESS=\t10.1.2.3\t\n");
    EXPECT_EQ(ini.readInt("Settings", "Range", 9), 12);
    EXPECT_EQ(ini.readString("SETTINGS", "ip address", ""), "10.1.2.3");
}

TEST(IniFileRead, KeyIsEverythingBeforeTheFirstEquals) {
    const IniFile ini = IniFile::parse("[Settings]\nRead File Dir:=C:\\a=b\\\nWrite File Dir:=\n");
    EXPECT_EQ(ini.readString("Settings", "Read File Dir:", "x"), "C:\\a=b\\");
    EXPECT_TRUE(ini.hasKey("Settings", "Write File Dir:"));
    EXPECT_EQ(ini.readString("Settings", "Write File Dir:", "x"), "");
    EXPECT_FALSE(ini.hasKey("Settings", "Read File Dir"));
}

TEST(IniFileRead, MatchingQuotesAreRemovedOthersKept) {
    const IniFile ini =
        IniFile::parse("[S]\nA=\"C:\\My Data\\\"\nB='x y'\nC=\"open\nD=\"mixed'\nE=\"\n");
    EXPECT_EQ(ini.readString("S", "A", ""), "C:\\My Data\\");
    EXPECT_EQ(ini.readString("S", "B", ""), "x y");
    EXPECT_EQ(ini.readString("S", "C", ""), "\"open");
    EXPECT_EQ(ini.readString("S", "D", ""), "\"mixed'");
    EXPECT_EQ(ini.readString("S", "E", ""), "\"");
}

TEST(IniFileRead, LongValuesAreCutWithoutSplittingACharacter) {
    const IniFile ascii = IniFile::parse("[S]\nK=" + std::string(300, 'a') + "\n");
    EXPECT_EQ(ascii.readString("S", "K", ""), std::string(IniFile::kMaxValueLength, 'a'));

    // 255 ASCII bytes and then a two-byte character that would straddle the limit.
    const std::string utf8 = std::string(255, 'a') + "\xC3\xA9" + "tail";
    const IniFile wide = IniFile::parse("[S]\nK=" + utf8 + "\n");
    EXPECT_EQ(wide.readString("S", "K", ""), std::string(255, 'a'));
}

TEST(IniFileRead, CrLfLfAndLoneCrLinesAllParse) {
    for (const char* text : {"[S]\r\nA=1\r\nB=2\r\n", "[S]\nA=1\nB=2", "[S]\rA=1\rB=2\r"}) {
        const IniFile ini = IniFile::parse(text);
        EXPECT_EQ(ini.readInt("S", "A", 0), 1) << text;
        EXPECT_EQ(ini.readInt("S", "B", 0), 2) << text;
    }
}

TEST(IniFileRead, OnlyTheNamedSectionAnswers) {
    const IniFile ini =
        IniFile::parse("Range=1\n[Other]\nRange=2\n; Range=4\n[Settings]\nRange=3\n");
    EXPECT_EQ(ini.readInt("Settings", "Range", 9), 3);
    EXPECT_EQ(ini.readInt("Other", "Range", 9), 2);
    EXPECT_EQ(ini.readInt("Missing", "Range", 9), 9);
    const IniFile commented = IniFile::parse("[S]\n;Range=4\n  ; Mode=1\n");
    EXPECT_EQ(commented.readInt("S", "Range", 9), 9);
    EXPECT_EQ(commented.readInt("S", "; Mode", 7), 7);
}

TEST(IniFileRead, ByteOrderMarkDoesNotHideTheFirstSection) {
    const IniFile ini = IniFile::parse("\xEF\xBB\xBF[Settings]\r\nRange=11\r\n");
    EXPECT_EQ(ini.readInt("Settings", "Range", 9), 11);
    EXPECT_EQ(ini.text().substr(0, 3), "\xEF\xBB\xBF");
}

TEST(IniFileInt, DecimalConversionStopsAtFirstNonDigit) {
    EXPECT_EQ(parseProfileInt("42"), 42);
    EXPECT_EQ(parseProfileInt("-17"), -17);
    EXPECT_EQ(parseProfileInt("+8"), 8);
    EXPECT_EQ(parseProfileInt("12abc"), 12);
    EXPECT_EQ(parseProfileInt("3.9"), 3);
    EXPECT_EQ(parseProfileInt("  5"), 5);
    EXPECT_EQ(parseProfileInt("abc"), 0);
    EXPECT_EQ(parseProfileInt("-"), 0);
    EXPECT_EQ(parseProfileInt("0x10"), 0);
}

TEST(IniFileInt, OverflowClampsToTheIntRange) {
    EXPECT_EQ(parseProfileInt("2147483647"), INT_MAX);
    EXPECT_EQ(parseProfileInt("2147483648"), INT_MAX);
    EXPECT_EQ(parseProfileInt("99999999999999999999999999"), INT_MAX);
    EXPECT_EQ(parseProfileInt("-2147483648"), INT_MIN);
    EXPECT_EQ(parseProfileInt("-99999999999999999999999999"), INT_MIN);
}

TEST(IniFileInt, EmptyValueIsTheDefaultToReadIntButZeroToReadNumber) {
    const IniFile ini = IniFile::parse("[S]\nEmpty=\nQuotedEmpty=\"\"\nText=abc\n");
    EXPECT_EQ(ini.readInt("S", "Empty", 9), 9);
    EXPECT_EQ(ini.readInt("S", "QuotedEmpty", 9), 9);
    EXPECT_EQ(ini.readInt("S", "Missing", 9), 9);
    EXPECT_EQ(ini.readInt("S", "Text", 9), 0);
    // Read as text first: only a missing key takes the default.
    EXPECT_EQ(ini.readNumber("S", "Empty", 9), 0);
    EXPECT_EQ(ini.readNumber("S", "QuotedEmpty", 9), 0);
    EXPECT_EQ(ini.readNumber("S", "Missing", 9), 9);
    EXPECT_EQ(ini.readNumber("S", "Text", 9), 0);
}

TEST(IniFileWrite, NewFileGetsKeysInWriteOrderWithCrLf) {
    IniFile ini;
    ini.writeInt("Settings", "Range", 9);
    ini.writeString("Settings", "Read File Dir:", "");
    ini.writeString("Settings", "IP Address", "192.168.0.2");
    EXPECT_EQ(ini.text(), "[Settings]\r\nRange=9\r\nRead File Dir:=\r\nIP Address=192.168.0.2\r\n");
}

TEST(IniFileWrite, ExistingKeyIsReplacedInPlaceAndTheRestKept) {
    IniFile ini =
        IniFile::parse("; user notes\n[Settings]\nrange = 7\nMy Own Key=x\n\n[Other]\nRange=1\n");
    ini.writeInt("Settings", "Range", 12);
    EXPECT_EQ(ini.text(), "; user notes\n[Settings]\nRange=12\nMy Own Key=x\n\n[Other]\nRange=1\n");
    EXPECT_EQ(ini.lineEnding(), IniFile::LineEnding::Lf);
}

TEST(IniFileWrite, NewKeyGoesAfterTheSectionsLastLineNotAfterItsBlankLines) {
    IniFile ini = IniFile::parse("[Settings]\r\nRange=7\r\n\r\n[Other]\r\nA=1\r\n");
    ini.writeInt("Settings", "Mode", 2);
    EXPECT_EQ(ini.text(), "[Settings]\r\nRange=7\r\nMode=2\r\n\r\n[Other]\r\nA=1\r\n");
}

TEST(IniFileWrite, MissingSectionIsAddedAtTheEnd) {
    IniFile ini = IniFile::parse("[Other]\nA=1");
    ini.writeInt("Settings", "Range", 9);
    EXPECT_EQ(ini.text(), "[Other]\nA=1\n\n[Settings]\nRange=9\n");
}

TEST(IniFileWrite, LineBreakInAValueCannotAddKeys) {
    IniFile ini;
    ini.writeString("S", "Dir", "C:\\x\r\nRange=1");
    EXPECT_EQ(ini.readString("S", "Dir", ""), "C:\\x");
    EXPECT_FALSE(ini.hasKey("S", "Range"));
}

TEST(IniFileFile, MissingFileOrFolderCannotBeLoaded) {
    const fs::path dir = freshDir("load");
    EXPECT_FALSE(IniFile::load((dir / "none.cfg").string()).has_value());
    EXPECT_FALSE(IniFile::load(dir.string()).has_value());
    fs::remove_all(dir);
}

TEST(IniFileFile, SaveReplacesTheFileAndLeavesNoTemporary) {
    const fs::path dir = freshDir("save");
    const fs::path file = dir / "a.cfg";
    std::ofstream(file, std::ios::binary) << "[S]\nA=1\n";
    IniFile ini = *IniFile::load(file.string());
    ini.writeInt("S", "A", 2);
    ASSERT_TRUE(ini.save(file.string()));
    EXPECT_EQ(readAll(file), "[S]\nA=2\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    EXPECT_FALSE(ini.save((dir / "no-such-folder" / "a.cfg").string()));
    fs::remove_all(dir);
}
}  // namespace
