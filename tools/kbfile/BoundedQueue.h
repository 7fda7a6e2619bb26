#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

namespace kbfile {

// A first-in first-out hand-over between two threads that holds at most capacity items, so a
// fast producer waits for a slow consumer instead of filling memory. Either side may cancel:
// the other side's waits end at once and everything still queued is dropped.
template <class T>
class BoundedQueue {
  public:
    explicit BoundedQueue(std::size_t capacity) : capacity_(capacity > 0 ? capacity : 1) {}

    // Waits for room; false (item dropped) once the queue was cancelled.
    bool push(T item) {
        std::unique_lock lock(mutex_);
        notFull_.wait(lock, [&] { return cancelled_ || items_.size() < capacity_; });
        if (cancelled_) {
            return false;
        }
        items_.push_back(std::move(item));
        notEmpty_.notify_one();
        return true;
    }

    // Waits for an item; nothing once the queue was cancelled.
    std::optional<T> pop() {
        std::unique_lock lock(mutex_);
        notEmpty_.wait(lock, [&] { return cancelled_ || !items_.empty(); });
        if (cancelled_) {
            return std::nullopt;
        }
        std::optional<T> item(std::move(items_.front()));
        items_.pop_front();
        notFull_.notify_one();
        return item;
    }

    void cancel() {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        items_.clear();
        notFull_.notify_all();
        notEmpty_.notify_all();
    }

    bool cancelled() const {
        std::lock_guard lock(mutex_);
        return cancelled_;
    }

  private:
    const std::size_t capacity_;
    mutable std::mutex mutex_;
    std::condition_variable notFull_;
    std::condition_variable notEmpty_;
    std::deque<T> items_;
    bool cancelled_ = false;
};

}  // namespace kbfile
