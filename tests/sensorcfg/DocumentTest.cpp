#include <fstream>

#include "sensorcfg/ConfigFile.h"
#include "sensorcfg/ConfigFiles.h"
#include "sensorcfg/DocFixture.h"

namespace {
using namespace test_files;
const std::string kNotUploaded =
    "The current configuration has not been uploaded since last modified. Do you want to "
    "continue?";
const std::string kConvertedNotSaved =
    "The converted file has not been saved. Do you wish to continue?";
const std::string kConverted = "Old file format detected and converted to new format.";

TEST_F(DocTest, StoringTheSameValueLeavesTheDocumentUnmodified) {
    doc->store(config.alt, 300.0F);
    doc->store(config.datum, 100);
    EXPECT_FALSE(doc->isModified());
    doc->store(config.datum_df, 298.257223564);
    EXPECT_TRUE(doc->isModified());
}

TEST_F(DocTest, SaveModifiedAsksItsQuestionsInOrder) {
    // Modified and not uploaded: the upload question first, then the save question.
    doc->setModified(true);
    prompts.answers = {PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_TRUE(doc->saveModified());
    ASSERT_EQ(prompts.texts(),
              (std::vector<std::string>{kNotUploaded, "Save changes to Untitled?"}));
    EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Question);
    EXPECT_EQ(prompts.messages[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompts.messages[1].buttons, PromptButtons::YesNoCancel);

    // No to the first question stays, without the save question.
    prompts.messages.clear();
    prompts.answers = {PromptAnswer::No};
    EXPECT_FALSE(doc->saveModified());
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{kNotUploaded}));

    // Uploaded: only the save question; Cancel stays.
    prompts.messages.clear();
    doc->setUploaded(true);
    prompts.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(doc->saveModified());
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"Save changes to Untitled?"}));

    // Unmodified and not converted: no question at all.
    prompts.messages.clear();
    doc->setModified(false);
    EXPECT_TRUE(doc->saveModified());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(DocTest, ConvertedFileAsksBeforeItIsReplaced) {
    writeFile(dir / "old.cfg", fileOfVersion(401, everyFieldSet()));
    ASSERT_TRUE(doc->load(path("old.cfg")));
    EXPECT_TRUE(prompts.messages.empty()) << "version 401 loads without the conversion message";
    writeFile(dir / "older.cfg", fileOfVersion(301, everyFieldSet()));
    ASSERT_TRUE(doc->load(path("older.cfg")));
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{kConverted}));
    EXPECT_TRUE(doc->isModified());
    EXPECT_TRUE(doc->isConverted());

    // Uploaded, so the converted question comes; Yes marks modified, and the save question
    // follows.
    doc->setUploaded(true);
    prompts.messages.clear();
    prompts.answers = {PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_TRUE(doc->newDocument());
    EXPECT_EQ(prompts.texts(),
              (std::vector<std::string>{kConvertedNotSaved,
                                        "Save changes to " + path("older.cfg") + "?"}));
    EXPECT_FALSE(doc->isConverted());
    EXPECT_EQ(doc->title(), "Untitled");
}

TEST_F(DocTest, LoadingNeverChangesTheBaseModelOrPort) {
    resetToDefaults(config, 5);
    config.port = 3;
    for (int version : {0, 300, 301, 401, 402}) {
        writeFile(dir / "f.cfg", fileOfVersion(version, everyFieldSet()));
        ASSERT_TRUE(doc->load(path("f.cfg"))) << version;
        EXPECT_EQ(config.model, 5);
        EXPECT_EQ(config.port, 3);
    }
}

TEST_F(DocTest, UnversionedFileIsModifiedAfterLoading) {
    SensorConfig old = everyFieldSet();
    old.sentences[GPGGA] = 1;
    writeFile(dir / "v0.cfg", fileOfVersion(0, old));
    ASSERT_TRUE(doc->load(path("v0.cfg")));
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{kConverted}));
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(config.sentences[PTVRB], 0);
    EXPECT_EQ(doc->windowTitle(), "v0.cfg - TAVRIN Sensor Configuration Software");
}

TEST_F(DocTest, TruncatedFileNamesTheFileAndChangesNothing) {
    ASSERT_TRUE(doc->load([&] {
        writeFile(dir / "good.cfg", config_file::store(everyFieldSet()));
        return path("good.cfg");
    }()));
    const SensorConfig before = config;
    auto bytes = config_file::store(config);
    bytes.resize(100);
    writeFile(dir / "short.cfg", bytes);
    EXPECT_FALSE(doc->openFile(path("short.cfg")));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find(path("short.cfg")), std::string::npos);
    EXPECT_EQ(config, before);
    EXPECT_EQ(doc->title(), "good.cfg");
    EXPECT_FALSE(doc->isModified());
}

