#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sensorcfg/SensorConfig.h"

namespace sensorsim {

// How the sensor answers a sentence it accepted.
enum class Answer {
    Echo,           // the sentence itself, as heard
    Silent,         // nothing: the command takes effect at once
    ReplyPosition,  // "$PTVRI" with the initial position
    ReplyConfig,    // "$PTVRC"
    ReplyExtra,     // "$PTVRC1"
};

// What else happens beyond storing the configuration.
enum class Action { None, ResetUnit, Autolocate, EraseMemory, TestMode, BinaryMode };

struct Accepted {
    Answer answer = Answer::Echo;
    Action action = Action::None;
    SensorConfig config;  // the sensor's configuration once the sentence is applied
};

struct Verdict {
    std::optional<Accepted> accepted;
    std::string reason;  // why the sentence was refused, when it was
};

// Reads one sentence as a sensor of base model `current.model` would: `sentence` runs from its
// "$" to just before CR LF (an optional "*hh" checksum must then be right). A sentence that is
// unknown, malformed, out of range or not meant for this model is refused, and a refused
// sentence is not answered: the sender's retries and time-outs take over, as with a real unit.
Verdict interpret(std::string_view sentence, const SensorConfig& current);

}  // namespace sensorsim
