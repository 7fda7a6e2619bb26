#include "app/qt/CommandTable.h"

const std::vector<CommandEntry>& commandTable() {
    static const std::vector<CommandEntry> table = {
        {CommandId::ConnectToSonarHead,
         "&File",
         "&Connect to Sonar Head...",
         "Connect to the sonar head",
         {},
         "\u21C4"},
        {CommandId::Reconnect, "&File", "&Reconnect....", "Reconnect to sonar head", {}, ""},
        {CommandId::AppExit, "&File", "E&xit", "Quit the application", QKeySequence::Quit, "",
         true},
        {CommandId::ViewToolbar, "&View", "&Toolbar", "Show or hide the toolbar", {}, ""},
        {CommandId::ViewStatusBar, "&View", "&Status Bar", "Show or hide the status bar", {}, ""},
        {CommandId::Hold, "&View", "&Hold", "Hold the image", Qt::Key_H, "H", true},
        {CommandId::IncreaseRange, "&Sonar", "Increase Range", "Increase range", {}, "R+", false},
        {CommandId::DecreaseRange, "&Sonar", "Decrease Range", "Decrease range", {}, "R\u2212"},
        {CommandId::IncreaseGain, "&Sonar", "Increase Gain", "Increase gain", {}, "G+", true},
        {CommandId::DecreaseGain, "&Sonar", "Decrease Gain", "Decrease gain", {}, "G\u2212"},
        {CommandId::About, "&Help", "&About Keelbrook...", "Program information", {}, ""},
    };
    return table;
}

const CommandEntry* findCommand(CommandId id) {
    for (const CommandEntry& e : commandTable()) {
        if (e.id == id) {
            return &e;
        }
    }
    return nullptr;
}