TEST_F(DocTest, SaveWritesVersion402AndAFailedSaveKeepsTheOldFile) {
    config = everyFieldSet();
    prompts.savePath = path("new.cfg");
    ASSERT_TRUE(doc->save());  // untitled: asks for a name
    EXPECT_EQ(readFile(dir / "new.cfg"), config_file::store(config));
    EXPECT_EQ(doc->title(), "new.cfg");
    EXPECT_FALSE(doc->isModified());

    // A save that cannot write leaves the earlier file whole and no temporary behind.
    const auto before = readFile(dir / "new.cfg");
    std::filesystem::create_directory(dir / "new.cfg.tmp");
    doc->store(config.alt, 12.0F);
    EXPECT_FALSE(doc->save());
    EXPECT_EQ(readFile(dir / "new.cfg"), before);
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(prompts.messages.back().text,
              "Cannot save the configuration file " + path("new.cfg") + ".");
}

TEST_F(DocTest, RecentFilesAreKeptInTheProfileAndTheLastOneReopens) {
    for (const char* name : {"a.cfg", "b.cfg", "c.cfg", "d.cfg", "e.cfg"}) {
        config.alt = static_cast<float>(name[0]);
        prompts.savePath = path(name);
        ASSERT_TRUE(doc->saveAs());
    }
    EXPECT_EQ(
        doc->recentFiles().entries(),
        (RecentFileList::Entries{path("e.cfg"), path("d.cfg"), path("c.cfg"), path("b.cfg")}));
    EXPECT_EQ(profile->readString("Recent File List", "File1", ""), path("e.cfg"));

    config.alt = 0.0F;
    restart();
    doc->openAtStartup();
    EXPECT_EQ(doc->title(), "e.cfg");
    EXPECT_EQ(config.alt, static_cast<float>('e'));
    EXPECT_TRUE(doc->openRecent(3));
    EXPECT_EQ(config.alt, static_cast<float>('c'));
    EXPECT_EQ(doc->recentFiles().entry(1), path("c.cfg"));

    // A recent file that has gone: start-up makes a new document; opening it drops the entry.
    std::filesystem::remove(dir / "c.cfg");
    restart();
    doc->openAtStartup();
    EXPECT_EQ(doc->title(), "Untitled");
    EXPECT_FALSE(doc->openRecent(1));
    EXPECT_EQ(doc->recentFiles().entry(1), path("e.cfg"));
}

TEST_F(DocTest, PortComesFromTheProfileAndGoesBackToIt) {
    EXPECT_EQ(config.port, 2);  // the default when the profile has none
    config.port = 6;
    restart();
    EXPECT_EQ(profile->readInt("Communications", "Port", 0), 6);
    EXPECT_EQ(config.port, 6);
}

TEST_F(DocTest, GetConfigurationDownloadsIntoTheNewDocumentAndCtrlNFollowsIt) {
    config.alt = 55.0F;
    doc->setModified(false);
    ASSERT_TRUE(doc->newDocument());
    EXPECT_TRUE(prompts.messages.empty());

    ASSERT_TRUE(doc->newDocument(SensorCommand::GetConfiguration));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Connection must be established before downloading.");
    EXPECT_EQ(prompts.messages[0].title, "Downloading Fail");
    EXPECT_EQ(config.alt, 55.0F) << "a new document keeps the configuration";

    int downloads = 0;
    doc->setDownloadHandler([&] { ++downloads; });
    ASSERT_TRUE(doc->newDocument(SensorCommand::FileNew));
    EXPECT_EQ(downloads, 1);
}

TEST_F(DocTest, OpenAsksForTheFileThenTheQuestions) {
    writeFile(dir / "x.cfg", config_file::store(everyFieldSet()));
    doc->setModified(true);
    prompts.openPath = path("x.cfg");
    prompts.answers = {PromptAnswer::No};
    EXPECT_FALSE(doc->openWithDialog());
    EXPECT_EQ(doc->title(), "Untitled");
    prompts.answers = {PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_TRUE(doc->openWithDialog());
    EXPECT_EQ(doc->title(), "x.cfg");
    EXPECT_EQ(config.lat_deg, 57);
}
}  // namespace
