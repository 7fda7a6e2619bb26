#pragma once

#include <vector>

#include "common/SerialPortMap.h"

// The serial devices the system reports now, with the description Qt gives each (the USB
// product text, else the manufacturer), in the default port order.
std::vector<SerialDeviceInfo> presentSerialDevices();
