#include "display/WaterfallImage.h"

#include <algorithm>
#include <cstring>

bool WaterfallImage::resize(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxDimension || height > kMaxDimension) {
        return false;
    }
    width_ = static_cast<std::size_t>(width);
    height_ = static_cast<std::size_t>(height);
    pixels_.assign(width_ * height_, 0);
    records_.assign(height_, RowRecord{});
    repetition_.assign(height_, 0);
    head_ = 0;
    repetitionHead_ = 0;
    linesOnScreen_ = 0;
    totalLines_ = 0;
    markAllChanged();
    return true;
}

std::size_t WaterfallImage::physical(int y) const {
    std::size_t i = head_ + static_cast<std::size_t>(y);
    return i >= height_ ? i - height_ : i;
}

const std::uint8_t* WaterfallImage::row(int y) const {
    if (y < 0 || static_cast<std::size_t>(y) >= height_) {
        return nullptr;
    }
    return pixels_.data() + physical(y) * width_;
}

std::uint8_t* WaterfallImage::row(int y) {
    return const_cast<std::uint8_t*>(static_cast<const WaterfallImage&>(*this).row(y));
}

const RowRecord* WaterfallImage::record(int y) const {
    if (y < 0 || static_cast<std::size_t>(y) >= height_) {
        return nullptr;
    }
    return &records_[physical(y)];
}

RowRecord* WaterfallImage::record(int y) {
    return const_cast<RowRecord*>(static_cast<const WaterfallImage&>(*this).record(y));
}

int WaterfallImage::repetition(int y) const {
    if (y < 0 || static_cast<std::size_t>(y) >= height_) {
        return 0;
    }
    std::size_t i = repetitionHead_ + static_cast<std::size_t>(y);
    return repetition_[i >= height_ ? i - height_ : i];
}

void WaterfallImage::clear() {
    std::fill(pixels_.begin(), pixels_.end(), 0);
    std::fill(records_.begin(), records_.end(), RowRecord{});
    std::fill(repetition_.begin(), repetition_.end(), 0);
    linesOnScreen_ = 0;
    totalLines_ = 0;
    markAllChanged();
}

void WaterfallImage::clearPixels() {
    std::fill(pixels_.begin(), pixels_.end(), 0);
    markAllChanged();
}

void WaterfallImage::fillRow(int y, std::uint8_t value) {
    if (std::uint8_t* r = row(y)) {
        std::memset(r, value, width_);
        markAllChanged();
    }
}

void WaterfallImage::scrollIn(int t, std::uint8_t sideLayout) {
    if (height_ == 0 || t < 0) {
        return;
    }
    RowRecord& staging = records_[head_];
    staging.sideLayout = sideLayout;
    staging.marker = 1;
    linesOnScreen_ =
        std::min<std::uint64_t>(linesOnScreen_ + static_cast<std::uint64_t>(t), height_);
    totalLines_ += static_cast<std::uint64_t>(t);

    const std::size_t shift = std::min(static_cast<std::size_t>(t), height_ - 1);
    if (shift == 0) {
        return;
    }
    head_ = (head_ + height_ - shift) % height_;
    scrolled_ += shift;
    // Logical row `shift` now holds the ping; the rows above it repeat it unmarked, and the
    // staging row keeps a marked copy.
    const std::uint8_t* src = row(static_cast<int>(shift));
    const RowRecord& srcRecord = *record(static_cast<int>(shift));
    for (std::size_t y = 0; y < shift; ++y) {
        const int ly = static_cast<int>(y);
        std::memcpy(row(ly), src, width_);
        RowRecord& dst = *record(ly);
        dst = srcRecord;
        dst.marker = y == 0 ? 1 : 0;
    }
}

void WaterfallImage::pushRepetition(int t) {
    if (height_ == 0) {
        return;
    }
    const auto value = static_cast<std::uint8_t>(std::clamp(t, 0, kMaxRepetition));
    const std::size_t newest = repetitionHead_;
    repetition_[newest] = value;
    repetitionHead_ = (repetitionHead_ + height_ - 1) % height_;
    repetition_[repetitionHead_] = value;
}

int WaterfallImage::rowsChangedSince(const Stamp& seen) const {
    if (seen.epoch != epoch_ || seen.scrolled > scrolled_) {
        return height();
    }
    const std::uint64_t rows = scrolled_ - seen.scrolled + 1;  // the staging row always
    return static_cast<int>(std::min<std::uint64_t>(rows, height_));
}
