#include "sensorcfg/DocFixture.h"
#include "sensorcfg/SensorConfigForm.h"

namespace {
using C = ConfigControl;

class SensorConfigFormTest : public DocTest {
  protected:
    SensorConfigForm open(int model) {
        resetToDefaults(config, model);
        doc->setModified(false);
        return SensorConfigForm(*doc, false);
    }
};

TEST_F(SensorConfigFormTest, OpeningEnablesControlsPerModel) {
    struct Case {
        int model;
        bool pps;
        bool ppsLength;
        bool powerSave;
        bool dgps;
        bool phase;
        bool nmea230;
        bool outputTime;
        bool baud;
        bool model0Switches;
        bool ppsAutoOff;
        bool beacon;
    };
    // Models 0, 1 and 4 start with DGPS mode "WAAS Only", so their beacon group is off.
    const Case cases[] = {
        {0, false, false, true, true, true, true, true, false, true, false, false},
        {1, false, false, true, false, false, false, false, false, false, false, false},
        {2, true, true, true, true, true, true, true, true, false, true, false},
        {3, false, false, true, true, true, true, false, true, false, false, false},
        {4, true, true, true, true, true, true, true, true, false, true, false},
        {5, false, false, true, true, true, true, true, true, false, false, false},
        {6, true, true, false, false, true, true, true, true, false, false, false},
        {7, true, true, true, true, true, true, true, true, false, true, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE("model " + std::to_string(k.model));
        const SensorConfigForm f = open(k.model);
        EXPECT_EQ(f.enabled(C::Pps), k.pps);
        EXPECT_EQ(f.checked(C::Pps), k.pps) << "PPS shows the configuration where enabled";
        for (C c : {C::PpsLength, C::PpsLengthLabel, C::PpsLengthSpin}) {
            EXPECT_EQ(f.enabled(c), k.ppsLength);
        }
        EXPECT_EQ(f.enabled(C::PowerSave), k.powerSave);
        EXPECT_EQ(f.enabled(C::DgpsMode), k.dgps);
        EXPECT_EQ(f.enabled(C::PhaseOutput), k.phase);
        EXPECT_EQ(f.enabled(C::DiffMode), k.phase);
        EXPECT_EQ(f.enabled(C::DiffModeLabel), k.phase);
        EXPECT_EQ(f.enabled(C::Nmea230), k.nmea230);
        for (C c : {C::OutputTime, C::OutputTimeSpin, C::OutputTimeLabel}) {
            EXPECT_EQ(f.enabled(c), k.outputTime);
        }
        EXPECT_EQ(f.enabled(C::Baud), k.baud);
        for (C c : {C::AdaptiveTx, C::IdleLinkOff, C::AutoPowerOn}) {
            EXPECT_EQ(f.enabled(c), k.model0Switches);
            EXPECT_EQ(f.toolTip(c).empty(), !k.model0Switches);
        }
        EXPECT_EQ(f.enabled(C::PpsAutoOff), k.ppsAutoOff);
        EXPECT_EQ(f.toolTip(C::PpsAutoOff).empty(), !k.ppsAutoOff);
        for (C c : {C::BeaconFrame, C::BeaconFreq, C::BeaconBitRate, C::AutoTune}) {
            EXPECT_EQ(f.enabled(c), k.beacon);
        }
        for (int m = 0; m < kModelCount; ++m) {
            const auto radio = static_cast<C>(static_cast<int>(C::Model0) + m);
            EXPECT_EQ(f.enabled(radio), m == k.model);
            EXPECT_EQ(f.checked(radio), m == k.model);
        }
        for (C c : {C::ResetUnit, C::ResetNonVol, C::SetAutolocate, C::TestMode}) {
            EXPECT_FALSE(f.enabled(c)) << "sensor buttons need a link";
        }
        EXPECT_EQ(f.datumEntries(), k.model == 1 ? 110 : 111);
        EXPECT_EQ(f.averagingLabel(), k.model == 6 ? "Position Pinning" : "Position Averaging");
        EXPECT_FALSE(f.enabled(C::DatumA)) << "WGS 84 needs no user datum";
    }
    EXPECT_EQ(open(0).toolTip(C::IdleLinkOff),
              "When enabled, the unit will Power Off when the Bluetooth\u00AE wireless link has "
              "been lost for more than 15 minutes.");
    SensorConfigForm connected(*doc, true);
    EXPECT_TRUE(connected.enabled(C::ResetUnit));
}

TEST_F(SensorConfigFormTest, BaudListHas38400OnlyForModels3And7) {
    EXPECT_EQ(open(2).baudNames(),
              (std::vector<std::string>{"300", "600", "1200", "2400", "4800", "9600", "19200"}));
    EXPECT_EQ(open(7).baudNames().back(), "38400");
    SensorConfigForm f = open(3);
    EXPECT_EQ(f.baudNames().back(), "38400");
    EXPECT_EQ(f.baudNames()[static_cast<std::size_t>(f.selection(C::Baud))], "19200");
    f.selectBaud(7);
    EXPECT_EQ(config.baudrate, 8) << "the rate's code is stored at once";
    EXPECT_TRUE(doc->isModified());
}

TEST_F(SensorConfigFormTest, ChoosingAStandardDatumResetsTheUserDatumAtOnce) {
    SensorConfigForm f = open(2);
    f.selectDatum(kUserDatum);
    EXPECT_TRUE(f.enabled(C::DatumA));
    EXPECT_TRUE(f.enabled(C::DatumZLabel));
    EXPECT_EQ(config.datum, kUserDatum);
    f.setText(C::DatumA, "6377000");
    f.setText(C::DatumX, "12.5");
    f.apply();
    EXPECT_EQ(config.datum_a, 6377000.0);
    EXPECT_EQ(config.dx, 12.5F);

    // A second opening chooses WGS 84 and is cancelled: the reset stays.
    SensorConfigForm again(*doc, false);
    EXPECT_TRUE(again.enabled(C::DatumA));
    again.selectDatum(kWgs84Datum);
    EXPECT_FALSE(again.enabled(C::DatumA));
    EXPECT_EQ(again.text(C::DatumA), "6378137");
    EXPECT_EQ(again.text(C::DatumF), "298.257223563");
    EXPECT_EQ(again.text(C::DatumX), "0");
    EXPECT_EQ(config.datum, kWgs84Datum);
    EXPECT_EQ(config.datum_a, kWgs84SemiMajorAxis);
    EXPECT_EQ(config.datum_df, kWgs84InverseFlattening);
    EXPECT_EQ(config.dx, 0.0F);
}

TEST_F(SensorConfigFormTest, BeaconFrequencyAndBitRateChecks) {
    const std::string freqMessage =
        "Please enter a valid 0.5 kHz Beacon Frequency\n   of 0.0 or between 283.5 and 325.0 kHz.";
    const std::string phaseMessage =
        "Can't have Phase Output Data and Beacon Tuning\nactive at the same time.  Please turn "
        "off Phase\n     Output or set Beacon Frequency to 0.0.\n";
    const std::string bitRateMessage =
        "Please enter a valid Beacon Bit\nRate of 0, 25, 50, 100, or 200.";
    struct Case {
        const char* freq;
        const char* bitRate;
        bool phase;
        std::string message;  // empty: accepted
        C focus;
    };
    const Case cases[] = {
        {"283.0", "0", false, freqMessage, C::BeaconFreq},
        {"325.5", "0", false, freqMessage, C::BeaconFreq},
        {"0.0", "0", false, "", C::BeaconFreq},
        {"325.0", "200", false, "", C::BeaconFreq},
        {"283.5", "25", false, "", C::BeaconFreq},
        {"300.0", "0", true, phaseMessage, C::BeaconFreq},
        {"0", "0", true, "", C::BeaconFreq},
        {"283.0", "75", true, bitRateMessage, C::BeaconBitRate},
        {"abc", "0", false, "Please enter a number.", C::BeaconFreq},
        {"300", "x", false, "Please enter an integer.", C::BeaconBitRate},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.freq) + " " + k.bitRate);
        SensorConfigForm f = open(2);
        f.setText(C::BeaconFreq, k.freq);
        f.setText(C::BeaconBitRate, k.bitRate);
        f.setChecked(C::PhaseOutput, k.phase);
        const auto problem = f.validate();
        if (k.message.empty()) {
            EXPECT_FALSE(problem) << problem->message;
        } else {
            ASSERT_TRUE(problem);
            EXPECT_EQ(problem->message, k.message);
            EXPECT_EQ(problem->focus, k.focus);
        }
    }
}

