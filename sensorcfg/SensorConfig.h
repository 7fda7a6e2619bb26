#pragma once

#include <array>
#include <cstdint>
#include <string>

// The number of selectable output sentences and of base models.
constexpr int kSentenceCount = 14;
constexpr int kModelCount = 8;
// Datum 96 takes its ellipsoid and shifts from the user; 100 is WGS 84.
constexpr int kUserDatum = 96;
constexpr int kWgs84Datum = 100;
constexpr double kWgs84SemiMajorAxis = 6378137.0;
constexpr double kWgs84InverseFlattening = 298.257223563;

// Index of each output sentence in the flags, uploads and files.
enum Sentence : int {
    GPGGA = 0,
    GPGSA,
    GPGSV,
    GPRMC,
    GPVTG,
    LCGLL,
    LCVTG,
    PTVRB,
    PTVRE,
    PTVRF,
    PTVRT,
    PTVRV,
    PTVRM,
    GPGLL,
};

// The configuration of one sensor, as the editor, the files and the sensor exchange it.
// Field widths are those of the file and the sentences: 16-bit fields are signed, flags 0/1.
struct SensorConfig {
    std::int32_t model = 1;
    std::array<std::int16_t, kSentenceCount> sentences{};
    std::int16_t port = 1;  // COM port number; never stored in a file
    std::int16_t lat_deg = 0;
    float lat_min = 0.0F;
    std::int16_t lat_south = 0;
    std::int16_t lon_deg = 0;
    float lon_min = 0.0F;
    std::int16_t lon_west = 0;
    float alt = 0.0F;
    double datum_a = kWgs84SemiMajorAxis;
    double datum_df = kWgs84InverseFlattening;
    float dx = 0.0F;
    float dy = 0.0F;
    float dz = 0.0F;
    std::int16_t diffmode = 0;
    std::int16_t baudrate = 3;
    std::int16_t datum = kWgs84Datum;
    std::int16_t filter = 1;
    std::int16_t fixmode = 0;
    std::int16_t ppsmode = 0;
    std::int16_t ppslen = 4;
    std::int16_t vldtime = 30;
    std::int16_t outtime = 1;
    std::int16_t cpo = 0;
    std::int16_t avg = 0;
    float bcn_freq = 0.0F;
    std::int16_t bcn_br = 0;
    std::int16_t bcn_auto = 0;
    std::int16_t nmea230 = 0;
    std::int16_t psm = 0;
    std::int16_t dgpsmode = 1;
    std::int16_t adaptive_tx = 0;
    std::int16_t auto_off = 0;
    std::int16_t ext_pwr_on = 0;
    std::int16_t pps_auto_off = 0;

    bool operator==(const SensorConfig&) const = default;
};

// Every field except port set to the defaults of the given base model.
void resetToDefaults(SensorConfig& config, int model);
// The default sentence selection of a base model (also the "GPS Specific" reset).
std::array<std::int16_t, kSentenceCount> defaultSentences(int model);

// "Brisa" ... "Ixworth"; "Unknown" for any other index.
std::string modelName(int model);
// Sentence name without "$", e.g. "GPGGA"; empty outside the table.
std::string sentenceName(int index);
// Index of a five-letter sentence name, or -1.
int sentenceIndex(const std::string& name);

// Earth datums: 111 names, base model 1 is offered the first 110.
int datumCount(int model);
// Empty outside the table.
std::string datumName(int index);

// Baud codes 1..8 as stored in the configuration, the profile and the sentences.
int baudCodeToRate(int code);  // 0 outside 1..8
int baudRateToCode(int rate);  // 3 (4800) for an unknown rate
