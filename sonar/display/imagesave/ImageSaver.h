#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "acquisition/Ports.h"
#include "display/imagesave/ImageFormat.h"
#include "display/imagesave/PixelView.h"

// The platform's image encoders, for every format but GIF (which giflib writes).
class ImageEncoder {
  public:
    virtual ~ImageEncoder() = default;
    // False when the format cannot be encoded here.
    virtual bool encode(const PixelView& image, ImageFormat format,
                        std::vector<std::uint8_t>& out) = 0;
};

constexpr const char* kSaveImageTitle = "Save Image As:";
constexpr const char* kInvalidImageFormat = "Invalid File Format";
std::string imageSaveFailedMessage(const std::string& path);

// Save Screen and Save Selected once the picture is composed: the save dialog, the format from
// the name's extension, then the file, written whole or not at all.
class ImageSaver {
  public:
    ImageSaver(UserPrompts& prompts, ImageEncoder& encoder)
        : prompts_(prompts), encoder_(encoder) {}

    // False when nothing was saved: cancelled, an unknown extension, or a failure (reported).
    bool saveAs(const PixelView& image, const std::string& folder);
    // Encodes and writes to the path; a failure is reported to the user.
    bool save(const PixelView& image, const std::string& path);

  private:
    UserPrompts& prompts_;
    ImageEncoder& encoder_;
    std::string lastFolder_;
};
