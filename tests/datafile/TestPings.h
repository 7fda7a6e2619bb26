#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "datafile/PingRecord.h"
#include "datafile/RecordWriter.h"

// A recorded ping with distinct values in every field, so a field read from the wrong place
// shows.
inline PingRecord makePing(std::uint32_t pingNumber = 258, int samplesTotal = 2000) {
    PingRecord rec;
    rec.pingNumber = pingNumber;
    rec.rangeIndex = 9;
    rec.modeFreq = 0;
    rec.dataGain = 70;
    rec.gainBalance = 30;
    rec.pingIntervalMs = 150;
    rec.dateText = "05-MAR-2007";
    rec.timeText = "22:54:44";
    rec.millisecondText = ".123";
    rec.ping.resize(samplesTotal);
    const std::uint8_t header[12] = {'D', 'S', 'H', 2, 1, 2, 3, 4, 5, 0, 6, 7};
    std::copy(std::begin(header), std::end(header), rec.ping.data());
    for (int i = 0; i < samplesTotal; ++i) {
        rec.ping.samples()[i] = static_cast<std::uint8_t>((i * 7 + pingNumber) % 251);
    }
    rec.sentenceSet = GpsSentenceSet::GgaVtg;
    rec.fix.tickSentences[0] = "$GPGGA,225444,4916.45,N,12311.12,W,1,05,1.2,3.4,M,,,,*3A\r\n";
    rec.fix.tickSentences[1] = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n";
    rec.fix.latitude = 49.274166;
    rec.fix.longitude = 123.185333;
    rec.fix.latitudeHemisphere = 'N';
    rec.fix.longitudeHemisphere = 'W';
    rec.fix.speedKnots = 5.57;
    rec.fix.headingDegrees = 54.75;
    rec.gpsInput = true;
    rec.gpsText[GpsText::Latitude] = "49.16.4500 N";
    rec.gpsText[GpsText::Longitude] = "123.11.1200 W";
    rec.gpsText[GpsText::Time] = "22:54:44";
    rec.gpsText[GpsText::Speed] = "5.57 Knots";
    rec.gpsText[GpsText::Heading] = "54.75 Deg.";
    rec.gpsText[GpsText::Date] = "05-MAR-2007";
    return rec;
}

// A file of count pings of one kind, as the recorder writes it.
inline std::vector<std::uint8_t> makeFile(SourceKind kind, int count, int samplesTotal = 2000) {
    RecordWriter writer;
    std::vector<std::uint8_t> file = RecordWriter::fileStart(kind, "/data/test.xtf", samplesTotal);
    for (int i = 0; i < count; ++i) {
        writer.appendPing(kind, makePing(static_cast<std::uint32_t>(i + 1), samplesTotal), file);
    }
    return file;
}

inline std::uint16_t be16At(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]);
}
