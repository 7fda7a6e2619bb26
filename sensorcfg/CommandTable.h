#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sensorcfg/CommandIds.h"

// One row per command: the menus, keys, status prompts and tool tips are built from this
// table. Keys are written in the portable form ("Ctrl+O", "F6").
struct SensorCommandEntry {
    SensorCommand id;
    std::string menu;    // top-level menu with its & mnemonic; empty for key-only commands
    std::string text;    // menu text with its & mnemonic, without the key
    std::string key;     // accelerator, empty when none
    std::string prompt;  // status-bar prompt
    std::string tip;     // tool tip (toolbar commands)
    bool separatorBefore = false;
    bool checkable = false;
};

const std::vector<SensorCommandEntry>& sensorCommandTable();
const SensorCommandEntry* findSensorCommand(SensorCommand id);
// The top-level menus in order.
const std::vector<std::string>& sensorMenus();
// Toolbar buttons left to right; nothing is a separator.
const std::vector<std::optional<SensorCommand>>& sensorToolbar();

// What decides whether a command can run now.
struct CommandContext {
    bool connected = false;
    // False when the program has no sensor link: the commands that open one stay disabled
    // instead of failing.
    bool linkAvailable = false;
    int model = 0;
    // An operation runs: the main window takes no commands until it ends.
    bool busy = false;
};

bool isSensorCommandEnabled(SensorCommand id, const CommandContext& context);
