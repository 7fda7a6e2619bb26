#pragma once

#include <QIcon>

#include "acquisition/CommandIds.h"

// Toolbar icons drawn as vectors, so they stay sharp at any scale and need no image files.
QIcon toolbarIcon(CommandId id);
