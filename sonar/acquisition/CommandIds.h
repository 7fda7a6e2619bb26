#pragma once

// User commands keep their resource numbers, so a command can be run and asked about by id
// from menus, toolbar buttons, keys and tests alike.
enum class CommandId : int {
    // File
    FileNew = 57600,
    Playback = 57601,
    RecordData = 57604,
    StopRecording = 32807,
    ConnectToSonarHead = 32858,
    Reconnect = 32803,
    SaveScreen = 32782,
    SaveSelected = 32783,
    ExportTargets = 32900,  // our own, beyond the resource numbers of the other commands
    RecentFile1 = 57616,
    RecentFile2 = 57617,
    RecentFile3 = 57618,
    RecentFile4 = 57619,
    AppExit = 57665,
    // View
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    FilePlaybackBar = 32808,
    DefaultLayout = 32809,
    ZoomIn = 32815,
    ZoomOut = 32814,
    Restore = 32816,
    ZoomAboutMouse = 32777,
    Grid = 32774,
    GridTextLarge = 32829,
    GridTextMedium = 32830,
    GridTextSmall = 32831,
    ShowRange = 32851,
    ColorIndicator = 32861,
    Hold = 32778,
    ClearScreen = 32772,
    MouseDown = 32788,
    MouseLeft = 32785,
    MouseRight = 32786,
    MouseUp = 32787,
    // Sonar
    IncreaseRange = 32791,
    DecreaseRange = 32793,
    IncreaseGain = 32795,
    DecreaseGain = 32797,
    PortOnly = 32796,
    StbdOnly = 32798,
    BothSides = 32800,
    VerticalBlending = 32837,
    SpeedCorrection = 32806,
    SonarSettings = 32775,
    Diagnostics = 32801,
    Metric = 32834,
    Imperial = 32836,
    // Colour tables 0..8
    ColourNormalHigh = 32818,
    ColourNormalLow = 32819,
    ColourGreen = 32820,
    ColourGrey = 32821,
    ColourReverseGrey = 32822,
    ColourBrownYellow = 32823,
    ColourGreenBlue = 32824,
    ColourGreenYellow = 32825,
    ColourBlue = 32826,
    // Measurement
    Select = 32781,
    PlusMark = 32805,
    TargetHeight = 32839,
    MeasureRange = 32810,
    MeasureDistance = 32804,
    ClearLinesMarks = 32811,
    ShowMarkShadow = 32812,
    // GPS
    GpsCommPortSettings = 32792,
    GpsEnabled = 32802,
    ShowGpsTrackPlotter = 32794,
    GpsZoomIn = 32832,
    GpsZoomOut = 32833,
    EraseGpsTracks = 32856,
    ConvertUtcToLocalTime = 32852,
    SynchronizeWithGpsTime = 32853,
    // Help
    BeamCoverage = 32857,
    About = 57664,
};

constexpr int kFirstColourCommand = static_cast<int>(CommandId::ColourNormalHigh);
constexpr int kColourTableCount = 9;
