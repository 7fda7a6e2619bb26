#include "sensorcfg/CommandTable.h"

#include <algorithm>

namespace {
using C = SensorCommand;
const std::string kFile = "&File";
const std::string kComm = "&Comm";
const std::string kConfig = "C&onfig";
const std::string kView = "&View";
const std::string kHelp = "&Help";
}  // namespace

const std::vector<SensorCommandEntry>& sensorCommandTable() {
    static const std::vector<SensorCommandEntry> table = {
        {C::FileNew, "", "&New", "Ctrl+N", "Create a new configuration", "New"},
        {C::FileOpen, kFile, "&Open...", "Ctrl+O", "Open an existing configuration file", "Open"},
        {C::FileSave, kFile, "&Save", "Ctrl+S", "Save the active configuration file", "Save"},
        {C::FileSaveAs, kFile, "Save &As...", "",
         "Save the active configuration file with a new name", "Save As"},
        {C::FilePrint, kFile, "&Print...", "Ctrl+P", "Print the active configuration", "Print",
         true},
        {C::FilePrintPreview, kFile, "Print Pre&view", "", "Display full pages", "Print Preview"},
        {C::FilePrintSetup, kFile, "P&rint Setup...", "", "Change the printer and printing options",
         "Print Setup"},
        {C::RecentFile1, kFile, "Recent File", "", "Open this configuration file", "", true},
        {C::RecentFile2, kFile, "", "", "Open this configuration file", ""},
        {C::RecentFile3, kFile, "", "", "Open this configuration file", ""},
        {C::RecentFile4, kFile, "", "", "Open this configuration file", ""},
        {C::AppExit, kFile, "E&xit", "", "Quit the application; prompts to save configuration",
         "Exit", true},

        {C::CommSetup, kComm, "&Setup", "", "Setup comm port", "Setup"},
        {C::Connect, kComm, "&Connect", "", "Connect to comm port", "Connect"},
        {C::Disconnect, kComm, "&Disconnect", "", "Disconnect from comm port", "Disconnect"},

        {C::SensorConfiguration, kConfig, "&Sensor Configuration", "F6",
         "Configure sensor board for satellite acquisition", "Configure"},
        {C::NmeaSelections, kConfig, "&NMEA Sentence Selections", "F7",
         "Turn on/off NMEA output sentences", "NMEA Sentences"},
        {C::GetConfiguration, kConfig, "&Get Configuration from GPS", "F8",
         "Download configuration from sensor board.", "Get Config from GPS", true},
        {C::SendConfiguration, kConfig, "&Send Configuration to GPS", "F9",
         "Upload current configuration to sensor board", "Send Config to GPS"},
        {C::SwitchToNmeaMode, kConfig, "Switch to NMEA &Mode", "F10", "Switch back to NMEA mode",
         "NMEA Mode", true},
        {C::SwitchToTavrinMode, kConfig, "Switch to &Tavrin Mode", "F11",
         "Switch back to Tavrin mode", "Tavrin Mode"},
        {C::UpdateSoftware, kConfig, "Up&date Software", "F12", "Update Software",
         "Update Software", true},

        {C::ViewToolbar, kView, "&Toolbar", "", "Show or hide the toolbar", "Toggle ToolBar", false,
         true},
        {C::ViewStatusBar, kView, "&Status Bar", "", "Show or hide the status bar",
         "Toggle StatusBar", false, true},
        {C::ViewMonitor, kView, "NMEA Transmitted Sentences", "",
         "Monitor sentences transmitted by sensor board", "NMEA Transmitted Sentences", true},

        {C::About, kHelp, "&About ...", "",
         "Display program information, version number and copyright", "About"},
    };
    return table;
}

const SensorCommandEntry* findSensorCommand(SensorCommand id) {
    const auto& table = sensorCommandTable();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [id](const SensorCommandEntry& e) { return e.id == id; });
    return found == table.end() ? nullptr : &*found;
}

const std::vector<std::string>& sensorMenus() {
    static const std::vector<std::string> menus = {kFile, kComm, kConfig, kView, kHelp};
    return menus;
}

const std::vector<std::optional<SensorCommand>>& sensorToolbar() {
    static const std::vector<std::optional<SensorCommand>> buttons = {
        C::FileOpen,          C::FileSave,   std::nullopt,
        C::Connect,           C::Disconnect, C::GetConfiguration,
        C::SendConfiguration, std::nullopt,  C::SensorConfiguration,
        std::nullopt,         C::FilePrint,
    };
    return buttons;
}

bool isSensorCommandEnabled(SensorCommand id, const CommandContext& c) {
    if (c.busy) {
        return false;
    }
    switch (id) {
        case C::CommSetup:
            return !c.connected;
        case C::Connect:
            return !c.connected && c.linkAvailable;
        case C::Disconnect:
        case C::GetConfiguration:
        case C::SendConfiguration:
        case C::ViewMonitor:
            return c.connected;
        case C::SwitchToNmeaMode:
            return !c.connected && c.model != 1 && c.linkAvailable;
        case C::SwitchToTavrinMode:
            return c.linkAvailable;
        case C::UpdateSoftware:
            return c.model != 1 && c.model != 6 && c.linkAvailable;
        default:
            return true;
    }
}
