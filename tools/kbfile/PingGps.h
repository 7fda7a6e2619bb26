#pragma once

#include <optional>
#include <string>

#include "datafile/PingRecord.h"
#include "kbfile/NmeaSentences.h"

namespace kbfile {

// The GPS values one ping's record carries, whatever the layout keeps them in: .dsx records
// hold NMEA sentences, .ss2 records texts and a flag, XTF pings numbers (no position is 0, 0).
struct PingGps {
    std::optional<GeoPoint> position;
    std::optional<double> speedKnots;
    std::optional<double> headingDegrees;
    std::string timeText;  // empty when unknown
    std::string dateText;
};

PingGps gpsOf(const PingRecord& rec, SourceKind kind);

// The latest known GPS values along a file, as the recorder would have held them when each
// ping was written: a value stays until a later ping brings a new one.
class GpsCarry {
  public:
    void update(const PingGps& ping);
    const PingGps& current() const { return current_; }

  private:
    PingGps current_;
};

// Fills the GPS fields of rec, read from a file of kind from, the way a recorder of kind to
// would have written them: .ss2 and XTF take the carried values; a .dsx record whose ping
// brought a position gets one RMC sentence with it, since sentences are all the layout holds.
void applyGps(const GpsCarry& carry, const PingGps& ping, SourceKind from, SourceKind to,
              PingRecord& rec);

// "dd.mm.mmmm H" with degreeDigits degree digits, the form the GPS reader shows.
std::string positionText(double value, int degreeDigits, char positive, char negative);

}  // namespace kbfile
