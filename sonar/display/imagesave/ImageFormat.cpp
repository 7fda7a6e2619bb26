#include "display/imagesave/ImageFormat.h"

#include <algorithm>
#include <cctype>

namespace {
struct Known {
    const char* extension;
    ImageFormat format;
};
// ".jpeg" and ".tiff" are what other programs write for two of the five; they are accepted
// beside the three-letter names.
constexpr Known kExtensions[] = {
    {"bmp", ImageFormat::Bmp},   {"gif", ImageFormat::Gif},  {"jpg", ImageFormat::Jpeg},
    {"jpeg", ImageFormat::Jpeg}, {"tif", ImageFormat::Tiff}, {"tiff", ImageFormat::Tiff},
    {"png", ImageFormat::Png},
};
}  // namespace

std::vector<FileFilter> imageFileFilters() {
    return {
        {"Bitmap: (*.BMP)", "*.bmp"},
        {"Graphics Interchange Format: (*.GIF)", "*.gif"},
        {"JPG File Interchange Format: (*.JPG)", "*.jpg"},
        {"Tag Image File Format: (*.TIF)", "*.tif"},
        {"Portable Networks Graphics: (*.PNG)", "*.png"},
    };
}

std::optional<ImageFormat> imageFormatOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return std::nullopt;
    }
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const Known& k : kExtensions) {
        if (ext == k.extension) {
            return k.format;
        }
    }
    return std::nullopt;
}

const char* mimeTypeOf(ImageFormat format) {
    switch (format) {
        case ImageFormat::Bmp:
            return "image/bmp";
        case ImageFormat::Gif:
            return "image/gif";
        case ImageFormat::Jpeg:
            return "image/jpeg";
        case ImageFormat::Tiff:
            return "image/tiff";
        case ImageFormat::Png:
            return "image/png";
    }
    return "";
}
