#include "display/imagesave/GifEncoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace {
constexpr int kMaxGifSide = 65535;
constexpr int kColourResolution = 8;
// Only this many of the most frequent colours compete for the palette; the rest of a picture
// with more colours (a photograph, never the view) is mapped to the nearest winner.
constexpr std::size_t kCandidates = 4096;

struct Candidate {
    std::uint32_t colour = 0;
    std::uint32_t count = 0;
    double cost = 0.0;
};

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

// Shrinks the candidates to the palette size, see chooseColours.
void mergeCheapest(std::vector<Candidate>& all) {
    const std::size_t n = all.size();
    std::vector<bool> alive(n, true);
    std::vector<std::size_t> nearestOf(n, 0);
    std::vector<double> weight(n);
    auto findNearest = [&](std::size_t i) {
        int best = std::numeric_limits<int>::max();
        for (std::size_t j = 0; j < n; ++j) {
            if (j != i && alive[j]) {
                const int d = channelDistance(all[i].colour, all[j].colour);
                if (d < best) {
                    best = d;
                    nearestOf[i] = j;
                }
            }
        }
        all[i].cost = weight[i] * best;
    };
    for (std::size_t i = 0; i < n; ++i) {
        weight[i] = all[i].count;
    }
    for (std::size_t i = 0; i < n; ++i) {
        findNearest(i);
    }
    for (std::size_t left = n; left > kGifMaxColours; --left) {
        std::size_t cheapest = n;
        for (std::size_t i = 0; i < n; ++i) {
            if (alive[i] && (cheapest == n || all[i].cost < all[cheapest].cost)) {
                cheapest = i;
            }
        }
        alive[cheapest] = false;
        const std::size_t heir = nearestOf[cheapest];
        weight[heir] += weight[cheapest];
        for (std::size_t j = 0; j < n; ++j) {
            if (alive[j] && (j == heir || nearestOf[j] == cheapest)) {
                findNearest(j);
            }
        }
    }
    std::vector<Candidate> kept;
    for (std::size_t i = 0; i < n; ++i) {
        if (alive[i]) {
            kept.push_back(all[i]);
        }
    }
    all = std::move(kept);
}

int writeToVector(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

// The colours of the palette: all of them when they fit. Otherwise the cheapest colour to lose
// (pixel count times squared distance to its nearest) is merged into its nearest, which takes
// over its pixels, until 256 are left; so a run of neighbouring levels never drifts far.
std::vector<std::uint32_t> chooseColours(
    const std::unordered_map<std::uint32_t, std::uint32_t>& counts) {
    std::vector<Candidate> all;
    all.reserve(counts.size());
    for (const auto& [colour, count] : counts) {
        all.push_back({colour, count, 0.0});
    }
    // The colour itself breaks ties, so the palette never depends on the hash order.
    std::sort(all.begin(), all.end(), [](const Candidate& a, const Candidate& b) {
        return a.count != b.count ? a.count > b.count : a.colour < b.colour;
    });
    if (all.size() > kGifMaxColours) {
        all.resize(std::min(all.size(), kCandidates));
        mergeCheapest(all);
    }
    std::vector<std::uint32_t> colours;
    for (const Candidate& c : all) {
        colours.push_back(c.colour);
    }
    return colours;
}
}  // namespace

GifPalette gifPaletteFor(const PixelView& image) {
    GifPalette result;
    if (image.empty()) {
        return result;
    }
    const auto counts = countColours(image);
    result.exact = counts.size() <= kGifMaxColours;
    result.colours = chooseColours(counts);
    std::unordered_map<std::uint32_t, std::uint8_t> indexOf;
    for (std::size_t i = 0; i < result.colours.size(); ++i) {
        indexOf[result.colours[i]] = static_cast<std::uint8_t>(i);
    }
    for (const auto& [colour, count] : counts) {
        if (indexOf.find(colour) == indexOf.end()) {
            indexOf[colour] = nearest(colour, result.colours);
        }
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