TEST_F(SensorConfigFormTest, FieldRangesAreCheckedInDialogOrder) {
    struct Case {
        C control;
        const char* text;
        std::string message;
    };
    const Case cases[] = {
        {C::LatDeg, "100", "Please enter an integer between 0 and 99."},
        {C::LatMin, "60.5", "Please enter a number between 0 and 60."},
        {C::LonDeg, "-1", "Please enter an integer between 0 and 180."},
        {C::Altitude, "18001", "Please enter a number between -1500 and 18000."},
        {C::DatumA, "6359999", "Please enter a number between 6360000 and 6380000."},
        {C::DatumF, "311", "Please enter a number between 285 and 310.999999999."},
        {C::DatumZ, "-5000.5", "Please enter a number between -5000 and 5000."},
        {C::PpsLength, "990", "Please enter an integer between 20 and 980."},
        {C::DeadReckoning, "31", "Please enter an integer between 0 and 30."},
        {C::OutputTime, "901", "Please enter an integer between 0 and 900."},
        {C::OutputTime, "", "Please enter an integer."},
        {C::LatMin, "1,5", "Please enter a number."},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        SensorConfigForm f = open(2);
        f.setText(k.control, k.text);
        f.setText(C::BeaconBitRate, "7");  // also wrong, but checked after the fields
        const auto problem = f.validate();
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->message, k.message);
        EXPECT_EQ(problem->focus, k.control);
    }
    SensorConfigForm f = open(2);
    f.setText(C::LatDeg, "100");
    f.setText(C::LonDeg, "200");
    EXPECT_EQ(f.validate()->focus, C::LatDeg);
}

