#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// TCP is a byte stream: a return may arrive in pieces and several may arrive in one read.
// The framer keeps bytes until a whole return is there and hands out complete ones in order.
class ReturnFramer {
  public:
    explicit ReturnFramer(std::size_t returnLength) : returnLength_(returnLength) {}

    void setReturnLength(std::size_t len);
    void append(const std::uint8_t* data, std::size_t len);
    // The next complete return, or nullptr. The pointer stays valid until the next call.
    const std::uint8_t* next();
    bool hasReturn() const { return returnLength_ != 0 && pending() >= returnLength_; }
    // Drops the bytes after the return last handed out (it stays valid); how many there were.
    std::size_t discardPending();
    void clear();
    std::size_t pending() const { return buffer_.size() - readPos_; }

  private:
    std::size_t returnLength_;
    std::vector<std::uint8_t> buffer_;
    std::size_t readPos_ = 0;
};
