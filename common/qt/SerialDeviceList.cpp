#include "common/qt/SerialDeviceList.h"

#include <QSerialPortInfo>

std::vector<SerialDeviceInfo> presentSerialDevices() {
    std::vector<SerialDeviceInfo> out;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        QString text = info.description();
        if (text.isEmpty()) {
            text = info.manufacturer();
        }
        out.push_back({info.systemLocation().toStdString(), text.toStdString()});
    }
    sortSerialDevices(out);
    return out;
}
