#pragma once

#include <QKeySequence>
#include <QString>
#include <vector>

#include "acquisition/CommandIds.h"

// One row per menu item: menus and keys are built from this table, the toolbar from
// toolbarCommands().
struct CommandEntry {
    CommandId id;
    QString menu;     // top-level menu, with its & mnemonic
    QString submenu;  // empty when the item sits directly in the menu
    QString text;     // menu text with its & mnemonic
    QString tip;      // tool tip and status prompt
    QKeySequence key;
    bool checkable = false;
    bool separatorBefore = false;
};

const std::vector<CommandEntry>& commandTable();
const CommandEntry* findCommand(CommandId id);

// The toolbar buttons in order; nothing stands for a separator.
struct ToolbarButton {
    std::optional<CommandId> id;
};
const std::vector<ToolbarButton>& toolbarCommands();
