#include "sensorcfg/SensorConfigForm.h"

#include <algorithm>

#include "sensorcfg/CQuorelDoc.h"
#include "sensorcfg/DialogValidation.h"

namespace {
using C = ConfigControl;
namespace dv = dialog_validation;

constexpr int kUserDefineFilter = 2;
constexpr int kWaasOnly = 1;
constexpr int kNoDgps = 3;
constexpr int kFix2D = 1;
const char* const kAdaptiveTip =
    "When enabled, the unit will filter out the NMEA sentences when the position does not "
    "change.";
const char* const kIdleOffTip =
    "When enabled, the unit will Power Off when the Bluetooth\u00AE wireless link has been lost "
    "for more than 15 minutes.";
const char* const kAutoPowerOnTip =
    "When enabled, the unit will Power On when external power is applied.";
const char* const kPpsAutoOffTip =
    "Enabling PPS Auto Off will cause PPS output to stop when there is a loss of position fix.";

ConfigControl modelRadio(int model) {
    return static_cast<ConfigControl>(static_cast<int>(C::Model0) + model);
}
}  // namespace

const std::vector<std::string>& SensorConfigForm::fixModeNames() {
    static const std::vector<std::string> names = {"Automatic", "2D", "3D"};
    return names;
}

const std::vector<std::string>& SensorConfigForm::diffModeNames() {
    static const std::vector<std::string> names = {"Automatic", "Differential exclusively"};
    return names;
}

const std::vector<std::string>& SensorConfigForm::filterNames() {
    static const std::vector<std::string> names = {"None", "Automatic", "User define"};
    return names;
}

const std::vector<std::string>& SensorConfigForm::dgpsModeNames() {
    static const std::vector<std::string> names = {"Automatic", "WAAS Only", "RTCM Only", "None"};
    return names;
}

std::vector<std::string> SensorConfigForm::baudNames() const {
    std::vector<std::string> names = {"300", "600", "1200", "2400", "4800", "9600", "19200"};
    if (model_ == 3 || model_ == 7) {
        names.emplace_back("38400");
    }
    return names;
}

SensorConfigForm::SensorConfigForm(CQuorelDoc& doc, bool connected)
    : doc_(doc), config_(doc.config()), model_(doc.config().model) {
    loadValues();
    applyModelRules();
    enable({C::ResetUnit, C::ResetNonVol, C::SetAutolocate, C::TestMode}, connected);
}

