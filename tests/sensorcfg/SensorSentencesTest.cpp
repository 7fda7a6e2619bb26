#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sensorcfg/LineAssembler.h"
#include "sensorcfg/SensorSentences.h"

namespace {
namespace ss = sensor_sentences;

std::vector<std::string> cut(const std::string& bytes, std::size_t split) {
    std::vector<std::string> lines;
    LineAssembler a([&](const std::string& l) { lines.push_back(l); });
    a.feed(bytes.substr(0, split));
    a.feed(bytes.substr(split));
    return lines;
}

TEST(LineAssembler, WholeLinesWhereverTheStreamIsSplit) {
    const std::string bytes = "$GPGGA,1\r\n\n\n$PTVRO,,\r\nxx$GPRMC,2\n";
    const std::vector<std::string> expected = {"$GPGGA,1\r\n", "$PTVRO,,\r\n", "xx$GPRMC,2\n"};
    for (std::size_t split = 0; split <= bytes.size(); ++split) {
        EXPECT_EQ(cut(bytes, split), expected) << "split at " << split;
    }
}

TEST(LineAssembler, ALineOfMoreThan200CharactersIsDroppedWhole) {
    const std::string longest(200, 'a');
    // A tail after the 200th character must not come through as a line of its own, even when
    // it looks like a sentence.
    const std::string overlong = std::string(200, 'b') + "$PTVRO,,";
    const std::string bytes = longest + "\r\n" + overlong + "\r\n" + std::string(201, 'c') + "\n" +
                              longest + "\r\r\n" + "$GPGGA\r\n";
    for (std::size_t split : {std::size_t{0}, std::size_t{200}, std::size_t{305}, bytes.size()}) {
        EXPECT_EQ(cut(bytes, split), (std::vector<std::string>{longest + "\r\n", "$GPGGA\r\n"}))
            << "split at " << split;
    }
}

SensorConfig model(int m) {
    SensorConfig c;
    resetToDefaults(c, m);
    c.lat_deg = 47;
    c.lat_min = 36.123F;
    c.lon_deg = 122;
    c.lon_min = 19.5F;
    c.lon_west = 1;
    return c;
}

const UtcTime kNow{2024, 3, 7, 14, 5, 9};

TEST(SensorSentences, UploadSequencePerBaseModel) {
    const std::string selections2 =
        "$PTVRO,GPGGA,1\r\n$PTVRO,GPGSA,1\r\n$PTVRO,GPGSV,1\r\n$PTVRO,GPRMC,1\r\n"
        "$PTVRO,GPVTG,1\r\n$PTVRO,LCGLL,0\r\n$PTVRO,LCVTG,0\r\n$PTVRO,PTVRB,1\r\n"
        "$PTVRO,PTVRE,1\r\n$PTVRO,PTVRF,0\r\n$PTVRO,PTVRT,1\r\n$PTVRO,PTVRV,0\r\n"
        "$PTVRO,PTVRM,1\r\n$PTVRO,GPGLL,0\r\n";
    const std::string position = "$PTVRI,4736.123,N,12219.500,W,070324,140509\r\n";
    struct Case {
        int model;
        std::string tail;  // everything after the position sentence
    };
    for (const Case& k : {
             Case{1, "$PTVRC,A,300.0,100,,,,,,A,3,1,1,4,30\r\n$PTVRO,,B\r\n"},
             Case{0,
                  "$PTVRC,A,300.0,100,,,,,,A,3,1,1,4,30\r\n"
                  "$PTVRC1,1,1,1,0.0,0,1,1,W,N,1,1,1\r\n"},
             Case{2,
                  "$PTVRC,A,300.0,100,,,,,,A,3,1,2,4,30\r\n"
                  "$PTVRC1,1,1,1,0.0,0,1,1,W,N,,,,1\r\n"},
             Case{6,
                  "$PTVRC,A,300.0,100,,,,,,A,3,1,2,4,30\r\n"
                  "$PTVRC1,1,2,1,0.0,0,1,1,W,N,,,,1\r\n$PTVRI,,,,,,,R\r\n"},
         }) {
        SCOPED_TRACE(k.model);
        const auto sentences = ss::uploadSentences(model(k.model), kNow);
        std::string all;
        for (const std::string& s : sentences) {
            all += s;
        }
        ASSERT_GE(sentences.size(), 17u);
        EXPECT_EQ(sentences[14], position);
        EXPECT_EQ(all.substr(all.find(position) + position.size()), k.tail);
        if (k.model == 2) {
            EXPECT_EQ(all.substr(0, all.find(position)), selections2);
        }
    }
}

TEST(SensorSentences, UserDatumAndEveryCodedValue) {
    SensorConfig c = model(4);
    c.fixmode = 1;
    c.alt = 12.5F;
    c.datum = 96;
    c.datum_a = 6377000.0;
    c.datum_df = 299.123456789;
    c.dx = 1.5F;
    c.dy = -2.0F;
    c.dz = 3.0F;
    c.diffmode = 1;
    c.baudrate = 5;
    c.filter = 0;
    c.ppsmode = 0;
    c.ppslen = 0;
    c.vldtime = 10;
    EXPECT_EQ(ss::configSentence(c),
              "$PTVRC,2,12.5,96,6377000.000,299.123456789,1.5,-2.0,3.0,D,5,0,1,0,10\r\n");
    c.fixmode = 2;
    c.datum = 100;
    EXPECT_EQ(ss::configSentence(c), "$PTVRC,3,12.5,100,,,,,,D,5,0,1,0,10\r\n");

    c.model = 0;
    c.outtime = 900;
    c.cpo = 1;
    c.avg = 1;
    c.bcn_freq = 300.5F;
    c.bcn_br = 200;
    c.bcn_auto = 1;
    c.nmea230 = 1;
    c.dgpsmode = 2;
    c.psm = 1;
    c.adaptive_tx = 1;
    c.ext_pwr_on = 1;
    EXPECT_EQ(ss::extraConfigSentence(c), "$PTVRC1,900,2,2,300.5,200,2,2,R,P,2,1,2\r\n");
    c.model = 7;
    c.dgpsmode = 0;
    c.pps_auto_off = 1;
    EXPECT_EQ(ss::extraConfigSentence(c), "$PTVRC1,900,2,2,300.5,200,2,2,A,P,,,,2\r\n");

    c.lat_south = 1;
    c.lon_deg = 5;
    c.lon_min = 0.25F;
    c.lon_west = 0;
    EXPECT_EQ(ss::positionSentence(c, {1999, 12, 31, 23, 59, 58}),
              "$PTVRI,4736.123,S,00500.250,E,311299,235958\r\n");
}

TEST(SensorSentences, ReturnPacketsAndBinaryModeSentences) {
    auto bytes = [](const std::string& s) {
        return std::vector<unsigned char>(s.begin(), s.end());
    };
    EXPECT_EQ(
        bytes(ss::nmeaReturnPacket(6)),
        (std::vector<unsigned char>{0x10, 0x0D, 0x04, 0x02, 0x0D, 0x00, 0x00, 0xE0, 0x10, 0x03}));
    for (int m : {0, 2, 3, 4, 5, 7}) {
        EXPECT_EQ(bytes(ss::nmeaReturnPacket(m)),
                  (std::vector<unsigned char>{0x10, 0x0A, 0x02, 0x26, 0x00, 0xCE, 0x10, 0x03}));
        EXPECT_EQ(ss::binaryModeSentence(m), "$PTVRO,,G\r\n");
    }
    EXPECT_EQ(ss::binaryModeSentence(6), "$PTVRO,,S\r\n");
}

TEST(SensorSentences, ConfigurationReplyWithShiftsOutOfRangeClearsThem) {
    SensorConfig c = model(2);
    c.datum_a = 1.0;
    ss::parseConfig("$PTVRC,3,55.5,100,6377000.0,300.0,6000.0,1.0,2.0,D,5,0,1,7,20*3A\r\n", c);
    EXPECT_EQ(c.fixmode, 2);
    EXPECT_FLOAT_EQ(c.alt, 55.5F);
    EXPECT_EQ(c.datum, 100);
    EXPECT_EQ(c.dx, 0.0F);
    EXPECT_EQ(c.dy, 0.0F);
    EXPECT_EQ(c.dz, 0.0F);
    EXPECT_EQ(c.datum_a, 6378137.0);
    EXPECT_EQ(c.datum_df, 298.257223563);
    EXPECT_EQ(c.diffmode, 1);
    EXPECT_EQ(c.baudrate, 5);
    EXPECT_EQ(c.filter, 0);
    EXPECT_EQ(c.ppsmode, 0);
    EXPECT_EQ(c.ppslen, 7);
    EXPECT_EQ(c.vldtime, 20);

    // Shifts within range stay; with the user datum every value is taken as sent.
    ss::parseConfig("$PTVRC,A,1.0,27,,,12.5,-4999.0,0.0,A,5,9,2,7,20\r\n", c);
    EXPECT_EQ(c.dx, 12.5F);
    EXPECT_EQ(c.dy, -4999.0F);
    ss::parseConfig("$PTVRC,A,1.0,96,6377000.5,300.25,6000.0,1.0,2.0,A,4,9,2,3,15\r\n", c);
    EXPECT_EQ(c.dx, 6000.0F);
    EXPECT_EQ(c.datum_a, 6377000.5);
    EXPECT_EQ(c.datum_df, 300.25);
    EXPECT_EQ(c.ppsmode, 1);
}

TEST(SensorSentences, CalderKeepsBaudPpsAndDifferentialOfItsOwn) {
    SensorConfig c = model(1);
    c.baudrate = 3;
    c.ppslen = 4;
    ss::parseConfig("$PTVRC,2,10.0,100,,,,,,D,8,1,2,9,30\r\n", c);
    EXPECT_EQ(c.fixmode, 1);
    EXPECT_EQ(c.diffmode, 0);
    EXPECT_EQ(c.baudrate, 3);
    EXPECT_EQ(c.ppsmode, 0);
    EXPECT_EQ(c.ppslen, 4);
}

TEST(SensorSentences, ExtraConfigurationReplyEndsWhereTheSensorStops) {
    SensorConfig c = model(2);
    c.dgpsmode = 1;
    c.psm = 1;
    c.adaptive_tx = 1;
    c.pps_auto_off = 1;
    ss::parseExtraConfig("$PTVRC1,5,2,1,300.5,100,2,1,R\r\n", c);
    EXPECT_EQ(c.outtime, 5);
    EXPECT_EQ(c.cpo, 1);
    EXPECT_EQ(c.avg, 0);
    EXPECT_FLOAT_EQ(c.bcn_freq, 300.5F);
    EXPECT_EQ(c.bcn_br, 100);
    EXPECT_EQ(c.bcn_auto, 1);
    EXPECT_EQ(c.nmea230, 0);
    // Ending after field 8: DGPS mode and everything after it stay.
    EXPECT_EQ(c.dgpsmode, 1);
    EXPECT_EQ(c.psm, 1);
    EXPECT_EQ(c.adaptive_tx, 1);

    ss::parseExtraConfig("$PTVRC1,5,1,1,0.0,0,1,1,A,N\r\n", c);
    EXPECT_EQ(c.dgpsmode, 0);
    EXPECT_EQ(c.psm, 0);
    EXPECT_EQ(c.adaptive_tx, 1);
    EXPECT_EQ(c.pps_auto_off, 1);

    ss::parseExtraConfig("$PTVRC1,5,1,1,0.0,0,1,1,X,P,2,1,2*7F\r\n", c);
    EXPECT_EQ(c.dgpsmode, 3);
    EXPECT_EQ(c.psm, 1);
    EXPECT_EQ(c.adaptive_tx, 1);
    EXPECT_EQ(c.auto_off, 0);
    EXPECT_EQ(c.ext_pwr_on, 1);
    EXPECT_EQ(c.pps_auto_off, 1);
    ss::parseExtraConfig("$PTVRC1,5,1,1,0.0,0,1,1,W,N,,,,1\r\n", c);
    EXPECT_EQ(c.pps_auto_off, 0);
    EXPECT_EQ(c.adaptive_tx, 0);
}

TEST(SensorSentences, PositionReplyAndMissingFields) {
    SensorConfig c = model(2);
    ss::parsePosition("$PTVRI,4736.123,S,12219.500,W,070324,140509\r\n", c);
    EXPECT_EQ(c.lat_deg, 47);
    EXPECT_FLOAT_EQ(c.lat_min, 36.123F);
    EXPECT_EQ(c.lat_south, 1);
    EXPECT_EQ(c.lon_deg, 122);
    EXPECT_FLOAT_EQ(c.lon_min, 19.5F);
    EXPECT_EQ(c.lon_west, 1);
    ss::parsePosition("$PTVRI,0130.5,N,00101.25,E\r\n", c);
    EXPECT_EQ(c.lat_deg, 1);
    EXPECT_FLOAT_EQ(c.lat_min, 30.5F);
    EXPECT_EQ(c.lat_south, 0);
    EXPECT_EQ(c.lon_deg, 1);
    EXPECT_FLOAT_EQ(c.lon_min, 1.25F);
    EXPECT_EQ(c.lon_west, 0);

    // Nothing is read past the end of a short reply: missing text reads as empty and 0.
    ss::parsePosition("$PTVRI,7\r\n", c);
    EXPECT_EQ(c.lat_deg, 7);
    EXPECT_EQ(c.lat_min, 0.0F);
    EXPECT_EQ(c.lon_deg, 0);
    ss::parseConfig("$PTVRC,A,12.0\r\n", c);
    EXPECT_EQ(c.fixmode, 0);
    EXPECT_EQ(c.alt, 12.0F);
    EXPECT_EQ(c.datum, 0);
    EXPECT_EQ(c.vldtime, 0);
    EXPECT_EQ(c.ppsmode, 1);
    // A field is read to at most 79 characters.
    EXPECT_EQ(ss::splitFields("$A," + std::string(100, '9') + ",2")[1], std::string(79, '9'));
}
}  // namespace
