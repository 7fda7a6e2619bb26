#pragma once

#include <string>

// Every persistent option of the sonar program, one member per key of Keelbrook.cfg. A
// default-constructed record holds the defaults used for keys missing from the file;
// makeDefaultSettings gives the values the program starts with before any file is read.
struct SettingsRecord {
    // GPS serial port.
    int gpsCommPort = 1;
    int baudRate = 4800;
    int dataBits = 8;
    int stopBits = 0;
    int parity = 0;
    int flow = 0;
    int gpsType = 0;
    // Where the GPS is read from besides a COM port, and which talkers count: kept in a section
    // of their own, so that [Settings] stays as other installations expect it.
    bool gpsUseGpsd = false;
    std::string gpsdHost = "localhost";
    int gpsdPort = 2947;
    bool acceptAllGnssTalkers = false;

    // Operating settings of the head.
    int range = 9;
    int mode = 0;
    int dataGain = 70;
    int gainBalance = 30;

    // Display.
    bool showColorIndicator = true;
    bool showGrid = true;
    int colorTable = 3;
    int gpsTextSize = 14;
    int markerTextSize = 14;
    bool speedCorrectionEnabled = false;
    bool autoSynchronizeWithGpsTime = false;
    bool convertUtcToLocalTime = false;
    bool settingsChangeAlarm = false;

    // Main frame and settings dialog.
    bool toolBarVisible = true;
    bool statusBarVisible = true;
    bool filePlaybackBarVisible = true;
    int settingsLeft = 800;
    int settingsTop = 100;
    bool settingsDialogVisible = true;
    int playbackSpeed = 5;
    int units = 0;

    // Head address and file dialogs.
    std::string ipAddress = "192.168.0.2";
    int portNumber = 4040;
    std::string readFileDir;
    std::string writeFileDir;
    int readFilterIndex = 0;
    int writeFilterIndex = 0;

    // GPS track window, in screen pixels.
    int gpsTrackWindowLeft = 0;
    int gpsTrackWindowTop = 0;
    int gpsTrackWindowRight = 0;
    int gpsTrackWindowBottom = 0;
    bool gpsTracking = true;
    int gpsReadInterval = 1000;
    // Screen pixels per metre; the file keeps it as an integer times 1000.
    double gpsZoom = 1.0;

    bool operator==(const SettingsRecord&) const = default;
};

// The start-up values: folders are the executable's folder, the GPS track window sits in the
// lower left part of the screen.
SettingsRecord makeDefaultSettings(const std::string& exeDir, int screenWidth, int screenHeight);

// Keelbrook.cfg in the executable's folder.
std::string settingsPath(const std::string& exeDir);
