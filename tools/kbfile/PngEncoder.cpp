#include "kbfile/PngEncoder.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace kbfile {
namespace {
constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kLevel = 1;
constexpr int kMemLevel = 8;
constexpr int kMaxWindowBits = 15;
// Up to this many bytes of filtered rows, the window shrinks to fit the picture.
constexpr std::size_t kSmallPicture = 16384;
// zlib needs this much more window than the data to see all of it.
constexpr std::size_t kWindowSlack = 262;
constexpr std::uint32_t kDotsPerMetre = 3937;  // 100 dpi
constexpr std::uint8_t kFilterNone = 0;

void put32(std::uint8_t* at, std::uint32_t v) {
    at[0] = static_cast<std::uint8_t>(v >> 24);
    at[1] = static_cast<std::uint8_t>(v >> 16);
    at[2] = static_cast<std::uint8_t>(v >> 8);
    at[3] = static_cast<std::uint8_t>(v);
}

void appendChunk(std::vector<std::uint8_t>& out, const char (&type)[5], const std::uint8_t* data,
                 std::size_t n) {
    const std::size_t at = out.size();
    out.resize(at + 12 + n);
    put32(out.data() + at, static_cast<std::uint32_t>(n));
    std::memcpy(out.data() + at + 4, type, 4);
    if (n > 0) {
        std::memcpy(out.data() + at + 8, data, n);
    }
    const uLong crc =
        ::crc32(::crc32(0L, nullptr, 0), out.data() + at + 4, static_cast<uInt>(n + 4));
    put32(out.data() + at + 8 + n, static_cast<std::uint32_t>(crc));
}

// The window the compressor is started with for a picture of size bytes (0: large).
int windowBitsFor(std::size_t size) {
    int bits = kMaxWindowBits;
    if (size > 0 && size <= kSmallPicture) {
        std::size_t half = std::size_t{1} << (bits - 1);
        while (size + kWindowSlack <= half) {
            half >>= 1;
            --bits;
        }
    }
    return bits;
}

// The stream header may state an even smaller window than the compressor used, as long as the
// whole picture fits in it; the check bits are made anew.
void shrinkStatedWindow(std::uint8_t* stream, std::size_t size) {
    unsigned cmf = stream[0];
    if (size == 0 || size > kSmallPicture || (cmf & 0x0f) != 8 || (cmf & 0xf0) > 0x70) {
        return;
    }
    unsigned info = cmf >> 4;
    unsigned half = 1u << (info + 7);
    if (size > half) {
        return;
    }
    do {
        half >>= 1;
        --info;
    } while (info > 0 && size <= half);
    cmf = (cmf & 0x0f) | (info << 4);
    stream[0] = static_cast<std::uint8_t>(cmf);
    unsigned flg = stream[1] & 0xe0;
    flg += 0x1f - ((cmf << 8) + flg) % 0x1f;
    stream[1] = static_cast<std::uint8_t>(flg);
}
}  // namespace

PngEncoder::PngEncoder(std::uint32_t width, const ColourTables::Table& palette)
    : width_(width), palette_(palette) {}

PngEncoder::~PngEncoder() {
    if (streaming_) {
        ::deflateEnd(&zs_);
    }
}

std::array<std::uint8_t, PngEncoder::kHeaderBytes> PngEncoder::header() const {
    std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));
    std::uint8_t ihdr[13] = {};
    put32(ihdr, width_);
    put32(ihdr + 4, rows_);
    ihdr[8] = 8;  // bits per index
    ihdr[9] = 3;  // palette colour
    appendChunk(out, "IHDR", ihdr, sizeof ihdr);
    std::array<std::uint8_t, kHeaderBytes> bytes{};
    std::copy_n(out.begin(), kHeaderBytes, bytes.begin());
    return bytes;
}

void PngEncoder::begin(std::vector<std::uint8_t>& out) {
    const std::array<std::uint8_t, kHeaderBytes> head = header();
    out.insert(out.end(), head.begin(), head.end());
    std::uint8_t plte[3 * ColourTables::kEntries];
    for (int i = 0; i < ColourTables::kEntries; ++i) {
        plte[3 * i] = palette_[i].r;
        plte[3 * i + 1] = palette_[i].g;
        plte[3 * i + 2] = palette_[i].b;
    }
    appendChunk(out, "PLTE", plte, sizeof plte);
    std::uint8_t phys[9] = {};
    put32(phys, kDotsPerMetre);
    put32(phys + 4, kDotsPerMetre);
    phys[8] = 1;  // per metre
    appendChunk(out, "pHYs", phys, sizeof phys);
}

