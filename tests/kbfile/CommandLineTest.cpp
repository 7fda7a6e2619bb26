#include <gtest/gtest.h>

#include "kbfile/CommandLine.h"

namespace {
using namespace kbfile;
using Status = CommandLine::Status;

TEST(CommandLine, EachCommandTakesItsFiles) {
    const CommandLine info = parseCommandLine({"info", "a.dsx"});
    EXPECT_EQ(info.status, Status::Run);
    EXPECT_EQ(info.command, Command::Info);
    EXPECT_EQ(info.files, (std::vector<std::string>{"a.dsx"}));

    const CommandLine convert = parseCommandLine({"convert", "a.dsx", "b.xtf"});
    EXPECT_EQ(convert.status, Status::Run);
    EXPECT_EQ(convert.files, (std::vector<std::string>{"a.dsx", "b.xtf"}));

    EXPECT_EQ(parseCommandLine({"info"}).status, Status::Error);
    EXPECT_EQ(parseCommandLine({"info", "a", "b"}).status, Status::Error);
    EXPECT_EQ(parseCommandLine({"convert", "a.dsx"}).status, Status::Error);
    EXPECT_EQ(parseCommandLine({}).status, Status::Error);
    EXPECT_EQ(parseCommandLine({"draw", "a.dsx"}).error,
              "kbfile: unknown command 'draw' (try 'kbfile --help')");
}

TEST(CommandLine, RenderDefaultsAreWidth1024GreyBothSides) {
    const CommandLine cl = parseCommandLine({"render", "a.dsx", "a.png"});
    ASSERT_EQ(cl.status, Status::Run);
    EXPECT_EQ(cl.render.width, 1024);
    EXPECT_EQ(cl.render.table, 3);
    EXPECT_EQ(cl.render.layout, SideLayout::BothSides);
}

TEST(CommandLine, RenderOptionsInEitherFormAndWidthRoundedDownToFour) {
    const CommandLine cl = parseCommandLine(
        {"render", "--width", "1023", "a.dsx", "--table=0", "a.png", "--layout", "stbd"});
    ASSERT_EQ(cl.status, Status::Run) << cl.error;
    EXPECT_EQ(cl.render.width, 1020);
    EXPECT_EQ(cl.render.table, 0);
    EXPECT_EQ(cl.render.layout, SideLayout::StarboardOnly);
    EXPECT_EQ(cl.files, (std::vector<std::string>{"a.dsx", "a.png"}));
    EXPECT_EQ(parseCommandLine({"render", "a", "b", "--layout=port"}).render.layout,
              SideLayout::PortOnly);
}

TEST(CommandLine, BadRenderOptionsAreUsageErrors) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"render", "a", "b", "--width", "3"},
                                               {"render", "a", "b", "--width", "16388"},
                                               {"render", "a", "b", "--width", "12x"},
                                               {"render", "a", "b", "--width"},
                                               {"render", "a", "b", "--table", "9"},
                                               {"render", "a", "b", "--layout", "left"},
                                               {"render", "a", "b", "--colour", "1"},
                                               {"info", "a", "--width", "100"}}) {
        const CommandLine cl = parseCommandLine(args);
        EXPECT_EQ(cl.status, Status::Error) << args[3];
        EXPECT_EQ(cl.error.find('\n'), std::string::npos);
        EXPECT_EQ(cl.error.rfind("kbfile ", 0), 0u) << cl.error;
    }
    EXPECT_EQ(parseCommandLine({"render", "a", "b", "--table", "9"}).error,
              "kbfile render: --table wants a number from 0 to 8");
}

TEST(CommandLine, MosaicTakesFilesAndTheOutputLastAndRenderASlantRangeSwitch) {
    const CommandLine m =
        parseCommandLine({"mosaic", "a.dsx", "--resolution=0.25", "b.xtf", "out.tif"});
    ASSERT_EQ(m.status, Status::Run) << m.error;
    EXPECT_EQ(m.command, Command::Mosaic);
    EXPECT_EQ(m.files, (std::vector<std::string>{"a.dsx", "b.xtf", "out.tif"}));
    EXPECT_EQ(m.mosaic.resolution, 0.25);
    EXPECT_FALSE(parseCommandLine({"mosaic", "a.dsx", "o.tif"}).mosaic.resolution);

    // The switch takes no value: the file after it stays a file.
    const CommandLine r = parseCommandLine({"render", "--slant-range", "a.dsx", "a.png"});
    ASSERT_EQ(r.status, Status::Run) << r.error;
    EXPECT_TRUE(r.render.slantRange);
    EXPECT_EQ(r.files, (std::vector<std::string>{"a.dsx", "a.png"}));
    EXPECT_FALSE(parseCommandLine({"render", "a.dsx", "a.png"}).render.slantRange);

    const struct {
        std::vector<std::string> args;
        std::string error;
    } bad[] = {
        {{"mosaic", "o.tif"},
         "kbfile mosaic: wants one or more files and the output (try 'kbfile mosaic --help')"},
        {{"mosaic", "a", "o.tif", "--resolution", "fine"},
         "kbfile mosaic: --resolution wants metres from 0.01 to 1000"},
        {{"mosaic", "a", "o.tif", "--resolution", "nan"},
         "kbfile mosaic: --resolution wants metres from 0.01 to 1000"},
        {{"mosaic", "a", "o.tif", "--width", "100"}, "kbfile mosaic: unknown option '--width'"},
        {{"mosaic", "a", "o.tif", "--slant-range"},
         "kbfile mosaic: unknown option '--slant-range'"},
        {{"info", "a", "--slant-range"}, "kbfile info: unknown option '--slant-range'"},
    };
    for (const auto& b : bad) {
        const CommandLine cl = parseCommandLine(b.args);
        EXPECT_EQ(cl.status, Status::Error) << b.error;
        EXPECT_EQ(cl.error, b.error);
    }
}

TEST(CommandLine, HelpForTheToolAndForEachCommand) {
    EXPECT_EQ(parseCommandLine({"--help"}).status, Status::Help);
    EXPECT_EQ(parseCommandLine({"help"}).help, helpText(Command::None));
    const CommandLine render = parseCommandLine({"render", "--help"});
    EXPECT_EQ(render.status, Status::Help);
    EXPECT_EQ(render.help, helpText(Command::Render));
    EXPECT_EQ(parseCommandLine({"help", "convert"}).help, helpText(Command::Convert));
    EXPECT_EQ(parseCommandLine({"help", "nothing"}).status, Status::Error);
    // The long-file rule is stated where users look for it.
    EXPECT_NE(helpText(Command::Render).find("65535 rows"), std::string::npos);
    EXPECT_NE(helpText(Command::Render).find("first ping at the top"), std::string::npos);
}

}  // namespace
