// The OK step of the "Sensor Configuration" dialog: checks in order, then the stores.
#include <algorithm>
#include <cstdio>
#include <variant>

#include "sensorcfg/CQuorelDoc.h"
#include "sensorcfg/DialogValidation.h"
#include "sensorcfg/SensorConfigForm.h"

namespace {
using C = ConfigControl;
namespace dv = dialog_validation;

constexpr int kUserDefineFilter = 2;
constexpr int kValidBitRates[] = {0, 25, 50, 100, 200};
constexpr double kLowestBeaconKHz = 283.5;
constexpr double kHighestBeaconKHz = 325.0;
constexpr double kBeaconStepKHz = 0.5;

std::string format(const char* fmt, auto... args) {
    char buf[256];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

struct IntField {
    ConfigControl control;
    long low;
    long high;
};
struct NumberField {
    ConfigControl control;
    double low;
    double high;
    int digits;
};
}  // namespace

std::optional<SensorConfigForm::Problem> SensorConfigForm::validate() const {
    const int single = dv::kSingleDigits;
    // The order of the fields in the dialog, so the first wrong one gets the focus.
    using Field = std::variant<IntField, NumberField>;
    const Field fields[] = {
        IntField{C::LatDeg, 0, 99},
        NumberField{C::LatMin, 0, 60, single},
        IntField{C::LonDeg, 0, 180},
        NumberField{C::LonMin, 0, 60, single},
        NumberField{C::Altitude, -1500, 18000, single},
        NumberField{C::DatumA, 6360000, 6380000, dv::kDoubleDigits},
        NumberField{C::DatumF, 285, 310.999999999, dv::kDoubleDigits},
        NumberField{C::DatumX, -5000, 5000, single},
        NumberField{C::DatumY, -5000, 5000, single},
        NumberField{C::DatumZ, -5000, 5000, single},
        IntField{C::FilterValue, 2, 255},
        IntField{C::PpsLength, 20, 980},
        IntField{C::DeadReckoning, 0, 30},
        IntField{C::OutputTime, 0, 900},
        NumberField{C::BeaconFreq, -1e30, 1e30, single},
        IntField{C::BeaconBitRate, -32768, 32767},
    };
    for (const Field& field : fields) {
        std::optional<std::string> problem;
        ConfigControl control{};
        if (const auto* i = std::get_if<IntField>(&field)) {
            control = i->control;
            problem = dv::checkInteger(text(control), i->low, i->high);
        } else {
            const auto& n = std::get<NumberField>(field);
            control = n.control;
            problem = dv::checkNumber(text(control), n.low, n.high, n.digits);
            // The beacon frequency has its own message below; only its form is checked here.
            if (problem && control == C::BeaconFreq && dv::parseNumber(text(control))) {
                problem.reset();
            }
        }
        if (problem) {
            return Problem{*problem, control};
        }
    }

    const long bitRate = *dv::parseInteger(text(C::BeaconBitRate));
    if (std::find(std::begin(kValidBitRates), std::end(kValidBitRates), bitRate) ==
        std::end(kValidBitRates)) {
        return Problem{format("Please enter a valid Beacon Bit\nRate of %d, %d, %d, %d, or %d.",
                              kValidBitRates[0], kValidBitRates[1], kValidBitRates[2],
                              kValidBitRates[3], kValidBitRates[4]),
                       C::BeaconBitRate};
    }
    const auto freq = static_cast<float>(*dv::parseNumber(text(C::BeaconFreq)));
    const bool freqValid = freq == 0.0F || (freq >= kLowestBeaconKHz && freq <= kHighestBeaconKHz);
    if (!freqValid) {
        return Problem{format("Please enter a valid %.1f kHz Beacon Frequency\n   of %.1f or "
                              "between %.1f and %.1f kHz.",
                              kBeaconStepKHz, 0.0, kLowestBeaconKHz, kHighestBeaconKHz),
                       C::BeaconFreq};
    }
    if (checked(C::PhaseOutput) && freq != 0.0F) {
        return Problem{format("Can't have Phase Output Data and Beacon Tuning\nactive at the same "
                              "time.  Please turn off Phase\n     Output or set Beacon Frequency "
                              "to %.1f.\n",
                              0.0),
                       C::BeaconFreq};
    }
    return std::nullopt;
}

void SensorConfigForm::apply() {
    SensorConfig& c = config_;
    CQuorelDoc& d = doc_;
    d.store(c.lat_deg, editInt(C::LatDeg));
    d.store(c.lat_min, static_cast<float>(editNumber(C::LatMin)));
    d.store(c.lat_south, checked(C::LatSouth) ? 1 : 0);
    d.store(c.lon_deg, editInt(C::LonDeg));
    d.store(c.lon_min, static_cast<float>(editNumber(C::LonMin)));
    d.store(c.lon_west, checked(C::LonWest) ? 1 : 0);
    d.store(c.alt, static_cast<float>(editNumber(C::Altitude)));
    d.store(c.datum_a, editNumber(C::DatumA));
    d.store(c.datum_df, editNumber(C::DatumF));
    d.store(c.dx, static_cast<float>(editNumber(C::DatumX)));
    d.store(c.dy, static_cast<float>(editNumber(C::DatumY)));
    d.store(c.dz, static_cast<float>(editNumber(C::DatumZ)));
    d.store(c.diffmode, diffMode_);
    if (datum_ >= 0) {
        d.store(c.datum, datum_);
    }
    d.store(c.filter, filter_ == kUserDefineFilter ? editInt(C::FilterValue) : filter_);
    d.store(c.fixmode, fixMode_);
    d.store(c.ppsmode, checked(C::Pps) ? 1 : 0);
    d.store(c.pps_auto_off, checked(C::PpsAutoOff) ? 1 : 0);
    d.store(c.vldtime, editInt(C::DeadReckoning));
    d.store(c.outtime, editInt(C::OutputTime));
    d.store(c.avg, checked(C::PositionAveraging) ? 1 : 0);
    d.store(c.nmea230, checked(C::Nmea230) ? 1 : 0);

    const int lengthCode = editInt(C::PpsLength) / 20 - 1;
    switch (model_) {
        case 0:
            d.store(c.ppslen, lengthCode);
            d.store(c.adaptive_tx, checked(C::AdaptiveTx) ? 1 : 0);
            d.store(c.auto_off, checked(C::IdleLinkOff) ? 1 : 0);
            d.store(c.ext_pwr_on, checked(C::AutoPowerOn) ? 1 : 0);
            break;
        case 1:
        case 5:
            d.store(c.ppslen, 4);
            break;
        case 6:
            d.store(c.ppslen, lengthCode);
            d.store(c.cpo, checked(C::PhaseOutput) ? 1 : 0);
            d.store(c.dgpsmode, 0);
            break;
        default:
            d.store(c.ppslen, lengthCode);
            break;
    }
    if (model_ != 6) {
        d.store(c.cpo, checked(C::PhaseOutput) ? 1 : 0);
        d.store(c.dgpsmode, dgpsMode_);
    }
    d.store(c.bcn_freq, static_cast<float>(editNumber(C::BeaconFreq)));
    d.store(c.bcn_br, editInt(C::BeaconBitRate));
    d.store(c.bcn_auto, checked(C::AutoTune) ? 1 : 0);
}
