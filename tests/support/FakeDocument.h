#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/CKeelbrookDoc.h"
#include "support/FakePorts.h"

// The document on fake ports, settings in the given folder, for tests and benchmarks of what
// sits on it.
struct FakeDocument {
    explicit FakeDocument(const std::string& folder, int screenWidth = 1920,
                          int screenHeight = 1080)
        : doc(DocPorts{link, clock, timers, prompts, frame}, folder, screenWidth, screenHeight) {
        doc.initialise();
    }

    void connect(const std::string& address = "127.0.0.9") {
        prompts.answers.push_back(address);
        doc.Connect();
        doc.OnConnectResult(true);
    }

    // One ping from the head; echoes of each side given whole.
    void ping(const std::vector<std::uint8_t>& portEchoes,
              const std::vector<std::uint8_t>& stbdEchoes, bool noRx = false) {
        sendReturn(0, portEchoes, noRx);
        sendReturn(2, stbdEchoes, noRx);
    }
    // One ping whose port echoes are all `port` and starboard echoes all `stbd`.
    void ping(std::uint8_t port, std::uint8_t stbd, bool noRx = false) {
        const std::size_t half = head::kLiveSamplesTotal / 2;
        ping(std::vector<std::uint8_t>(half, port), std::vector<std::uint8_t>(half, stbd), noRx);
    }

    FakeLink link;
    FakeClock clock;
    FakeTimers timers;
    FakePrompts prompts;
    FakeFrame frame;
    CKeelbrookDoc doc;

  private:
    void sendReturn(std::uint8_t side, const std::vector<std::uint8_t>& echoes, bool noRx) {
        std::vector<std::uint8_t> r(head::returnLength(head::kLiveSamplesTotal), 0);
        r[head::kSerialStatus] = side;
        r[head::kNoRxByte] = noRx ? head::kNoRxMask : 0;
        std::copy_n(echoes.begin(), std::min(echoes.size(), r.size() - head::kHeaderBytes - 1),
                    r.begin() + head::kHeaderBytes);
        doc.OnReceive(r.data(), r.size());
    }
};
