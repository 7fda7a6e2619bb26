#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "common/ByteStream.h"
#include "gps/SentenceCutter.h"
#include "gps/SharedGps.h"

// The read tick: whatever the source has buffered is read, cut into sentences, parsed, kept
// for the port dialog and stored as the tick's sentences for the next recorded ping. The same
// for a serial port, a gpsd connection or a test's source.
class GpsReader {
  public:
    static constexpr std::size_t kReadBuffer = 4096;
    // Bytes that arrive without one sentence of an accepted talker for this long are worth a
    // word in the port dialog.
    static constexpr std::uint32_t kTalkerHintAfterMs = 3000;

    GpsReader(SharedGps& shared, GpsClock& clock) : shared_(shared), clock_(clock) {}

    // The source to read; nullptr when none is open. Waits for a read in flight to finish, so
    // a source is never swapped under a read.
    void setSource(std::unique_ptr<ByteStream> source);
    bool hasSource() const;
    // Runs f on the current source (nullptr when none) with reading held off.
    template <class F>
    auto withSource(F&& f) {
        std::lock_guard lock(sourceMutex_);
        return f(source_.get());
    }

    void setAcceptAllTalkers(bool on);

    // One read tick. nowMs: a millisecond tick count, for the talker hint.
    void tick(std::uint32_t nowMs);

    // "Receiving NMEA with talker GN: enable Accept all GNSS talkers", or "" when all is well.
    std::string talkerHint() const;
    // Bytes read since the source was set, for the port dialog.
    std::uint64_t bytesRead() const;

  private:
    void noteTalkers(std::string_view bytes, std::uint32_t nowMs);

    SharedGps& shared_;
    GpsClock& clock_;
    mutable std::mutex sourceMutex_;  // held for a whole tick: a source swap waits for it
    std::unique_ptr<ByteStream> source_;
    SentenceCutter cutter_;
    std::array<std::uint8_t, kReadBuffer> buffer_{};

    mutable std::mutex statusMutex_;
    std::uint64_t bytesRead_ = 0;
    std::uint32_t lastAcceptedMs_ = 0;
    bool acceptedSeen_ = false;
    std::uint32_t firstBytesMs_ = 0;
    bool bytesSeen_ = false;
    std::string otherTalker_;
    std::uint32_t lastNowMs_ = 0;
};
