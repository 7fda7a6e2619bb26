#pragma once

#include <QFont>
#include <algorithm>
#include <array>

// The view's Arial fonts by pixel size, made once. Texts are drawn without antialiasing, like the
// rest of the overlay, so a picture of the view holds only the palette's and the overlay's own
// colours (and a GIF of it keeps them exactly).
class ViewFonts {
  public:
    QFont& font(int pixels) {
        const std::size_t i = static_cast<std::size_t>(std::clamp(pixels, 1, kLargest));
        if (fonts_[i].pixelSize() != static_cast<int>(i)) {
            fonts_[i] = QFont(QStringLiteral("Arial"));
            fonts_[i].setPixelSize(static_cast<int>(i));
            fonts_[i].setStyleStrategy(QFont::NoAntialias);
        }
        return fonts_[i];
    }

  private:
    static constexpr int kLargest = 31;
    std::array<QFont, kLargest + 1> fonts_;
};
