// The PNG writer read back by zlib and a plain chunk walk: valid chunks, the rows that went in,
// and the same bytes however the rows are handed over.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include "kbfile/PngEncoder.h"

namespace {
using kbfile::PngEncoder;

struct Chunk {
    std::string type;
    std::vector<std::uint8_t> data;
};

std::uint32_t be32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The chunks of a file, each checked against its CRC.
std::vector<Chunk> chunksOf(const std::vector<std::uint8_t>& file) {
    std::vector<Chunk> chunks;
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        const std::uint32_t n = be32(&file[at]);
        EXPECT_LE(at + 12 + n, file.size());
        if (at + 12 + n > file.size()) {
            break;
        }
        const uLong crc = crc32(0L, &file[at + 4], n + 4);
        EXPECT_EQ(be32(&file[at + 8 + n]), crc) << "chunk at " << at;
        chunks.push_back(
            {std::string(file.begin() + at + 4, file.begin() + at + 8),
             std::vector<std::uint8_t>(file.begin() + at + 8, file.begin() + at + 8 + n)});
        at += 12 + n;
    }
    EXPECT_EQ(at, file.size());
    return chunks;
}

std::vector<std::uint8_t> inflateAll(const std::vector<std::uint8_t>& stream) {
    std::vector<std::uint8_t> out(1 << 20);
    uLongf n = out.size();
    EXPECT_EQ(uncompress(out.data(), &n, stream.data(), stream.size()), Z_OK);
    out.resize(n);
    return out;
}

std::vector<std::uint8_t> noise(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<std::uint8_t> v(n);
    for (std::uint8_t& b : v) {
        b = static_cast<std::uint8_t>(gen() % 7 == 0 ? gen() : 40);
    }
    return v;
}

ColourTables::Table palette() {
    ColourTables::Table t{};
    for (int i = 0; i < 256; ++i) {
        t[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7};
    }
    return t;
}

// Heights either side of the size up to which the compression window shrinks with the picture
// (rows of 101 bytes: 162 rows fit in 16384 bytes), and pictures of many data chunks.
TEST(PngEncoder, ReadsBackAsTheRowsThatWentIn) {
    for (const auto& [width, height] : std::vector<std::pair<std::uint32_t, std::uint32_t>>{
             {4, 1}, {100, 9}, {100, 162}, {100, 163}, {1024, 300}, {16384, 3}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const std::vector<std::uint8_t> pixels = noise(std::size_t{width} * height, width + height);
        const std::vector<std::uint8_t> file =
            PngEncoder::encode(pixels.data(), width, height, palette());
        ASSERT_GT(file.size(), 8u);
        EXPECT_EQ(be32(&file[0]), 0x89504E47u);
        const std::vector<Chunk> chunks = chunksOf(file);
        ASSERT_GE(chunks.size(), 5u);
        EXPECT_EQ(chunks[0].type, "IHDR");
        EXPECT_EQ(be32(&chunks[0].data[0]), width);
        EXPECT_EQ(be32(&chunks[0].data[4]), height);
        EXPECT_EQ(chunks[0].data[8], 8);  // bits
        EXPECT_EQ(chunks[0].data[9], 3);  // palette colour
        EXPECT_EQ(chunks[1].type, "PLTE");
        ASSERT_EQ(chunks[1].data.size(), 768u);
        EXPECT_EQ(chunks[1].data[3 * 200 + 1], 55);
        EXPECT_EQ(chunks.back().type, "IEND");
        std::vector<std::uint8_t> stream;
        for (std::size_t i = 2; i + 1 < chunks.size(); ++i) {
            if (chunks[i].type == "IDAT") {
                // Every data chunk but the last is full.
                if (chunks[i + 1].type == "IDAT") {
                    EXPECT_EQ(chunks[i].data.size(), PngEncoder::kChunkBytes);
                }
                stream.insert(stream.end(), chunks[i].data.begin(), chunks[i].data.end());
            }
        }
        // The window the header states covers the picture.
        const std::size_t window = std::size_t{1} << ((stream[0] >> 4) + 8);
        EXPECT_GE(window, std::min<std::size_t>(32768, std::size_t{width + 1} * height));
        const std::vector<std::uint8_t> raw = inflateAll(stream);
        ASSERT_EQ(raw.size(), std::size_t{width + 1} * height);
        for (std::uint32_t y = 0; y < height; ++y) {
            ASSERT_EQ(raw[y * (width + 1)], 0) << "filter of row " << y;
            ASSERT_TRUE(std::equal(pixels.begin() + y * width, pixels.begin() + (y + 1) * width,
                                   raw.begin() + y * (width + 1) + 1))
                << "row " << y;
        }
    }
}

// Rows handed over in batches of any size, the header rewritten at the end, give the bytes of
// the picture written in one go.
TEST(PngEncoder, BatchesOfAnySizeGiveTheSameFile) {
    for (const auto& [width, height] :
         std::vector<std::pair<std::uint32_t, std::uint32_t>>{{100, 9}, {100, 170}, {512, 400}}) {
        const std::vector<std::uint8_t> pixels = noise(std::size_t{width} * height, 3);
        const std::vector<std::uint8_t> whole =
            PngEncoder::encode(pixels.data(), width, height, palette());
        std::mt19937 gen(width);
        PngEncoder encoder(width, palette());
        std::vector<std::uint8_t> file;
        encoder.begin(file);
        for (std::uint32_t y = 0; y < height;) {
            const std::uint32_t n = std::min<std::uint32_t>(height - y, 1 + gen() % 40);
            ASSERT_TRUE(encoder.addRows(pixels.data() + std::size_t{y} * width, n, file));
            y += n;
        }
        ASSERT_TRUE(encoder.finish(file));
        const auto head = encoder.header();
        std::copy(head.begin(), head.end(), file.begin());
        EXPECT_TRUE(file == whole) << width << "x" << height;
    }
}

}  // namespace
