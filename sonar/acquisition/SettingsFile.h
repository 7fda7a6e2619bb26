#pragma once

#include <string>

#include "acquisition/SettingsRecord.h"

// The main section of Keelbrook.cfg.
inline constexpr const char* kSettingsSection = "Settings";
// The GPS source beyond a COM port (gpsd) and the talkers accepted.
inline constexpr const char* kGpsSourceSection = "GPS Source";
// "COM<n>=<device>" keys that map port numbers to devices.
inline constexpr const char* kSerialPortsSection = "Serial Ports";

// Reads every key into rec; a missing key takes its default. False, with rec unchanged, when
// the file cannot be opened. Only the record changes: the caller applies the loaded values to
// the rest of the program afterwards (switch command, alarm copies, handshake, bitmaps, dialog
// and track window).
bool loadSettings(const std::string& path, SettingsRecord& rec);

// Writes every key, keeping the rest of an existing file. During playback the GPS serial keys
// and the head's operating settings are left as they are in the file, since the record then
// holds the values of the played file. False when the file cannot be written.
bool saveSettings(const std::string& path, const SettingsRecord& rec, bool playback);
