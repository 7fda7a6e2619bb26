#pragma once

// Builds XTF files the way another acquisition system writes them, byte by byte from the
// published structures, without the program's own writer or layout constants.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace kbfile_test {

struct ForeignChannel {
    std::uint8_t type = 0;  // 1 port, 2 starboard, 0 unset
    std::uint16_t bytesPerSample = 1;
    std::string name;
};

struct ForeignPingChannel {
    std::uint16_t number = 0;
    float slantRange = 50.0f;
    std::vector<std::uint16_t> samples;  // written with the channel's bytes per sample
};

struct ForeignPing {
    std::uint32_t pingNumber = 0;
    double lat = 0.0;  // sensor Y
    double lon = 0.0;  // sensor X
    float heading = 0.0f;
    float altitude = 0.0f;
    std::vector<ForeignPingChannel> channels;
};

class ForeignXtf {
  public:
    ForeignXtf(std::vector<ForeignChannel> sonar, std::uint16_t bathyChannels = 0,
               std::uint16_t navUnits = 3)
        : channels_(std::move(sonar)) {
        const std::size_t all = channels_.size() + bathyChannels;
        const std::size_t header = all <= 6 ? 1024 : (256 + 128 * all + 1023) / 1024 * 1024;
        bytes_.assign(header, 0);
        bytes_[0] = 123;
        bytes_[1] = 1;
        std::memcpy(&bytes_[2], "OTHERSYS", 8);
        std::memcpy(&bytes_[10], "7.1", 3);
        std::memcpy(&bytes_[18], "TOWFISH", 7);
        put16(164, navUnits);
        put16(166, static_cast<std::uint16_t>(channels_.size()));
        put16(168, bathyChannels);
        for (std::size_t i = 0; i < channels_.size(); ++i) {
            const std::size_t c = 256 + 128 * i;
            bytes_[c] = channels_[i].type;
            put16(c + 6, channels_[i].bytesPerSample);
            std::memcpy(&bytes_[c + 12], channels_[i].name.data(),
                        std::min<std::size_t>(channels_[i].name.size(), 16));
        }
    }

    std::size_t headerBytes() const { return headerBytes_ ? headerBytes_ : bytes_.size(); }

    void ping(const ForeignPing& p) {
        const std::size_t at = start(0, 256);
        put16(at + 4, static_cast<std::uint16_t>(p.channels.size()));
        put16(at + 14, 2021);
        bytes_[at + 16] = 6;
        bytes_[at + 17] = 15;
        bytes_[at + 18] = 10;
        bytes_[at + 19] = 20;
        bytes_[at + 20] = 30;
        bytes_[at + 21] = 45;
        put32(at + 28, p.pingNumber);
        putDouble(at + 160, p.lat);
        putDouble(at + 168, p.lon);
        putFloat(at + 196, p.altitude);
        putFloat(at + 212, p.heading);
        for (const ForeignPingChannel& c : p.channels) {
            const std::size_t h = bytes_.size();
            bytes_.resize(h + 64, 0);
            put16(h, c.number);
            putFloat(h + 4, c.slantRange);
            putFloat(h + 20, 0.1f);
            put32(h + 42, static_cast<std::uint32_t>(c.samples.size()));
            const std::uint16_t bps = channels_.at(c.number).bytesPerSample;
            for (std::uint16_t v : c.samples) {
                bytes_.push_back(static_cast<std::uint8_t>(v));
                if (bps == 2) {
                    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
                }
            }
        }
        finish(at);
    }

    // A packet of any other type with filler bytes, stepped over by readers.
    void other(std::uint8_t type, std::size_t length) {
        const std::size_t at = start(type, length);
        for (std::size_t i = at + 14; i < at + length; ++i) {
            bytes_[i] = 0xCE;  // look-alike bytes inside a packet must not matter
        }
        finish(at);
    }

    // A raw serial packet carrying NMEA text.
    void serial(const std::string& text) {
        const std::size_t at = start(6, 30);
        put16(at + 28, static_cast<std::uint16_t>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        bytes_.resize(at + (bytes_.size() - at + 63) / 64 * 64, 0);
        finish(at);
    }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  private:
    std::size_t start(std::uint8_t type, std::size_t length) {
        if (!headerBytes_) {
            headerBytes_ = bytes_.size();
        }
        const std::size_t at = bytes_.size();
        bytes_.resize(at + length, 0);
        put16(at, 0xFACE);
        bytes_[at + 2] = type;
        return at;
    }
    void finish(std::size_t at) { put32(at + 10, static_cast<std::uint32_t>(bytes_.size() - at)); }

    void put16(std::size_t at, std::uint16_t v) {
        bytes_[at] = static_cast<std::uint8_t>(v);
        bytes_[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    void put32(std::size_t at, std::uint32_t v) {
        put16(at, static_cast<std::uint16_t>(v));
        put16(at + 2, static_cast<std::uint16_t>(v >> 16));
    }
    void putFloat(std::size_t at, float f) {
        std::uint32_t v;
        std::memcpy(&v, &f, 4);
        put32(at, v);
    }
    void putDouble(std::size_t at, double d) {
        std::uint64_t v;
        std::memcpy(&v, &d, 8);
        put32(at, static_cast<std::uint32_t>(v));
        put32(at + 4, static_cast<std::uint32_t>(v >> 32));
    }

    std::vector<ForeignChannel> channels_;
    std::vector<std::uint8_t> bytes_;
    std::size_t headerBytes_ = 0;
};

}  // namespace kbfile_test
