#include "display/imagesave/qt/QtImageEncoder.h"

#include <QBuffer>
#include <QImageWriter>

namespace {
const char* writerFormat(ImageFormat format) {
    switch (format) {
        case ImageFormat::Bmp:
            return "bmp";
        case ImageFormat::Jpeg:
            return "jpeg";
        case ImageFormat::Tiff:
            return "tiff";
        case ImageFormat::Png:
            return "png";
        case ImageFormat::Gif:
            break;
    }
    return nullptr;
}
}  // namespace

bool QtImageEncoder::encode(const PixelView& image, ImageFormat format,
                            std::vector<std::uint8_t>& out) {
    const char* name = writerFormat(format);
    if (!name || image.empty()) {
        return false;
    }
    const QImage view(reinterpret_cast<const uchar*>(image.pixels), image.width, image.height,
                      static_cast<qsizetype>(image.stride) * 4, QImage::Format_RGB32);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, name);
    if (!writer.write(view)) {
        return false;
    }
    const QByteArray& bytes = buffer.data();
    out.assign(bytes.begin(), bytes.end());
    return true;
}

PixelView pixelViewOf(const QImage& image) {
    if (image.isNull() || image.depth() != 32) {
        return {};
    }
    return {reinterpret_cast<const std::uint32_t*>(image.constBits()), image.width(),
            image.height(), static_cast<int>(image.bytesPerLine() / 4)};
}
