#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datafile/TempDir.h"
#include "display/imagesave/AtomicFile.h"
#include "display/imagesave/ImageFormat.h"
#include "display/imagesave/ImageSaver.h"
#include "support/FakePorts.h"
#include "support/UnwritableFolder.h"

namespace {
namespace fs = std::filesystem;

// Records which format it was asked for and answers with a few marker bytes.
struct FakeEncoder : ImageEncoder {
    std::vector<ImageFormat> asked;
    bool fail = false;
    bool encode(const PixelView&, ImageFormat format, std::vector<std::uint8_t>& out) override {
        asked.push_back(format);
        out = {'I', 'M', 'G'};
        return !fail;
    }
};

struct SaverRig {
    SaverRig()
        : pixels(4 * 3, 0xFF336699u), image{pixels.data(), 4, 3, 4}, saver(prompts, encoder) {}
    bool saveAs(const std::string& path) {
        prompts.saveChoices.push_back(FileChoice{path, 0});
        return saver.saveAs(image, dir.path().string());
    }
    std::vector<std::uint32_t> pixels;
    PixelView image;
    TempDir dir;
    FakePrompts prompts;
    FakeEncoder encoder;
    ImageSaver saver;
};

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ImageFormat, ExtensionNamesTheFormatWhateverItsCase) {
    struct Case {
        const char* path;
        std::optional<ImageFormat> format;
    };
    const Case cases[] = {
        {"/a/b/screen.bmp", ImageFormat::Bmp},
        {"/a/b/screen.GIF", ImageFormat::Gif},
        {"x.jpg", ImageFormat::Jpeg},
        {"x.JPEG", ImageFormat::Jpeg},
        {"x.Tif", ImageFormat::Tiff},
        {"x.tiff", ImageFormat::Tiff},
        {"/tmp/SCREEN.PNG", ImageFormat::Png},
        {"x.pcx", std::nullopt},
        {"x", std::nullopt},
        {"/a.png/screen", std::nullopt},
        {"x.png.txt", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(imageFormatOf(c.path), c.format) << c.path;
    }
}

TEST(ImageSaver, DialogOffersTheFiveFormatsBitmapFirst) {
    SaverRig rig;
    rig.saver.saveAs(rig.image, "/data/images");
    ASSERT_EQ(rig.prompts.saveRequests.size(), 1u);
    const FileDialogRequest& r = rig.prompts.saveRequests[0];
    EXPECT_EQ(r.title, "Save Image As:");
    EXPECT_EQ(r.folder, "/data/images");
    EXPECT_EQ(r.filterIndex, 0);
    std::vector<std::string> labels, patterns;
    for (const FileFilter& f : r.filters) {
        labels.push_back(f.label);
        patterns.push_back(f.pattern);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{
                          "Bitmap: (*.BMP)", "Graphics Interchange Format: (*.GIF)",
                          "JPG File Interchange Format: (*.JPG)", "Tag Image File Format: (*.TIF)",
                          "Portable Networks Graphics: (*.PNG)"}));
    EXPECT_EQ(patterns, (std::vector<std::string>{"*.bmp", "*.gif", "*.jpg", "*.tif", "*.png"}));
    EXPECT_TRUE(rig.prompts.messages.empty());  // cancelled: nothing said, nothing written
    EXPECT_TRUE(rig.encoder.asked.empty());
}

TEST(ImageSaver, UnknownExtensionIsRefusedBeforeAnythingIsWritten) {
    SaverRig rig;
    const std::string path = rig.dir.file("screen.pcx");
    EXPECT_FALSE(rig.saveAs(path));
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{"Invalid File Format"});
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(rig.encoder.asked.empty());
}

TEST(ImageSaver, WritesTheEncodedBytesUnderTheChosenName) {
    SaverRig rig;
    const std::string path = rig.dir.file("Screen.PNG");
    EXPECT_TRUE(rig.saveAs(path));
    EXPECT_EQ(rig.encoder.asked, std::vector<ImageFormat>{ImageFormat::Png});
    EXPECT_EQ(contents(path), "IMG");
    EXPECT_TRUE(rig.prompts.messages.empty());
    // Only the file itself is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(rig.dir.path()), fs::directory_iterator()), 1);
    // The next dialog opens where the last image went.
    rig.saver.saveAs(rig.image, "/elsewhere");
    EXPECT_EQ(rig.prompts.saveRequests.back().folder, rig.dir.path().string());
}

TEST(ImageSaver, FailedSaveIsReportedAndLeavesNoFileOrPartBehind) {
    SaverRig rig;
    UnwritableFolder folder(rig.dir.path() / "locked");
    if (!folder.effective()) {
        GTEST_SKIP() << "cannot make a folder unwritable here";
    }
    const std::string gif = folder.file("screen.gif");
    EXPECT_FALSE(rig.saveAs(gif));
    const std::string bmp = folder.file("screen.bmp");
    EXPECT_FALSE(rig.saveAs(bmp));
    EXPECT_EQ(rig.prompts.messages,
              (std::vector<std::string>{"The image could not be saved to " + gif + ".",
                                        "The image could not be saved to " + bmp + "."}));
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST(ImageSaver, EncoderFailureKeepsAnEarlierFileIntact) {
    SaverRig rig;
    const std::string path = rig.dir.file("keep.jpg");
    std::ofstream(path) << "earlier";
    rig.encoder.fail = true;
    EXPECT_FALSE(rig.saveAs(path));
    EXPECT_EQ(contents(path), "earlier");
    EXPECT_EQ(rig.prompts.messages.size(), 1u);
}

TEST(AtomicFile, ReplacesAnExistingFileWholeAndRefusesAFolderName) {
    TempDir dir;
    const std::string path = dir.file("a.png");
    std::ofstream(path) << "old contents that are longer";
    ASSERT_TRUE(writeFileAtomically(path, {'n', 'e', 'w'}));
    EXPECT_EQ(contents(path), "new");
    fs::create_directory(dir.file("taken"));
    EXPECT_FALSE(writeFileAtomically(dir.file("taken"), {'x'}));
    EXPECT_TRUE(fs::is_directory(dir.file("taken")));
    EXPECT_FALSE(writeFileAtomically(dir.file("missing/a.png"), {'x'}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

}  // namespace
