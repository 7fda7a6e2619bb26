#pragma once

// User commands keep their resource numbers, so a command can be run and asked about by id
// from menus, toolbar buttons, keys and tests alike.
enum class CommandId : int {
    FileNew = 57600,
    Playback = 57601,
    RecordData = 57604,
    AppExit = 57665,
    About = 57664,
    ConnectToSonarHead = 32858,
    Reconnect = 32803,
    StopRecording = 32807,
    IncreaseRange = 32791,
    DecreaseRange = 32793,
    IncreaseGain = 32795,
    DecreaseGain = 32797,
    Hold = 32778,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
};
