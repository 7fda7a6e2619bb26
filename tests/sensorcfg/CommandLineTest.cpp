#include <sstream>

#include "sensorcfg/CommandLine.h"
#include "sensorcfg/ConfigFile.h"
#include "sensorcfg/ConfigFiles.h"
#include "sensorcfg/DocFixture.h"

namespace {
using A = SentrimCommandLine::Action;

TEST(SentrimCommandLine, ParsesTheThreeForms) {
    struct Case {
        std::vector<std::string> args;
        A action;
        std::string file;
        int model;
    };
    const Case cases[] = {
        {{}, A::Window, "", 0},
        {{"a.cfg"}, A::Window, "a.cfg", 0},
        {{"--summary", "a.cfg"}, A::Summary, "a.cfg", 0},
        {{"--summary", "a.cfg", "--model", "6"}, A::Summary, "a.cfg", 6},
        {{"--model", "3", "--summary", "b.cfg"}, A::Summary, "b.cfg", 3},
        {{"a.cfg", "--help"}, A::Help, "a.cfg", 0},
        {{"--summary"}, A::Error, "", 0},
        {{"--summary", "a.cfg", "--model", "8"}, A::Error, "a.cfg", 0},
        {{"--summary", "a.cfg", "--model"}, A::Error, "a.cfg", 0},
        {{"a.cfg", "--model", "2"}, A::Error, "a.cfg", 2},
        {{"--frobnicate"}, A::Error, "", 0},
        {{"a.cfg", "b.cfg"}, A::Error, "a.cfg", 0},
    };
    for (const Case& k : cases) {
        const SentrimCommandLine cl = parseSentrimCommandLine(k.args);
        EXPECT_EQ(cl.action, k.action) << ::testing::PrintToString(k.args);
        if (k.action != A::Error) {
            EXPECT_EQ(cl.file, k.file);
            EXPECT_EQ(cl.model, k.model);
        } else {
            EXPECT_FALSE(cl.error.empty());
        }
    }
}

TEST_F(DocTest, SummaryOfAFileForScripts) {
    SensorConfig c = test_files::everyFieldSet();
    test_files::writeFile(dir / "survey.cfg", config_file::store(c));
    std::ostringstream out, err;
    EXPECT_EQ(printSummary(path("survey.cfg"), 6, out, err), 0);
    EXPECT_EQ(err.str(), "");
    const std::string text = out.str();
    EXPECT_EQ(text.substr(0, text.find('\n')), "Configuration file:  survey.cfg");
    EXPECT_NE(text.find("GPS Base Model:      Hadley\n"), std::string::npos);
    EXPECT_NE(text.find("Latitude:            57\u00B0 12.375' S"), std::string::npos);
    EXPECT_NE(text.find("Earth datum index:   User Defined\n"), std::string::npos);

    auto bytes = config_file::store(c);
    bytes.resize(60);
    test_files::writeFile(dir / "cut.cfg", bytes);
    for (const std::string& bad : {path("cut.cfg"), path("missing.cfg"), dir.string()}) {
        std::ostringstream o, e;
        EXPECT_EQ(printSummary(bad, 0, o, e), 1) << bad;
        EXPECT_EQ(o.str(), "");
        const std::string message = e.str();
        EXPECT_NE(message.find(bad), std::string::npos);
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
    }
}
}  // namespace
