#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "sensorcfg/SensorConfig.h"

class CQuorelDoc;

// The controls of the "Sensor Configuration" dialog whose state the rules decide.
enum class ConfigControl : int {
    LatDeg,
    LatMin,
    LatNorth,
    LatSouth,
    LonDeg,
    LonMin,
    LonEast,
    LonWest,
    Altitude,
    AltitudeLabel,
    Datum,
    DatumA,
    DatumF,
    DatumX,
    DatumY,
    DatumZ,
    DatumALabel,
    DatumFLabel,
    DatumXLabel,
    DatumYLabel,
    DatumZLabel,
    FixMode,
    DiffMode,
    DiffModeLabel,
    Baud,
    BaudLabel,
    Filter,
    FilterValue,
    DgpsMode,
    DgpsModeLabel,
    Pps,
    PositionAveraging,
    PhaseOutput,
    Nmea230,
    PowerSave,
    PpsAutoOff,
    AdaptiveTx,
    IdleLinkOff,
    AutoPowerOn,
    PpsLength,
    PpsLengthLabel,
    PpsLengthSpin,
    DeadReckoning,
    DeadReckoningSpin,
    OutputTime,
    OutputTimeLabel,
    OutputTimeSpin,
    BeaconFrame,
    BeaconFreqLabel,
    BeaconBitRateLabel,
    BeaconFreq,
    BeaconBitRate,
    AutoTune,
    Model0,
    Model1,
    Model2,
    Model3,
    Model4,
    Model5,
    Model6,
    Model7,
    ResetUnit,
    ResetNonVol,
    SetAutolocate,
    TestMode,
    Count
};

// The three spin buttons; they share one count of consecutive line steps.
enum class ConfigSpin { PpsLength, DeadReckoning, OutputTime };

// The state and rules of the "Sensor Configuration" dialog, without any window: the dialog
// shows what this holds and reports the user's actions to it.
class SensorConfigForm {
  public:
    // Copies the configuration into the dialog and applies the opening rules for its model.
    SensorConfigForm(CQuorelDoc& doc, bool connected);

    // Fixed lists.
    static const std::vector<std::string>& fixModeNames();
    static const std::vector<std::string>& diffModeNames();
    static const std::vector<std::string>& filterNames();
    static const std::vector<std::string>& dgpsModeNames();
    // "300" to "19200", with "38400" for models 3 and 7.
    std::vector<std::string> baudNames() const;
    int datumEntries() const { return datumCount(model_); }

    bool enabled(ConfigControl c) const { return state(c).enabled; }
    bool visible(ConfigControl c) const { return state(c).visible; }
    // Empty when the control has no tool tip.
    const std::string& toolTip(ConfigControl c) const { return state(c).tip; }
    // "Position Averaging", or "Position Pinning" for model 6.
    std::string averagingLabel() const;

    // Edit texts (edits and spin buddies) and check states.
    std::string text(ConfigControl c) const;
    void setText(ConfigControl c, const std::string& text);
    bool checked(ConfigControl c) const;
    void setChecked(ConfigControl c, bool on);
    // Selected index of a list (Datum, FixMode, DiffMode, Baud, Filter, DgpsMode); -1 for none.
    int selection(ConfigControl c) const;

    // What the user does while the dialog is open.
    void selectDatum(int index);
    void selectFilter(int index);
    void selectFixMode(int index);
    void selectDiffMode(int index);
    void selectDgpsMode(int index);
    void selectBaud(int index);
    void clickPowerSave(bool on);
    // One line step of a spin button (+1 up, -1 down).
    void spinLineStep(ConfigSpin spin, int direction);
    // Any other scroll notice, such as the release of an arrow.
    void spinEnd() { lineSteps_ = 0; }

    struct Problem {
        std::string message;
        ConfigControl focus;
    };
    // The checks of OK, in order; nothing when the dialog may close.
    std::optional<Problem> validate() const;
    // The stores after OK. Call only after validate() found nothing.
    void apply();

  private:
    struct ControlState {
        bool enabled = true;
        bool visible = true;
        std::string tip;
    };
    ControlState& state(ConfigControl c) { return states_[static_cast<std::size_t>(c)]; }
    const ControlState& state(ConfigControl c) const {
        return states_[static_cast<std::size_t>(c)];
    }
    void enable(std::initializer_list<ConfigControl> controls, bool on);
    void loadValues();
    void applyModelRules();
    void setPpsLengthGroup(bool on);
    void setBeaconGroup(bool on);
    void setUserDatumFields(bool on);
    int editInt(ConfigControl c) const;
    double editNumber(ConfigControl c) const;

    CQuorelDoc& doc_;
    SensorConfig& config_;
    const int model_;
    std::array<ControlState, static_cast<std::size_t>(ConfigControl::Count)> states_{};
    std::array<std::string, static_cast<std::size_t>(ConfigControl::Count)> texts_{};
    std::array<bool, static_cast<std::size_t>(ConfigControl::Count)> checks_{};
    int datum_ = 0;
    int fixMode_ = 0;
    int diffMode_ = 0;
    int baud_ = -1;
    int filter_ = 0;
    int dgpsMode_ = 0;
    int lineSteps_ = 0;
};