bool PngEncoder::addRows(const std::uint8_t* rows, std::size_t count,
                         std::vector<std::uint8_t>& out) {
    std::vector<std::uint8_t>& into = streaming_ ? staged_ : held_;
    if (streaming_) {
        staged_.clear();
    }
    for (std::size_t y = 0; y < count; ++y) {
        into.push_back(kFilterNone);
        into.insert(into.end(), rows + y * width_, rows + (y + 1) * width_);
    }
    rows_ += static_cast<std::uint32_t>(count);
    if (streaming_) {
        return deflateSome(staged_.data(), staged_.size(), Z_NO_FLUSH, out);
    }
    if (held_.size() <= kSmallPicture) {
        return true;
    }
    if (!startStream()) {
        return false;
    }
    const bool ok = deflateSome(held_.data(), held_.size(), Z_NO_FLUSH, out);
    held_ = {};
    return ok;
}

bool PngEncoder::finish(std::vector<std::uint8_t>& out) {
    bool ok = true;
    if (!streaming_) {
        ok = startStream() && deflateSome(held_.data(), held_.size(), Z_FINISH, out);
        held_ = {};
    } else {
        ok = deflateSome(nullptr, 0, Z_FINISH, out);
    }
    if (ok) {
        appendChunk(out, "IEND", nullptr, 0);
    }
    return ok;
}

bool PngEncoder::startStream() {
    const std::size_t size = held_.size() <= kSmallPicture ? held_.size() : 0;
    if (::deflateInit2(&zs_, kLevel, Z_DEFLATED, windowBitsFor(size), kMemLevel,
                       Z_DEFAULT_STRATEGY) != Z_OK) {
        return false;
    }
    streaming_ = true;
    zs_.next_out = chunk_.data();
    zs_.avail_out = static_cast<uInt>(chunk_.size());
    return true;
}

bool PngEncoder::deflateSome(const std::uint8_t* data, std::size_t n, int flush,
                             std::vector<std::uint8_t>& out) {
    for (;;) {
        if (zs_.avail_in == 0 && n > 0) {
            const std::size_t piece = std::min<std::size_t>(n, UINT_MAX);
            zs_.next_in = const_cast<Bytef*>(data);
            zs_.avail_in = static_cast<uInt>(piece);
            data += piece;
            n -= piece;
        }
        const int ret = ::deflate(&zs_, n > 0 ? Z_NO_FLUSH : flush);
        if (ret == Z_STREAM_ERROR) {
            return false;
        }
        if (zs_.avail_out == 0) {
            emitChunk(out);
        }
        if (ret == Z_STREAM_END) {
            emitChunk(out);
            ::deflateEnd(&zs_);
            streaming_ = false;
            return true;
        }
        if (flush == Z_NO_FLUSH && zs_.avail_in == 0 && n == 0) {
            return true;
        }
    }
}

// Writes what the chunk buffer holds as one data chunk; a full buffer always makes one.
void PngEncoder::emitChunk(std::vector<std::uint8_t>& out) {
    const std::size_t filled = chunk_.size() - zs_.avail_out;
    if (filled == 0) {
        return;
    }
    if (!chunkWritten_) {
        const std::size_t size = rows_ * (std::size_t{width_} + 1);
        shrinkStatedWindow(chunk_.data(), size);
        chunkWritten_ = true;
    }
    appendChunk(out, "IDAT", chunk_.data(), filled);
    zs_.next_out = chunk_.data();
    zs_.avail_out = static_cast<uInt>(chunk_.size());
}

std::vector<std::uint8_t> PngEncoder::encode(const std::uint8_t* indices, std::uint32_t width,
                                             std::uint32_t height,
                                             const ColourTables::Table& palette) {
    PngEncoder encoder(width, palette);
    std::vector<std::uint8_t> out;
    encoder.begin(out);
    if (!encoder.addRows(indices, height, out) || !encoder.finish(out)) {
        return {};
    }
    const std::array<std::uint8_t, kHeaderBytes> head = encoder.header();
    std::copy(head.begin(), head.end(), out.begin());
    return out;
}

}  // namespace kbfile
