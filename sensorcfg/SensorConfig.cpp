#include "sensorcfg/SensorConfig.h"

#include <algorithm>

namespace {
constexpr const char* kModelNames[kModelCount] = {"Brisa",  "Calder", "Dunmore", "Elston",
                                                  "Farrow", "Galton", "Hadley",  "Ixworth"};

constexpr const char* kSentenceNames[kSentenceCount] = {"GPGGA", "GPGSA", "GPGSV", "GPRMC", "GPVTG",
                                                        "LCGLL", "LCVTG", "PTVRB", "PTVRE", "PTVRF",
                                                        "PTVRT", "PTVRV", "PTVRM", "GPGLL"};

constexpr int kDatumCount = 111;
constexpr const char* kDatumNames[kDatumCount] = {
    "Adindan",
    "Afgooye",
    "AIN EL ABD 1970",
    "Anna 1 Astro 1965",
    "ARC 1950",
    "ARC 1960",
    "Ascension Island '58",
    "Astro Beacon \"E\"",
    "Australian Geod '66",
    "Australian Geod '84",
    "Astro Dos 71/4",
    "Astro Station '52",
    "Astro B4 Sorol Atoll",
    "Bellevue (IGN)",
    "Bermuda 1957",
    "Bogota Obsrvatry",
    "Campo Inchauspe",
    "Canton Astro 1966",
    "Cape Canaveral",
    "Cape",
    "Carthage",
    "Chatham 1971",
    "Chua Astro",
    "Corrego Alegre",
    "Djakarta (Batavia)",
    "Dos 1968",
    "Easter Island 1967",
    "European 1950",
    "European 1979",
    "Finland Hayford",
    "Gandajika Base",
    "Geodetic Datum '49",
    "Ord Srvy Grt Britn",
    "Guam 1963",
    "Gux 1 Astro",
    "Hjorsey 1955",
    "Hong Kong 1963",
    "Indian Bangladesh",
    "Indian Thailand",
    "Ireland 1965",
    "ISTS 073 Astro '69",
    "Johnston Island",
    "Kandawala",
    "Kerguelen Island",
    "Kertau 1948",
    "L.C. 5 Astro",
    "Liberia 1964",
    "Luzon Mindanao",
    "Luzon Philippines",
    "Mahe 1971",
    "Marco Astro",
    "Massawa",
    "Merchich",
    "Midway Astro 1961",
    "Minna",
    "NAD27 Alaska",
    "NAD27 Bahamas",
    "NAD27 Central",
    "NAD27 Canal Zone",
    "NAD27 Canada",
    "NAD27 Caribbean",
    "NAD27 CONUS",
    "NAD27 Cuba",
    "NAD27 Greenland",
    "NAD27 Mexico",
    "NAD27 San Salvadr",
    "NAD83",
    "Naparima BWI",
    "Nahrwn Masirah Ilnd",
    "Nahrwn Saudi Arbia",
    "Nahrwn United Arab",
    "Observatorio 1966",
    "Old Egyptian",
    "Old Hawaiian",
    "Oman",
    "Pico De Las Nieves",
    "Pitcairn Astro 1967",
    "Puerto Rico",
    "Qatar National",
    "Qornoq",
    "Reunion",
    "Rome 1940",
    "RT 90",
    "Prov So Amricn '56",
    "South American '69",
    "South Asia",
    "Prov So Chilean '63",
    "Santo (Dos)",
    "Sao Braz",
    "Sapper Hill 1943",
    "Schwarzeck",
    "Southeast Base",
    "Southwest Base",
    "Timbalai 1948",
    "Tokyo",
    "Tristan Astro 1968",
    "User Defined",
    "Viti Levu 1916",
    "Wake-Eniwetok '60",
    "WGS 72",
    "WGS 84",
    "Zanderij",
    "CH-1903",
    "Hu-Tzu-Shan",
    "Indonesia '74",
    "Austria",
    "Potsdam",
    "Taiwan - mod",
    "GDA",
    "Dutch",
    "Croatia",
};

constexpr int kBaudRates[8] = {1200, 2400, 4800, 9600, 19200, 300, 600, 38400};

struct ModelTiming {
    std::int16_t ppsmode;
    std::int16_t ppslen;
    std::int16_t cpo;
    std::int16_t baudrate;
};

ModelTiming modelTiming(int model) {
    switch (model) {
        case 2:
        case 4:
        case 7:
            return {1, 4, 0, 3};
        case 3:
            return {0, 4, 0, 5};
        case 5:
            return {0, 0, 0, 3};
        case 6:
            return {1, 4, 1, 3};
        default:
            return {0, 4, 0, 3};
    }
}
}  // namespace

std::array<std::int16_t, kSentenceCount> defaultSentences(int model) {
    std::array<std::int16_t, kSentenceCount> s{};
    for (int on : {GPGGA, GPGSA, GPGSV, GPRMC, PTVRE, PTVRT}) {
        s[on] = 1;
    }
    s[PTVRB] = (model == 1 || model == 3) ? 0 : 1;
    if (model == 2 || model == 4 || model == 5) {
        s[GPVTG] = 1;
        s[PTVRM] = 1;
    }
    if (model == 3) {
        s[PTVRM] = 1;
    }
    return s;
}

void resetToDefaults(SensorConfig& config, int model) {
    const std::int16_t port = config.port;
    config = SensorConfig{};
    config.port = port;
    config.model = model;
    config.sentences = defaultSentences(model);
    config.alt = 300.0F;
    const ModelTiming t = modelTiming(model);
    config.ppsmode = t.ppsmode;
    config.ppslen = t.ppslen;
    config.cpo = t.cpo;
    config.baudrate = t.baudrate;
}

std::string modelName(int model) {
    return model >= 0 && model < kModelCount ? kModelNames[model] : "Unknown";
}

std::string sentenceName(int index) {
    return index >= 0 && index < kSentenceCount ? kSentenceNames[index] : "";
}

int sentenceIndex(const std::string& name) {
    const auto* end = std::end(kSentenceNames);
    const auto* found =
        std::find_if(std::begin(kSentenceNames), end, [&](const char* n) { return name == n; });
    return found == end ? -1 : static_cast<int>(found - std::begin(kSentenceNames));
}

int datumCount(int model) {
    return model == 1 ? kDatumCount - 1 : kDatumCount;
}

std::string datumName(int index) {
    return index >= 0 && index < kDatumCount ? kDatumNames[index] : "";
}

int baudCodeToRate(int code) {
    return code >= 1 && code <= 8 ? kBaudRates[code - 1] : 0;
}

int baudRateToCode(int rate) {
    const auto* found = std::find(std::begin(kBaudRates), std::end(kBaudRates), rate);
    return found == std::end(kBaudRates) ? 3 : static_cast<int>(found - std::begin(kBaudRates)) + 1;
}
