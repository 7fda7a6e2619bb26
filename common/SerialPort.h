#pragma once

#include <string>

#include "common/ByteStream.h"

// The line settings of a serial port, in the codes the settings files keep.
struct SerialLineSettings {
    int baudRate = 4800;
    int dataBits = 8;  // 5..8
    int stopBits = 0;  // 0 one, 1 one and a half, 2 two
    int parity = 0;    // 0 none, 1 even, 2 odd, 3 mark, 4 space
    int flow = 0;      // bit 0: clear-to-send output flow control
    bool operator==(const SerialLineSettings&) const = default;
};

// A serial device (or pseudo-terminal) opened exclusively, read without blocking.
class SerialPort : public ByteStream {
  public:
    enum class OpenResult {
        Ok,
        Unavailable,     // no such device, or another program holds it
        SettingsFailed,  // open, but the driver refused the settings: it keeps its old ones
    };

    explicit SerialPort(std::string device) : device_(std::move(device)) {}
    ~SerialPort() override { close(); }
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    OpenResult open(const SerialLineSettings& settings);
    std::ptrdiff_t read(std::uint8_t* buffer, std::size_t max) override;
    bool write(const std::uint8_t* data, std::size_t len) override;

    // A new line rate on the open port; the other settings stay.
    bool setBaudRate(int baudRate);
    // Holds DTR and RTS on. False where the device has no modem lines (a pseudo-terminal).
    bool raiseModemLines();
    // Writes as much as the device takes within `timeoutMs`; the count written.
    std::size_t writeWithin(const std::uint8_t* data, std::size_t len, int timeoutMs);

    enum class Readiness {
        Data,    // bytes are waiting
        Quiet,   // nothing came within the time
        Broken,  // the device went away (unplugged, or the other end of a pseudo-terminal closed)
    };
    // Sleeps until bytes arrive, at most `timeoutMs`.
    Readiness waitReadable(int timeoutMs);
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }
    const std::string& device() const { return device_; }

    // Opens and closes at once: whether the device exists and nobody holds it.
    static bool probe(const std::string& device);

  private:
    bool apply(const SerialLineSettings& settings);

    std::string device_;
    int fd_ = -1;
};
