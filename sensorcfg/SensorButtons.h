#pragma once

#include <functional>
#include <string>

#include "sensorcfg/SensorPorts.h"

// The four buttons of the "Sensor Configuration" dialog that send one command to the sensor.
enum class SensorButton { ResetUnit, SetAutolocate, ResetNonVol, TestMode };

struct SensorButtonInfo {
    const char* sentence;
    const char* notConnected;
    const char* failure;
    const char* failureTitle;
};

const SensorButtonInfo& sensorButtonInfo(SensorButton button);

// Sends a sentence and waits for its echo; `done` follows with the result, later.
using SendVerified =
    std::function<void(const std::string& sentence, std::function<void(bool)> done)>;

// A press: without a link, the button's not-connected message; with one, `sendVerified`
// sends the sentence, and a failure is reported when its echo never came.
void pressSensorButton(SensorButton button, bool connected, SensorPrompts& prompts,
                       const SendVerified& sendVerified);
