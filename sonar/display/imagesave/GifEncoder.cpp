#include "display/imagesave/GifEncoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace {
constexpr int kMaxGifSide = 65535;
constexpr int kColourResolution = 8;

int channelDistance(std::uint32_t a, std::uint32_t b) {
    int sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d =
            static_cast<int>((a >> shift) & 0xFFu) - static_cast<int>((b >> shift) & 0xFFu);
        sum += d * d;
    }
    return sum;
}

std::uint8_t nearest(std::uint32_t colour, const std::vector<std::uint32_t>& palette) {
    int best = std::numeric_limits<int>::max();
    std::size_t bestIndex = 0;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int d = channelDistance(colour, palette[i]);
        if (d < best) {
            best = d;
            bestIndex = i;
        }
    }
    return static_cast<std::uint8_t>(bestIndex);
}

// Every distinct colour with its pixel count.
std::unordered_map<std::uint32_t, std::uint32_t> countColours(const PixelView& image) {
    std::unordered_map<std::uint32_t, std::uint32_t> counts;
    for (int y = 0; y < image.height; ++y) {
        std::uint32_t last = image.rgb(0, y);
        std::uint32_t run = 0;
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t c = image.rgb(x, y);
            if (c != last) {
                counts[last] += run;
                last = c;
                run = 0;
            }
            ++run;
        }
        counts[last] += run;
    }
    return counts;
}

int writeToVector(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}
}  // namespace

GifPalette gifPaletteFor(const PixelView& image) {
    GifPalette result;
    if (image.empty()) {
        return result;
    }
    const auto counts = countColours(image);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> byCount(counts.begin(), counts.end());
    // Most frequent first; the colour itself breaks ties so the palette does not depend on the
    // hash order.
    std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    const std::size_t kept = std::min(byCount.size(), kGifMaxColours);
    result.exact = byCount.size() <= kGifMaxColours;
    std::unordered_map<std::uint32_t, std::uint8_t> indexOf;
    for (std::size_t i = 0; i < kept; ++i) {
        result.colours.push_back(byCount[i].first);
        indexOf[byCount[i].first] = static_cast<std::uint8_t>(i);
    }
    for (std::size_t i = kept; i < byCount.size(); ++i) {
        indexOf[byCount[i].first] = nearest(byCount[i].first, result.colours);
    }
    result.indices.resize(static_cast<std::size_t>(image.width) * image.height);
    std::size_t k = 0;
    for (int y = 0; y < image.height; ++y) {
        std::uint32_t last = image.rgb(0, y);
        std::uint8_t lastIndex = indexOf[last];
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t c = image.rgb(x, y);
            if (c != last) {
                last = c;
                lastIndex = indexOf[c];
            }
            result.indices[k++] = lastIndex;
        }
    }
    return result;
}

std::optional<std::vector<std::uint8_t>> encodeGif(const PixelView& image) {
    if (image.empty() || image.width > kMaxGifSide || image.height > kMaxGifSide) {
        return std::nullopt;
    }
    GifPalette palette = gifPaletteFor(image);
    int mapSize = 2;
    while (mapSize < static_cast<int>(palette.colours.size())) {
        mapSize *= 2;
    }
    ColorMapObject* map = GifMakeMapObject(mapSize, nullptr);
    if (!map) {
        return std::nullopt;
    }
    for (int i = 0; i < mapSize; ++i) {
        const std::uint32_t c =
            i < static_cast<int>(palette.colours.size()) ? palette.colours[i] : 0u;
        map->Colors[i] = {static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                          static_cast<GifByteType>(c)};
    }
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeToVector, &error);
    bool ok = gif != nullptr;
    ok = ok &&
         EGifPutScreenDesc(gif, image.width, image.height, kColourResolution, 0, map) == GIF_OK;
    ok = ok && EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < image.height; ++y) {
        ok = EGifPutLine(gif, palette.indices.data() + static_cast<std::size_t>(y) * image.width,
                         image.width) == GIF_OK;
    }
    if (gif && EGifCloseFile(gif, &error) != GIF_OK) {
        ok = false;
    }
    GifFreeMapObject(map);
    if (!ok) {
        return std::nullopt;
    }
    return out;
}