TEST_F(SensorConfigFormTest, OutputTimeSpinSpeedsUpFromTheFifthStepAndARelease) {
    SensorConfigForm f = open(2);
    for (int i = 0; i < 7; ++i) {
        f.spinLineStep(ConfigSpin::OutputTime, +1);
    }
    EXPECT_EQ(f.text(C::OutputTime), "35");
    f.spinEnd();
    f.spinLineStep(ConfigSpin::OutputTime, +1);
    EXPECT_EQ(f.text(C::OutputTime), "36");
    // The count is shared: steps of another spin count towards the speed-up.
    f.spinEnd();
    for (int i = 0; i < 4; ++i) {
        f.spinLineStep(ConfigSpin::DeadReckoning, -1);
    }
    f.spinLineStep(ConfigSpin::OutputTime, -1);
    EXPECT_EQ(f.text(C::OutputTime), "26");
    EXPECT_EQ(f.text(C::DeadReckoning), "26");

    struct Limit {
        ConfigSpin spin;
        C control;
        const char* start;
        int direction;
        const char* end;
    };
    for (const Limit& k : {Limit{ConfigSpin::PpsLength, C::PpsLength, "960", +1, "980"},
                           Limit{ConfigSpin::PpsLength, C::PpsLength, "100", -1, "20"},
                           Limit{ConfigSpin::DeadReckoning, C::DeadReckoning, "0", -1, "1"},
                           Limit{ConfigSpin::OutputTime, C::OutputTime, "895", +1, "900"},
                           Limit{ConfigSpin::OutputTime, C::OutputTime, "3", -1, "1"}}) {
        f.spinEnd();
        f.setText(k.control, k.start);
        for (int i = 0; i < 12; ++i) {
            f.spinLineStep(k.spin, k.direction);
        }
        EXPECT_EQ(f.text(k.control), k.end) << k.start;
    }
}

