#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "common/ByteStream.h"

// A gpsd daemon as a source of raw NMEA: a TCP connection that asks gpsd to pass on the
// sentences of its receivers. gpsd's own JSON reports arrive too; the sentence cutter ignores
// them like any other text that is not a sentence. A lost connection is retried every few
// seconds from read(), so restarting gpsd does not need the dialog.
class GpsdStream : public ByteStream {
  public:
    static constexpr int kDefaultPort = 2947;
    static constexpr const char* kDefaultHost = "localhost";
    static constexpr const char* kWatchCommand = "?WATCH={\"enable\":true,\"nmea\":true}\n";
    static constexpr std::chrono::milliseconds kConnectTimeout{2000};
    static constexpr std::chrono::milliseconds kRetryInterval{3000};

    GpsdStream(std::string host, int port) : host_(std::move(host)), port_(port) {}
    ~GpsdStream() override { close(); }
    GpsdStream(const GpsdStream&) = delete;
    GpsdStream& operator=(const GpsdStream&) = delete;

    // Connects and sends the watch request; false when gpsd cannot be reached.
    bool open();
    std::ptrdiff_t read(std::uint8_t* buffer, std::size_t max) override;
    bool write(const std::uint8_t* data, std::size_t len) override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }

  private:
    std::string host_;
    int port_;
    int fd_ = -1;
    std::chrono::steady_clock::time_point lastAttempt_{};
};
