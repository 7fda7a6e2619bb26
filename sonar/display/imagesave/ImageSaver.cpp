#include "display/imagesave/ImageSaver.h"

#include <filesystem>

#include "display/imagesave/AtomicFile.h"
#include "display/imagesave/GifEncoder.h"

std::string imageSaveFailedMessage(const std::string& path) {
    return "The image could not be saved to " + path + ".";
}

bool ImageSaver::saveAs(const PixelView& image, const std::string& folder) {
    FileDialogRequest request;
    request.title = kSaveImageTitle;
    request.filters = imageFileFilters();
    request.folder = lastFolder_.empty() ? folder : lastFolder_;
    request.filterIndex = 0;
    const std::optional<FileChoice> choice = prompts_.askSaveFile(request);
    if (!choice) {
        return false;
    }
    lastFolder_ = std::filesystem::path(choice->path).parent_path().string();
    if (!imageFormatOf(choice->path)) {
        prompts_.message(kInvalidImageFormat, MessageIcon::Warning);
        return false;
    }
    return save(image, choice->path);
}

bool ImageSaver::save(const PixelView& image, const std::string& path) {
    const std::optional<ImageFormat> format = imageFormatOf(path);
    std::vector<std::uint8_t> bytes;
    bool ok = format && !image.empty();
    if (ok && *format == ImageFormat::Gif) {
        std::optional<std::vector<std::uint8_t>> gif = encodeGif(image);
        ok = gif.has_value();
        if (ok) {
            bytes = std::move(*gif);
        }
    } else if (ok) {
        ok = encoder_.encode(image, *format, bytes);
    }
    ok = ok && !bytes.empty() && writeFileAtomically(path, bytes);
    if (!ok) {
        prompts_.message(imageSaveFailedMessage(path), MessageIcon::Error);
    }
    return ok;
}
