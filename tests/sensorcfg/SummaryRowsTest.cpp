#include <gtest/gtest.h>

#include <map>

#include "sensorcfg/SummaryRows.h"

namespace {
// The label in column 0 of each row from `first` to the end; blank rows give "".
std::vector<std::string> labelsFrom(const std::vector<SummaryCell>& cells, int first) {
    std::map<int, std::string> byRow;
    int last = first;
    for (const SummaryCell& c : cells) {
        if (c.column == 0 && c.row >= first) {
            byRow[c.row] = c.text;
            last = std::max(last, c.row);
        }
    }
    std::vector<std::string> labels;
    for (int r = first; r <= last; ++r) {
        labels.push_back(byRow.count(r) ? byRow[r] : "");
    }
    return labels;
}

std::string valueAt(const std::vector<SummaryCell>& cells, int row, int column) {
    for (const SummaryCell& c : cells) {
        if (c.row == row && c.column == column && !c.label) {
            return c.text;
        }
    }
    return "<none>";
}

SensorConfig configFor(int model, int dgpsmode) {
    SensorConfig c;
    resetToDefaults(c, model);
    c.dgpsmode = static_cast<std::int16_t>(dgpsmode);
    return c;
}

TEST(SummaryRows, DefaultConfigurationReadsAsOnScreen) {
    const std::string expected =
        "Configuration file:  Untitled\n"
        "GPS Base Model:      Dunmore\n"
        "                                           Selected\n"
        "Latitude:            00\u00B0 00.000' N         Sentences:\n"
        "Longitude:           000\u00B0 00.000' E        GPGGA\n"
        "Altitude:            300.0 meters          GPGSA\n"
        "                                           GPGSV\n"
        "Fix mode:            Automatic             GPRMC\n"
        "Filter mode:         Automatic             GPVTG\n"
        "Baud rate:           4800 bps              PTVRB\n"
        "Dead Reckon Time:    30 sec                PTVRE\n"
        "NMEA Output Time:    1 sec                 PTVRT\n"
        "Position Averaging:  Off                   PTVRM\n"
        "NMEA 2.30 Mode:      Off\n"
        "Power Save Mode:     Off (Normal Mode)\n"
        "PPS mode:            1 Hz\n"
        "PPS Length:          100 msec\n"
        "PPS Auto Off:        Off\n"
        "Phase Output Data:   Off\n"
        "DGPS Mode:           WAAS Only\n"
        "Differential mode:   Automatic\n"
        "Earth datum index:   WGS 84\n";
    EXPECT_EQ(summaryText(summaryCells(configFor(2, 1), "Untitled")), expected);
}

TEST(SummaryRows, EachModelListsItsSettingsInOrder) {
    const std::vector<std::string> beacon = {
        "Beacon - Freq:", "       - Bit Rate:", "       - Auto Tune:"};
    auto join = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::vector<std::string> model3 = {
        "", "Position Averaging:", "NMEA 2.30 Mode:", "Power Save Mode:",  "",
        "", "Phase Output Data:",  "DGPS Mode:",      "Differential mode:"};
    std::vector<std::string> model5 = model3;
    model5[0] = "NMEA Output Time:";
    const std::vector<std::string> model247 = {
        "NMEA Output Time:", "Position Averaging:", "NMEA 2.30 Mode:", "Power Save Mode:",
        "PPS mode:",         "PPS Length:",         "PPS Auto Off:",   "Phase Output Data:",
        "DGPS Mode:",        "Differential mode:"};
    const std::vector<std::string> model0 = {
        "NMEA Output Time:",  "Position Averaging:", "NMEA 2.30 Mode:",
        "Power Save Mode:",   "Auto Power On Mode:", "",
        "Phase Output Data:", "DGPS Mode:",          "Differential mode:"};
    const std::vector<std::string> model0Tail = {"Adaptive TX:", "Auto Off:", "External Power-On:"};
    const std::vector<std::string> model6 = {
        "NMEA Output Time:", "Position Averaging:", "NMEA 2.30 Mode:",   "PPS mode:",
        "PPS Length:",       "Phase Output Data:",  "Differential mode:"};
    const std::vector<std::string> datum = {"Earth datum index:"};
    struct Case {
        int model;
        int dgpsmode;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {0, 0, join(join(join(model0, beacon), model0Tail), datum)},
        {0, 1, join(join(model0, model0Tail), datum)},
        {1, 0, datum},
        {2, 2, join(join(model247, beacon), datum)},
        {4, 3, join(model247, datum)},
        {7, 0, join(join(model247, beacon), datum)},
        {3, 0, join(join(model3, beacon), datum)},
        {3, 1, join(model3, datum)},
        {5, 2, join(join(model5, beacon), datum)},
        {5, 3, join(model5, datum)},
        {6, 1, join(join(model6, beacon), datum)},
        {6, 3, join(join(model6, beacon), datum)},
        {9, 0, datum},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE("model " + std::to_string(k.model) + " dgps " + std::to_string(k.dgpsmode));
        EXPECT_EQ(labelsFrom(summaryCells(configFor(k.model, k.dgpsmode), "a.cfg"), 11), k.labels);
    }
}

TEST(SummaryRows, FixedRowsShowTheirValueFormats) {
    SensorConfig c = configFor(0, 0);
    c.lat_deg = 5;
    c.lat_min = 7.25F;
    c.lat_south = 1;
    c.lon_deg = 12;
    c.lon_min = 59.9999F;
    c.lon_west = 1;
    c.alt = -1500.0F;
    c.fixmode = 2;
    c.filter = 200;
    c.vldtime = 7;
    c.ppsmode = 1;
    c.psm = 1;
    c.bcn_freq = 300.5F;
    c.bcn_br = 50;
    const auto cells = summaryCells(c, "survey.cfg");
    EXPECT_EQ(valueAt(cells, 0, 21), "survey.cfg");
    EXPECT_EQ(valueAt(cells, 1, 21), "Brisa");
    EXPECT_EQ(valueAt(cells, 3, 21), "05\u00B0 07.250' S");
    EXPECT_EQ(valueAt(cells, 4, 21), "012\u00B0 60.000' W");
    EXPECT_EQ(valueAt(cells, 5, 21), "-1500.0 meters");
    EXPECT_EQ(valueAt(cells, 7, 21), "3D Exclusively");
    EXPECT_EQ(valueAt(cells, 8, 21), "200");
    // Model 0 has no baud rate row; the rows below keep their places.
    EXPECT_EQ(labelsFrom(cells, 9).front(), "");
    EXPECT_EQ(valueAt(cells, 10, 21), "7 sec");
    EXPECT_EQ(valueAt(cells, 14, 21), "On");         // power save
    EXPECT_EQ(valueAt(cells, 15, 21), "On");         // auto power on shows the PPS setting
    EXPECT_EQ(valueAt(cells, 18, 21), "Automatic");  // DGPS mode 0
    EXPECT_EQ(valueAt(cells, 20, 21), "300.5 kHz");
    EXPECT_EQ(valueAt(cells, 21, 21), "50 bps");

    c.model = 3;
    c.filter = 0;
    c.baudrate = 9;
    c.dgpsmode = 3;
    c.ppslen = 0;
    const auto other = summaryCells(c, "x");
    EXPECT_EQ(valueAt(other, 1, 21), "Elston");
    EXPECT_EQ(valueAt(other, 8, 21), "None");
    EXPECT_EQ(valueAt(other, 9, 21), "0 bps");
    EXPECT_EQ(valueAt(other, 18, 21), "None");
}

TEST(SummaryRows, UserDatumAddsTheEllipsoidAndShiftRows) {
    SensorConfig c = configFor(1, 1);
    c.datum = kUserDatum;
    c.datum_a = 6377397.155;
    c.datum_df = 299.1528128;
    c.dx = -87.0F;
    c.dy = 98.5F;
    c.dz = 121.0F;
    const auto cells = summaryCells(c, "x");
    EXPECT_EQ(labelsFrom(cells, 11),
              (std::vector<std::string>{"Earth datum index:", "DA:                  DF:",
                                        "DX:                  DY:                   DZ:"}));
    EXPECT_EQ(valueAt(cells, 11, 21), "User Defined");
    EXPECT_EQ(valueAt(cells, 12, 4), "6377397.155");
    EXPECT_EQ(valueAt(cells, 12, 25), "299.152812800");
    EXPECT_EQ(valueAt(cells, 13, 4), "-87.0");
    EXPECT_EQ(valueAt(cells, 13, 25), "98.5");
    EXPECT_EQ(valueAt(cells, 13, 47), "121.0");
    const std::string text = summaryText(cells);
    EXPECT_NE(text.find("DA: 6377397.155      DF: 299.152812800\n"), std::string::npos) << text;
    EXPECT_NE(text.find("DX: -87.0            DY: 98.5              DZ: 121.0\n"),
              std::string::npos)
        << text;
}

TEST(SummaryRows, EnabledSentencesFillColumn43InTableOrder) {
    SensorConfig c = configFor(6, 0);
    c.sentences.fill(0);
    c.sentences[GPGLL] = 1;
    c.sentences[LCGLL] = 1;
    c.sentences[GPGGA] = 1;
    const auto cells = summaryCells(c, "x");
    EXPECT_EQ(valueAt(cells, 4, 43), "GPGGA");
    EXPECT_EQ(valueAt(cells, 5, 43), "LCGLL");
    EXPECT_EQ(valueAt(cells, 6, 43), "GPGLL");
    EXPECT_EQ(valueAt(cells, 7, 43), "<none>");
    int labels = 0;
    for (const SummaryCell& cell : cells) {
        labels += cell.label && cell.column == 43;
    }
    EXPECT_EQ(labels, 2);  // "Selected" and "Sentences:"
}

TEST(SummaryRows, ALongTitleNeverRunsIntoTheNextCell) {
    SensorConfig c = configFor(2, 1);
    const std::string title(40, 'x');
    const std::string text = summaryText(summaryCells(c, title));
    EXPECT_EQ(text.substr(0, text.find('\n')), "Configuration file:  " + title);
    EXPECT_EQ(summaryExtent(summaryCells(c, title)).rows, 22);
}
}  // namespace
