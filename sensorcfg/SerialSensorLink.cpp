#include "sensorcfg/SerialSensorLink.h"

#include "common/SerialPort.h"
#include "sensorcfg/LineAssembler.h"

namespace {
// How long the reader sleeps in one wait: the longest a close waits for it to notice.
constexpr int kReaderWaitMs = 50;
constexpr std::size_t kReadChunk = 1024;
}  // namespace

SerialSensorLink::SerialSensorLink(DeviceResolver resolve, std::function<void()> wake)
    : resolve_(std::move(resolve)), wake_(std::move(wake)) {}

SerialSensorLink::~SerialSensorLink() {
    sink_ = nullptr;
    close();
}

bool SerialSensorLink::open(int portNumber, int baudRate) {
    close();
    const std::string device = resolve_ ? resolve_(portNumber) : std::string();
    if (device.empty()) {
        return false;
    }
    auto port = std::make_unique<SerialPort>(device);
    SerialLineSettings settings;  // 8 data bits, no parity, one stop bit, no flow control
    settings.baudRate = baudRate;
    if (port->open(settings) != SerialPort::OpenResult::Ok) {
        return false;
    }
    port->raiseModemLines();  // a pseudo-terminal has none; nothing lost
    port_ = std::move(port);
    reader_ = std::jthread([this](std::stop_token stop) { read(stop); });
    return true;
}

bool SerialSensorLink::setBaudRate(int baudRate) {
    return port_ && port_->setBaudRate(baudRate);
}

std::size_t SerialSensorLink::write(const std::string& bytes) {
    if (!port_) {
        return 0;
    }
    return port_->writeWithin(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                              kWriteTimeoutMs);
}

void SerialSensorLink::close() {
    if (!port_) {
        return;
    }
    reader_.request_stop();
    if (reader_.joinable()) {
        reader_.join();
    }
    // Lines that came in before the close still count; a loss reported meanwhile does not,
    // since the port is being let go anyway.
    std::deque<Item> rest;
    {
        std::lock_guard lock(mutex_);
        rest.swap(queue_);
    }
    port_.reset();
    for (const Item& item : rest) {
        if (!item.lost && sink_) {
            sink_->onLine(item.line);
        }
    }
}

bool SerialSensorLink::isOpen() const {
    return port_ != nullptr;
}

std::string SerialSensorLink::device() const {
    return port_ ? port_->device() : std::string();
}

void SerialSensorLink::deliverPending() {
    // One item at a time, without the lock: what the sink does may deliver again (a message
    // box runs the event loop) or close the link.
    for (;;) {
        Item item;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty()) {
                return;
            }
            item = std::move(queue_.front());
            queue_.pop_front();
        }
        if (!sink_) {
            continue;
        }
        if (item.lost) {
            sink_->onLinkLost();
        } else {
            sink_->onLine(item.line);
        }
    }
}

void SerialSensorLink::push(Item item) {
    bool first = false;
    {
        std::lock_guard lock(mutex_);
        first = queue_.empty();
        queue_.push_back(std::move(item));
    }
    if (first && wake_) {
        wake_();
    }
}

void SerialSensorLink::read(std::stop_token stop) {
    LineAssembler lines([this](const std::string& line) { push({false, line}); });
    std::uint8_t buffer[kReadChunk];
    while (!stop.stop_requested()) {
        const SerialPort::Readiness r = port_->waitReadable(kReaderWaitMs);
        if (r == SerialPort::Readiness::Quiet) {
            continue;
        }
        const std::ptrdiff_t n = port_->read(buffer, sizeof buffer);
        if (n > 0) {
            lines.feed(buffer, static_cast<std::size_t>(n));
        }
        if (r == SerialPort::Readiness::Broken || n < 0) {
            push({true, {}});
            return;
        }
    }
}
