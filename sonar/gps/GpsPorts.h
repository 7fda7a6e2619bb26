#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/ByteStream.h"
#include "common/SerialPort.h"
#include "common/SerialPortMap.h"
#include "gps/GpsClock.h"

// Opens the sources a GPS can be read from.
class GpsSources {
  public:
    virtual ~GpsSources() = default;
    // The device "COM<n>" stands for, opened exclusively with the line settings.
    virtual std::unique_ptr<ByteStream> openSerial(int comPort, const SerialLineSettings& line,
                                                   SerialPort::OpenResult& result) = 0;
    // Nothing when gpsd cannot be reached.
    virtual std::unique_ptr<ByteStream> openGpsd(const std::string& host, int port) = 0;
    // The ports that could be opened now (a port this program holds cannot be probed).
    virtual std::vector<SerialPortEntry> availablePorts() = 0;
    // The entry of a port number, for its label, whether or not it can be opened.
    virtual std::optional<SerialPortEntry> portEntry(int comPort) = 0;
    // A device named for this run (the command line's --gps-device) is read even when the
    // settings choose gpsd.
    virtual bool deviceForThisRun() const { return false; }
};

// The GPS windows: the track window and the port dialog.
class GpsUi {
  public:
    virtual ~GpsUi() = default;
    virtual void showTrackWindow() = 0;
    virtual bool trackWindowOpen() const = 0;
    // Centre in the middle, no pan, redraw.
    virtual void resetTrackView() = 0;
    virtual void showPortDialog() = 0;
    // The recent sentences or the track changed.
    virtual void sentencesChanged() = 0;
    virtual void trackChanged() = 0;
};

struct GpsPorts {
    GpsSources& sources;
    GpsClock& clock;
    GpsUi& ui;
};
