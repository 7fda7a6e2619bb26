#pragma once

#include <QImage>

#include "display/imagesave/ImageSaver.h"

// BMP, JPEG, TIFF and PNG through Qt's image writers (TIFF from the image formats plugins).
class QtImageEncoder : public ImageEncoder {
  public:
    bool encode(const PixelView& image, ImageFormat format,
                std::vector<std::uint8_t>& out) override;
};

// The pixels of a 32-bit image, without a copy; the image must outlive the view.
PixelView pixelViewOf(const QImage& image);
