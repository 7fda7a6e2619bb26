#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "gps/FakeGpsClock.h"
#include "gps/NmeaParser.h"

namespace {

const char* const kCaptures[] = {"garmin48.log.chk",        "GPSmap-76S.log.chk", "polarx2.log.chk",
                                 "ublox-lea-5q.log.chk",    "hab-gpspi.log.chk",  "ch-4711.log.chk",
                                 "nmea-fuzzy-cases.log.chk"};

std::vector<std::string> linesOf(const std::string& name) {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/nmea/" + name, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// A number after "key": in one of gpsd's JSON reports.
std::optional<double> jsonNumber(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\":");
    if (at == std::string::npos) {
        return std::nullopt;
    }
    return std::stod(json.substr(at + key.size() + 3));
}

GpsSentenceSet setFor(const std::string& name) {
    if (name == "GGA") {
        return GpsSentenceSet::GgaVtg;
    }
    return name == "GLL" ? GpsSentenceSet::GllVtg : GpsSentenceSet::Rmc;
}

// Each capture sentence alone through the parser, compared with the report gpsd wrote right
// after it from the same sentence.
TEST(RealCaptures, PositionsAgreeWithGpsdsDecoding) {
    int compared = 0;
    for (const char* file : kCaptures) {
        const std::vector<std::string> lines = linesOf(file);
        ASSERT_FALSE(lines.empty()) << file;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            const std::string& s = lines[i];
            const std::string& report = lines[i + 1];
            if (s.size() < 7 || s[0] != '$' ||
                report.find("\"class\":\"TPV\"") == std::string::npos) {
                continue;
            }
            const std::string name = s.substr(3, 3);
            if (name != "GGA" && name != "RMC" && name != "GLL") {
                continue;
            }
            GpsData d;
            FakeGpsClock clock;
            d.sentenceSet = setFor(name);
            DispatchSentence(s + "\r\n", d, clock);
            const auto lat = jsonNumber(report, "lat");
            if (!lat || d.positionsAdded == 0) {
                continue;  // no fix in the sentence, or gpsd reports a fix from another one
            }
            EXPECT_NEAR(d.fix.latitude, *lat, 1e-8) << file << ": " << s;
            EXPECT_NEAR(d.fix.longitude, *jsonNumber(report, "lon"), 1e-8) << file << ": " << s;
            if (name == "RMC") {
                if (const auto speed = jsonNumber(report, "speed")) {
                    EXPECT_NEAR(d.fix.speedKnots * 1852.0 / 3600.0, *speed, 0.001) << s;
                }
                if (const auto track = jsonNumber(report, "track")) {
                    EXPECT_NEAR(d.fix.headingDegrees, *track, 1e-4) << s;
                }
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 40);
}

// Every line of every capture as the reader would hand it over: nothing crashes, receivers
// without a fix give no position, and every position believed is on the globe.
TEST(RealCaptures, WholeCapturesParseWithoutHarm) {
    for (const char* file : kCaptures) {
        for (const GpsSentenceSet set : {GpsSentenceSet::GllVtg, GpsSentenceSet::GgaVtg,
                                         GpsSentenceSet::Rmc, GpsSentenceSet::Vtg}) {
            GpsData d;
            d.sentenceSet = set;
            FakeGpsClock clock;
            for (const std::string& line : linesOf(file)) {
                DispatchSentence(line + "\r\n", d, clock);
                ASSERT_LE(std::fabs(d.fix.latitude), 90.0) << file << ": " << line;
                ASSERT_LE(std::fabs(d.fix.longitude), 180.0) << file << ": " << line;
            }
            if (std::string(file) == "ublox-lea-5q.log.chk") {
                EXPECT_EQ(d.text[GpsText::Latitude], "n/a");
                EXPECT_EQ(d.positionsAdded, 0);
            }
        }
    }
}

TEST(RealCaptures, TwentyMinutesOfRmcDrawAContinuousTrack) {
    GpsData d;
    d.sentenceSet = GpsSentenceSet::Rmc;
    FakeGpsClock clock;
    int rmc = 0;
    for (const std::string& line : linesOf("signalk-gps.log")) {
        rmc += line.starts_with("$GPRMC") ? 1 : 0;
        DispatchSentence(line + "\r\n", d, clock);
    }
    EXPECT_EQ(rmc, 1201);
    EXPECT_EQ(d.positionsAdded, rmc);
    EXPECT_EQ(d.text[GpsText::Date], "03-APR-2014");
    EXPECT_EQ(d.text[GpsText::Latitude].substr(0, 3), "52.");
    EXPECT_NEAR(d.fix.longitude, 4.91, 0.05);
}

}  // namespace
