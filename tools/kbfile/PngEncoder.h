#pragma once

#include <zlib.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "display/ColourTables.h"

namespace kbfile {

// Writes an 8-bit palette PNG row by row, with the chunks, compression and chunk sizes of the
// Qt writer kbfile used before (zlib level 1, unfiltered rows, 8192-byte data chunks, 100 dpi),
// so pictures keep their exact bytes. The height is not needed up front: the header is written
// with height 0 and rewritten from header() once the last row is in.
class PngEncoder {
  public:
    // Signature and header chunk: the bytes header() gives.
    static constexpr std::size_t kHeaderBytes = 33;
    // Compressed bytes per data chunk.
    static constexpr std::size_t kChunkBytes = 8192;

    PngEncoder(std::uint32_t width, const ColourTables::Table& palette);
    ~PngEncoder();
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;

    // Appends the signature, the header (height 0), the palette and the resolution.
    void begin(std::vector<std::uint8_t>& out);
    // Appends the compressed bytes of count rows of width() palette indices each, as far as
    // they are ready. False when the compressor failed.
    bool addRows(const std::uint8_t* rows, std::size_t count, std::vector<std::uint8_t>& out);
    // Appends the rest of the picture and the end chunk. False when the compressor failed.
    bool finish(std::vector<std::uint8_t>& out);

    std::uint32_t width() const { return width_; }
    std::uint32_t rows() const { return rows_; }
    // The signature and header chunk of a picture of rows() rows, for the start of the file.
    std::array<std::uint8_t, kHeaderBytes> header() const;

    // The whole file of a picture in one go: width times height indices, row after row.
    static std::vector<std::uint8_t> encode(const std::uint8_t* indices, std::uint32_t width,
                                            std::uint32_t height,
                                            const ColourTables::Table& palette);

  private:
    bool startStream();
    bool deflateSome(const std::uint8_t* data, std::size_t n, int flush,
                     std::vector<std::uint8_t>& out);
    void emitChunk(std::vector<std::uint8_t>& out);

    std::uint32_t width_;
    ColourTables::Table palette_;
    std::uint32_t rows_ = 0;
    z_stream zs_{};
    bool streaming_ = false;
    bool chunkWritten_ = false;
    // Rows (each after its filter byte) held back until the picture is known to be larger than
    // the size below which the compression window shrinks with it.
    std::vector<std::uint8_t> held_;
    std::vector<std::uint8_t> staged_;
    std::array<std::uint8_t, kChunkBytes> chunk_{};
};

}  // namespace kbfile
