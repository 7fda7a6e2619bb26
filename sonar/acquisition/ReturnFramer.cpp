#include "acquisition/ReturnFramer.h"

void ReturnFramer::setReturnLength(std::size_t len) {
    returnLength_ = len;
    clear();
}

void ReturnFramer::append(const std::uint8_t* data, std::size_t len) {
    // Drop what was consumed before growing, so the buffer stays about one return long.
    if (readPos_ > 0) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(readPos_));
        readPos_ = 0;
    }
    buffer_.insert(buffer_.end(), data, data + len);
}

const std::uint8_t* ReturnFramer::next() {
    if (returnLength_ == 0 || pending() < returnLength_) {
        return nullptr;
    }
    const std::uint8_t* ret = buffer_.data() + readPos_;
    readPos_ += returnLength_;
    return ret;
}

std::size_t ReturnFramer::discardPending() {
    const std::size_t dropped = pending();
    buffer_.resize(readPos_);
    return dropped;
}

void ReturnFramer::clear() {
    buffer_.clear();
    readPos_ = 0;
}
