#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "sensorcfg/SensorPorts.h"

class SerialPort;

// The sensor link on a real serial device (or a pseudo-terminal): the shared SerialPort at 8N1
// without flow control, DTR and RTS on, and a reader thread of its own. The reader cuts what
// arrives into lines and queues them; `wake` (called on the reader thread) tells the
// user-interface thread to call deliverPending, which hands the queued lines to the sink there,
// in order. A reader that finds the device gone queues the loss after the last line.
class SerialSensorLink : public SensorLink {
  public:
    // The device path of a "COM<n>" port number; empty when the number maps to nothing.
    using DeviceResolver = std::function<std::string(int portNumber)>;
    static constexpr int kWriteTimeoutMs = 1000;

    SerialSensorLink(DeviceResolver resolve, std::function<void()> wake);
    ~SerialSensorLink() override;
    SerialSensorLink(const SerialSensorLink&) = delete;
    SerialSensorLink& operator=(const SerialSensorLink&) = delete;

    void setSink(SensorLinkSink* sink) override { sink_ = sink; }
    bool open(int portNumber, int baudRate) override;
    bool setBaudRate(int baudRate) override;
    std::size_t write(const std::string& bytes) override;
    void close() override;
    bool isOpen() const override;
    void deliverPending() override;

    // The device of the open port, empty when none.
    std::string device() const;

  private:
    struct Item {
        bool lost = false;
        std::string line;
    };
    void read(std::stop_token stop);
    void push(Item item);

    DeviceResolver resolve_;
    std::function<void()> wake_;
    SensorLinkSink* sink_ = nullptr;
    std::unique_ptr<SerialPort> port_;
    std::mutex mutex_;
    std::deque<Item> queue_;
    std::jthread reader_;
};
