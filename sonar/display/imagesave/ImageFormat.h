#pragma once

#include <optional>
#include <string>
#include <vector>

#include "acquisition/Ports.h"

// The five formats the screen can be saved in, known by the file name's extension.
enum class ImageFormat { Bmp, Gif, Jpeg, Tiff, Png };

// The save dialog's filters, in the order offered; the first is the default.
std::vector<FileFilter> imageFileFilters();
// The default extension of the save dialog.
constexpr const char* kDefaultImageExtension = "bmp";

// The format named by a path's extension, whatever its case; nothing for any other extension.
std::optional<ImageFormat> imageFormatOf(const std::string& path);
const char* mimeTypeOf(ImageFormat format);
