#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

class GpsReader;

// The reader's own thread. It does nothing of its own accord: each read request runs one read
// tick, after which onDone is called (on this thread; the caller posts it to its own). At most
// one request is outstanding, since the requester waits for onDone before asking again. The
// destructor stops the thread and joins it.
class GpsReaderThread {
  public:
    GpsReaderThread(GpsReader& reader, std::function<std::uint32_t()> nowMs,
                    std::function<void()> onDone);
    ~GpsReaderThread();
    GpsReaderThread(const GpsReaderThread&) = delete;
    GpsReaderThread& operator=(const GpsReaderThread&) = delete;

    void requestRead();

  private:
    void run(std::stop_token stop);

    GpsReader& reader_;
    std::function<std::uint32_t()> nowMs_;
    std::function<void()> onDone_;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    bool requested_ = false;
    std::jthread thread_;  // last: started once everything above exists, stopped first
};