void SensorConfigForm::loadValues() {
    const SensorConfig& c = config_;
    auto single = [](float v) { return dv::formatNumber(v, dv::kSingleDigits); };
    setText(C::LatDeg, std::to_string(c.lat_deg));
    setText(C::LatMin, single(c.lat_min));
    setText(C::LonDeg, std::to_string(c.lon_deg));
    setText(C::LonMin, single(c.lon_min));
    setText(C::Altitude, single(c.alt));
    setText(C::DatumA, dv::formatNumber(c.datum_a, dv::kDoubleDigits));
    setText(C::DatumF, dv::formatNumber(c.datum_df, dv::kDoubleDigits));
    setText(C::DatumX, single(c.dx));
    setText(C::DatumY, single(c.dy));
    setText(C::DatumZ, single(c.dz));
    setText(C::FilterValue, std::to_string(c.filter));
    setText(C::PpsLength, std::to_string((c.ppslen + 1) * 20));
    setText(C::DeadReckoning, std::to_string(c.vldtime));
    setText(C::OutputTime, std::to_string(c.outtime));
    setText(C::BeaconFreq, single(c.bcn_freq));
    setText(C::BeaconBitRate, std::to_string(c.bcn_br));

    setChecked(C::LatSouth, c.lat_south != 0);
    setChecked(C::LatNorth, c.lat_south == 0);
    setChecked(C::LonWest, c.lon_west != 0);
    setChecked(C::LonEast, c.lon_west == 0);
    setChecked(C::Pps, c.ppsmode != 0);
    setChecked(C::PositionAveraging, c.avg != 0);
    setChecked(C::PhaseOutput, c.cpo != 0);
    setChecked(C::Nmea230, c.nmea230 != 0);
    setChecked(C::PowerSave, c.psm != 0);
    setChecked(C::AutoTune, c.bcn_auto != 0);
    setChecked(C::PpsAutoOff, c.pps_auto_off != 0);

    datum_ = c.datum >= 0 && c.datum < datumEntries() ? c.datum : -1;
    fixMode_ = c.fixmode;
    diffMode_ = c.diffmode;
    filter_ = std::clamp<int>(c.filter, 0, kUserDefineFilter);
    dgpsMode_ = c.dgpsmode;
    const auto names = baudNames();
    const auto found =
        std::find(names.begin(), names.end(), std::to_string(baudCodeToRate(c.baudrate)));
    baud_ = found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

void SensorConfigForm::enable(std::initializer_list<ConfigControl> controls, bool on) {
    for (ConfigControl c : controls) {
        state(c).enabled = on;
    }
}

void SensorConfigForm::setPpsLengthGroup(bool on) {
    enable({C::PpsLength, C::PpsLengthLabel, C::PpsLengthSpin}, on);
    enable({C::PhaseOutput, C::DiffMode, C::DiffModeLabel}, true);
}

void SensorConfigForm::setBeaconGroup(bool on) {
    enable({C::BeaconFrame, C::BeaconFreqLabel, C::BeaconBitRateLabel, C::BeaconFreq,
            C::BeaconBitRate, C::AutoTune},
           on);
}

void SensorConfigForm::setUserDatumFields(bool on) {
    enable({C::DatumA, C::DatumF, C::DatumX, C::DatumY, C::DatumZ, C::DatumALabel, C::DatumFLabel,
            C::DatumXLabel, C::DatumYLabel, C::DatumZLabel},
           on);
}

void SensorConfigForm::applyModelRules() {
    for (int m = 0; m < kModelCount; ++m) {
        state(modelRadio(m)).enabled = false;
    }
    enable({C::PpsAutoOff, C::AdaptiveTx, C::IdleLinkOff, C::AutoPowerOn}, false);
    auto noPps = [this] {
        setChecked(C::Pps, false);
        enable({C::Pps}, false);
        setPpsLengthGroup(false);
    };
    auto withPps = [this] {
        setChecked(C::Pps, config_.ppsmode != 0);
        enable({C::Pps}, true);
        setPpsLengthGroup(true);
    };
    switch (model_) {
        case 0:
            noPps();
            enable({C::AdaptiveTx, C::IdleLinkOff, C::AutoPowerOn}, true);
            setChecked(C::AdaptiveTx, config_.adaptive_tx != 0);
            setChecked(C::IdleLinkOff, config_.auto_off != 0);
            setChecked(C::AutoPowerOn, config_.ext_pwr_on != 0);
            state(C::AdaptiveTx).tip = kAdaptiveTip;
            state(C::IdleLinkOff).tip = kIdleOffTip;
            state(C::AutoPowerOn).tip = kAutoPowerOnTip;
            enable({C::Baud}, false);
            break;
        case 1:
            noPps();
            enable({C::PowerSave}, true);
            enable({C::DgpsMode, C::DgpsModeLabel, C::PhaseOutput, C::DiffMode, C::DiffModeLabel,
                    C::Nmea230, C::OutputTime, C::OutputTimeSpin, C::OutputTimeLabel, C::Baud},
                   false);
            enable({C::Altitude, C::AltitudeLabel}, fixMode_ == kFix2D);
            break;
        case 2:
        case 4:
        case 7:
            withPps();
            enable({C::PpsAutoOff}, true);
            state(C::PpsAutoOff).tip = kPpsAutoOffTip;
            break;
        case 3:
            noPps();
            enable({C::OutputTime, C::OutputTimeSpin, C::OutputTimeLabel}, false);
            break;
        case 5:
            noPps();
            break;
        case 6:
            withPps();
            setChecked(C::PowerSave, false);
            enable({C::PowerSave, C::DgpsMode}, false);
            break;
        default:
            break;
    }
    if (model_ >= 0 && model_ < kModelCount) {
        state(modelRadio(model_)).enabled = true;
        setChecked(modelRadio(model_), true);
    }
    setBeaconGroup(!(dgpsMode_ == kWaasOnly || dgpsMode_ == kNoDgps || model_ == 1));
    setUserDatumFields(datum_ == kUserDatum);
    selectFilter(filter_);
}

std::string SensorConfigForm::averagingLabel() const {
    return model_ == 6 ? "Position Pinning" : "Position Averaging";
}

std::string SensorConfigForm::text(ConfigControl c) const {
    return texts_[static_cast<std::size_t>(c)];
}

void SensorConfigForm::setText(ConfigControl c, const std::string& text) {
    texts_[static_cast<std::size_t>(c)] = text;
}

bool SensorConfigForm::checked(ConfigControl c) const {
    return checks_[static_cast<std::size_t>(c)];
}

void SensorConfigForm::setChecked(ConfigControl c, bool on) {
    checks_[static_cast<std::size_t>(c)] = on;
    // The hemisphere radios are pairs.
    auto pair = [&](ConfigControl a, ConfigControl b) {
        if (c == a || c == b) {
            checks_[static_cast<std::size_t>(c == a ? b : a)] = !on;
        }
    };
    pair(C::LatNorth, C::LatSouth);
    pair(C::LonEast, C::LonWest);
}

int SensorConfigForm::selection(ConfigControl c) const {
    switch (c) {
        case C::Datum:
            return datum_;
        case C::FixMode:
            return fixMode_;
        case C::DiffMode:
            return diffMode_;
        case C::Baud:
            return baud_;
        case C::Filter:
            return filter_;
        case C::DgpsMode:
            return dgpsMode_;
        default:
            return -1;
    }
}

void SensorConfigForm::selectDatum(int index) {
    datum_ = index;
    doc_.store(config_.datum, index);
    setUserDatumFields(index == kUserDatum);
    if (index == kUserDatum) {
        return;
    }
    doc_.store(config_.datum_a, kWgs84SemiMajorAxis);
    doc_.store(config_.datum_df, kWgs84InverseFlattening);
    doc_.store(config_.dx, 0.0F);
    doc_.store(config_.dy, 0.0F);
    doc_.store(config_.dz, 0.0F);
    setText(C::DatumA, dv::formatNumber(kWgs84SemiMajorAxis, dv::kDoubleDigits));
    setText(C::DatumF, dv::formatNumber(kWgs84InverseFlattening, dv::kDoubleDigits));
    for (ConfigControl shift : {C::DatumX, C::DatumY, C::DatumZ}) {
        setText(shift, "0");
    }
}

void SensorConfigForm::selectFilter(int index) {
    filter_ = index;
    state(C::FilterValue).visible = index == kUserDefineFilter;
    if (index != kUserDefineFilter) {
        const auto value = dv::parseInteger(text(C::FilterValue));
        if (!value || *value < 2) {
            setText(C::FilterValue, "2");
        }
    }
}

void SensorConfigForm::selectFixMode(int index) {
    fixMode_ = index;
    if (model_ == 1) {
        enable({C::Altitude, C::AltitudeLabel}, index == kFix2D);
    }
}

void SensorConfigForm::selectDiffMode(int index) {
    diffMode_ = index;
}

void SensorConfigForm::selectDgpsMode(int index) {
    dgpsMode_ = index;
    if (index == kWaasOnly || index == kNoDgps || model_ == 1) {
        setBeaconGroup(false);
        return;
    }
    setBeaconGroup(true);
    setText(C::BeaconFreq, "0.0");
    setText(C::BeaconBitRate, "0");
    setChecked(C::AutoTune, false);
}

void SensorConfigForm::selectBaud(int index) {
    const auto names = baudNames();
    if (index < 0 || index >= static_cast<int>(names.size())) {
        return;
    }
    baud_ = index;
    doc_.store(config_.baudrate, baudRateToCode(static_cast<int>(
                                     *dv::parseInteger(names[static_cast<std::size_t>(index)]))));
}

void SensorConfigForm::clickPowerSave(bool on) {
    setChecked(C::PowerSave, on);
    doc_.store(config_.psm, on ? 1 : 0);
}

int SensorConfigForm::editInt(ConfigControl c) const {
    return static_cast<int>(dv::parseInteger(text(c)).value_or(0));
}

double SensorConfigForm::editNumber(ConfigControl c) const {
    return dv::parseNumber(text(c)).value_or(0.0);
}

void SensorConfigForm::spinLineStep(ConfigSpin spin, int direction) {
    ++lineSteps_;
    const int dir = direction > 0 ? 1 : -1;
    switch (spin) {
        case ConfigSpin::PpsLength:
            setText(C::PpsLength,
                    std::to_string(std::clamp(editInt(C::PpsLength) + 20 * dir, 20, 980)));
            break;
        case ConfigSpin::DeadReckoning:
            setText(C::DeadReckoning,
                    std::to_string(std::clamp(editInt(C::DeadReckoning) + dir, 1, 30)));
            break;
        case ConfigSpin::OutputTime: {
            // Holding the arrow speeds up from the fifth step, for the long output times.
            const int step = lineSteps_ >= 5 ? 10 : 1;
            setText(C::OutputTime,
                    std::to_string(std::clamp(editInt(C::OutputTime) + step * dir, 1, 900)));
            break;
        }
    }
}
