#pragma once

#include <QIcon>

#include "sensorcfg/CommandIds.h"

// Toolbar icons drawn as vectors, so the program needs no image files.
QIcon sensorToolbarIcon(SensorCommand id);
