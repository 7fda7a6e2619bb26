#pragma once

#include <QKeySequence>
#include <QString>
#include <vector>

#include "acquisition/CommandIds.h"

// One row per user command: menus, toolbar buttons and keys are built from this table.
struct CommandEntry {
    CommandId id;
    QString menu;  // top-level menu it lives in
    QString text;  // menu text with its & mnemonic
    QString tip;   // tool tip and status prompt
    QKeySequence key;
    QString glyph;  // toolbar icon drawing; empty = not on the toolbar
    bool separatorBefore = false;
};

const std::vector<CommandEntry>& commandTable();
const CommandEntry* findCommand(CommandId id);
