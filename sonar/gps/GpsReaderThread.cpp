#include "gps/GpsReaderThread.h"

#include "gps/GpsReader.h"

GpsReaderThread::GpsReaderThread(GpsReader& reader, std::function<std::uint32_t()> nowMs,
                                 std::function<void()> onDone)
    : reader_(reader),
      nowMs_(std::move(nowMs)),
      onDone_(std::move(onDone)),
      thread_([this](std::stop_token stop) { run(stop); }) {}

GpsReaderThread::~GpsReaderThread() {
    thread_.request_stop();
    wake_.notify_all();
    // jthread joins on destruction.
}

void GpsReaderThread::requestRead() {
    {
        std::lock_guard lock(mutex_);
        requested_ = true;
    }
    wake_.notify_one();
}

void GpsReaderThread::run(std::stop_token stop) {
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, stop, [this] { return requested_; })) {
                return;  // stop requested
            }
            requested_ = false;
        }
        reader_.tick(nowMs_());
        if (stop.stop_requested()) {
            return;
        }
        onDone_();
    }
}