TEST_F(SensorConfigFormTest, LiveRulesForFilterFixModeDgpsAndPowerSave) {
    SensorConfigForm f = open(1);
    EXPECT_FALSE(f.enabled(C::Altitude)) << "model 1: altitude only for 2D";
    f.selectFixMode(1);
    EXPECT_TRUE(f.enabled(C::Altitude));
    f.selectFixMode(2);
    EXPECT_FALSE(f.enabled(C::Altitude));
    f.selectDgpsMode(0);
    EXPECT_FALSE(f.enabled(C::BeaconFreq)) << "model 1 never has the beacon";
    f.clickPowerSave(true);
    EXPECT_EQ(config.psm, 1) << "power save is stored at once";

    SensorConfigForm g = open(5);
    g.selectFixMode(1);
    g.selectFixMode(2);
    EXPECT_TRUE(g.enabled(C::Altitude));
    EXPECT_FALSE(g.visible(C::FilterValue));
    EXPECT_EQ(g.text(C::FilterValue), "2");
    g.selectFilter(2);
    EXPECT_TRUE(g.visible(C::FilterValue));
    g.setText(C::BeaconFreq, "300");
    g.setText(C::BeaconBitRate, "50");
    g.setChecked(C::AutoTune, true);
    g.selectDgpsMode(2);
    EXPECT_TRUE(g.enabled(C::BeaconFreq));
    EXPECT_EQ(g.text(C::BeaconFreq), "0.0");
    EXPECT_EQ(g.text(C::BeaconBitRate), "0");
    EXPECT_FALSE(g.checked(C::AutoTune));
    g.selectDgpsMode(3);
    EXPECT_FALSE(g.enabled(C::BeaconFrame));
}

TEST_F(SensorConfigFormTest, OkStoresThroughTheHelpersPerModel) {
    struct Case {
        int model;
        const char* ppsMs;
        int ppslen;
        int cpo;
        int dgps;
    };
    for (const Case& k :
         {Case{0, "200", 9, 1, 2}, Case{1, "200", 4, 1, 2}, Case{5, "200", 4, 1, 2},
          Case{2, "200", 9, 1, 2}, Case{3, "60", 2, 1, 2}, Case{6, "40", 1, 1, 0}}) {
        SCOPED_TRACE(k.model);
        SensorConfigForm f = open(k.model);
        f.setText(C::PpsLength, k.ppsMs);
        f.setChecked(C::PhaseOutput, true);
        f.selectDgpsMode(2);
        f.setText(C::LatDeg, "45");
        f.setChecked(C::LatSouth, true);
        f.selectFilter(2);
        f.setText(C::FilterValue, "120");
        f.setChecked(C::AdaptiveTx, true);
        ASSERT_FALSE(f.validate());
        f.apply();
        EXPECT_EQ(config.ppslen, k.ppslen);
        EXPECT_EQ(config.cpo, k.cpo);
        EXPECT_EQ(config.dgpsmode, k.dgps);
        EXPECT_EQ(config.lat_deg, 45);
        EXPECT_EQ(config.lat_south, 1);
        EXPECT_EQ(config.filter, 120);
        EXPECT_EQ(config.adaptive_tx, k.model == 0 ? 1 : 0);
        EXPECT_TRUE(doc->isModified());
    }
    // Nothing changed: the document stays unmodified.
    SensorConfigForm f = open(4);
    f.apply();
    EXPECT_FALSE(doc->isModified());
}
}  // namespace
