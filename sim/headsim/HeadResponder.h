#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "acquisition/HeadProtocol.h"
#include "acquisition/SwitchCommand.h"
#include "headsim/Scene.h"

namespace headsim {

// Faults on request; 0 switches a fault off. Counts run per connection.
struct FaultPlan {
    std::uint32_t noRxEvery = 0;       // every Nth ping: both returns flag noRxData
    std::uint32_t wrongSideEvery = 0;  // every Nth return carries an invalid side value
    std::uint32_t closeAfter = 0;      // drop the connection after N starboard returns
    std::uint32_t silentAfter = 0;     // after N returns answer nothing, connection kept open
    std::uint32_t longReturnAt = 0;    // the Nth return carries kLongReturnExtra bytes too many
};

struct HeadReply {
    std::vector<std::uint8_t> bytes;  // empty: the head says nothing
    bool closeConnection = false;     // the connection ends once these bytes are out
};

// The head's side of the exchange: applies the settings a command hands over, acknowledges them
// through the status word and answers every command with one return of the requested side.
class HeadResponder {
  public:
    static constexpr int kSamplesTotal = head::kLiveSamplesTotal;
    static constexpr std::size_t kReturnLength = head::returnLength(kSamplesTotal);
    // Written into serialStatus by the wrong-side fault; the client knows only 0 and 2.
    static constexpr std::uint8_t kWrongSide = 1;
    // Bytes behind an over-long return; 0xFF names no side, should a client take them as one.
    static constexpr std::size_t kLongReturnExtra = 100;
    static constexpr std::uint8_t kLongReturnFill = 0xFF;

    explicit HeadResponder(std::uint64_t seed, FaultPlan faults = {});

    // A new client: the fault counts start again; applied settings and the scene carry on.
    void startConnection();

    // Whether answering this command begins a new ping (anything but the starboard half that
    // follows a port return). Pacing waits only before these.
    bool opensPing(const SwitchCommand& command) const;

    // Starboard when the command asks for side 2; any other request is answered as port.
    HeadReply respond(const SwitchCommand& command);

    const SceneSettings& applied() const { return applied_; }
    // Pings begun since start, across connections (the vessel keeps moving).
    std::uint64_t pingNumber() const { return scenePing_; }

  private:
    // Applies the setting named by linkCommand; returns the runType and echoValue to report.
    void acknowledge(const SwitchCommand& command, int& runType, int& echoValue);
    void beginPing();
    void writeHeader(std::uint8_t side, int runType, int echoValue, std::uint8_t* out) const;

    Scene scene_;
    FaultPlan faults_;
    SceneSettings applied_;
    std::uint64_t scenePing_ = 0;
    // Per connection.
    std::uint64_t sessionPings_ = 0;
    std::uint64_t sessionReturns_ = 0;
    std::uint64_t starboardReturns_ = 0;
    bool portAnswered_ = false;
    bool pingNoRx_ = false;
};

}  // namespace headsim
