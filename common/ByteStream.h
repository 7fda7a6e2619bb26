#pragma once

#include <cstddef>
#include <cstdint>

// One small byte-stream interface for every device a program reads: a serial port, a network
// feed, a pseudo-terminal or a test's in-memory source. Readers built on it treat recorded and
// live data alike.
class ByteStream {
  public:
    virtual ~ByteStream() = default;
    // Whatever is buffered now, at most max bytes, without waiting. 0 when nothing is there;
    // -1 when the stream is broken (a device unplugged, a connection closed).
    virtual std::ptrdiff_t read(std::uint8_t* buffer, std::size_t max) = 0;
    // True when all bytes were written.
    virtual bool write(const std::uint8_t* data, std::size_t len) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
};
