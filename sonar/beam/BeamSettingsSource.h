#pragma once

// The sonar settings the beam coverage window starts from. The document implements this, so the
// beam window needs nothing else of it.
struct BeamStartSettings {
    int rangeIndex = 9;  // the head's range index
    int mode = 0;        // 0 Low, 1 Medium, 2 High
    int dataGain = 70;
    int units = 0;  // 0 metric, 1 imperial
};

class BeamSettingsSource {
  public:
    virtual ~BeamSettingsSource() = default;
    virtual BeamStartSettings beamStartSettings() const = 0;
};
