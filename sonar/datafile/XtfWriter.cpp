#include "datafile/XtfWriter.h"

#include <algorithm>
#include <cmath>

#include "acquisition/SwitchCommand.h"
#include "datafile/ByteOrder.h"
#include "datafile/FieldText.h"
#include "datafile/JulianDay.h"
#include "datafile/PingTime.h"

namespace {
using namespace byteorder;

std::string_view fileNamePart(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

void putChanInfo(std::uint8_t* info, std::uint8_t type, std::string_view name,
                 std::uint32_t samplesPerSide) {
    namespace ci = xtf::chaninfo;
    info[ci::kTypeOfChannel] = type;
    putLe16(info + ci::kCorrectionFlags, 1);
    putLe16(info + ci::kUniPolar, 1);
    putLe16(info + ci::kBytesPerSample, 1);
    putLe32(info + ci::kSamplesPerChannel, samplesPerSide);
    std::copy(name.begin(), name.end(), info + ci::kChannelName);
}

// Latitude and longitude with the sign of their hemisphere letter.
double signedLatitude(const GpsFix& fix) {
    const bool south = fix.latitudeHemisphere == 'S' || fix.latitudeHemisphere == 's';
    return south ? -std::fabs(fix.latitude) : fix.latitude;
}

double signedLongitude(const GpsFix& fix) {
    const bool west = fix.longitudeHemisphere == 'W' || fix.longitudeHemisphere == 'w';
    return west ? -std::fabs(fix.longitude) : fix.longitude;
}

void putPingHeader(const PingRecord& rec, std::size_t pingBytes, std::uint8_t* h) {
    namespace ph = xtf::ping;
    const PingTime t = parsePingTime(rec.dateText, rec.timeText, rec.millisecondText);
    putLe16(h + ph::kMagicNumber, ph::kMagicValue);
    putLe16(h + ph::kNumChansToFollow, xtf::kChannels);
    putLe32(h + ph::kNumBytesThisRecord, static_cast<std::uint32_t>(pingBytes));
    putLe16(h + ph::kYear, static_cast<std::uint16_t>(t.year));
    h[ph::kMonth] = static_cast<std::uint8_t>(t.month);
    h[ph::kDay] = static_cast<std::uint8_t>(t.day);
    h[ph::kHour] = static_cast<std::uint8_t>(t.hour);
    h[ph::kMinute] = static_cast<std::uint8_t>(t.minute);
    h[ph::kSecond] = static_cast<std::uint8_t>(t.second);
    h[ph::kHSeconds] = static_cast<std::uint8_t>(t.millisecond / 10);
    putLe16(h + ph::kJulianDay, static_cast<std::uint16_t>(julianDay(t.year, t.month, t.day)));
    // The event word stays 0: this program sets no event marks.
    putLe32(h + ph::kPingNumber, rec.pingNumber);
    putLeFloat(h + ph::kSoundVelocity, ph::kSoundVelocityValue);
    const float speed = static_cast<float>(rec.fix.speedKnots);
    const double latitude = signedLatitude(rec.fix);
    const double longitude = signedLongitude(rec.fix);
    putLeFloat(h + ph::kShipSpeed, speed);
    putLeDouble(h + ph::kShipY, latitude);
    putLeDouble(h + ph::kShipX, longitude);
    putLeFloat(h + ph::kSensorSpeed, speed);
    putLeDouble(h + ph::kSensorY, latitude);
    putLeDouble(h + ph::kSensorX, longitude);
    putLeFloat(h + ph::kSensorHeading, static_cast<float>(rec.fix.headingDegrees));
}

std::uint16_t frequencyKHz(std::uint8_t modeFreq) {
    constexpr auto& table = xtf::channel::kFrequencyByMode;
    return modeFreq < std::size(table) ? table[modeFreq] : 0;
}

void putChannelHeader(const PingRecord& rec, std::uint16_t number, std::uint32_t samplesPerSide,
                      std::uint8_t* c) {
    namespace ch = xtf::channel;
    const double range = rangeMetres(rec.rangeIndex);
    putLe16(c + ch::kChannelNumber, number);
    putLeFloat(c + ch::kSlantRange, static_cast<float>(range));
    putLeFloat(c + ch::kTimeDuration, static_cast<float>(range * ch::kSecondsPerMetre));
    putLeFloat(c + ch::kSecondsPerPing, static_cast<float>(rec.pingIntervalMs * 0.001));
    putLe16(c + ch::kFrequencyKHz, frequencyKHz(rec.modeFreq));
    putLe32(c + ch::kSamplesPerSide, samplesPerSide);
    putLe16(c + ch::kGainCode, rec.dataGain);
    putLe16(c + ch::kBandWidth, rec.gainBalance);
    putLe16(c + ch::kContactNumber, ch::kContactNumberValue);
    putLe32(c + ch::kNumSamples, samplesPerSide);
}
}  // namespace

XtfWriter::FileHeader XtfWriter::fileHeader(std::string_view path, int samplesTotal) {
    namespace fh = xtf::file;
    FileHeader header{};
    std::uint8_t* h = header.data();
    h[fh::kFileFormat] = fh::kFileFormatValue;
    h[fh::kSystemType] = fh::kSystemTypeValue;
    fieldtext::putText(header, fh::kProgramName, fh::kProgramNameChars, fh::kProgramNameValue);
    fieldtext::putText(header, fh::kProgramVersion, fh::kProgramVersionChars,
                       fh::kProgramVersionValue);
    fieldtext::putText(header, fh::kSonarName, fh::kSonarNameChars, fh::kSonarNameValue);
    putLe16(h + fh::kSonarType, fh::kSonarTypeValue);
    fieldtext::putText(header, fh::kNoteString, fh::kNoteStringChars, fh::kNoteStringValue);
    fieldtext::putText(header, fh::kThisFileName, fh::kThisFileNameChars, fileNamePart(path));
    putLe16(h + fh::kNavUnits, fh::kNavUnitsLatLong);
    putLe16(h + fh::kNumberOfSonarChannels, xtf::kChannels);
    const auto perSide = static_cast<std::uint32_t>(std::max(0, samplesTotal / 2));
    putChanInfo(h + fh::kChanInfo, xtf::chaninfo::kTypePort, "PORT", perSide);
    putChanInfo(h + fh::kChanInfo + fh::kChanInfoBytes, xtf::chaninfo::kTypeStarboard, "STBD",
                perSide);
    return header;
}

std::size_t XtfWriter::pingSize(int samplesTotal) {
    const int perSide = samplesTotal / 2;
    if (2 * perSide < kMinSamplesTotal || samplesTotal > kMaxSamplesTotal) {
        return 0;
    }
    return xtf::kPingOverhead + 2 * static_cast<std::size_t>(perSide);
}

bool XtfWriter::encodePing(const PingRecord& rec, std::span<std::uint8_t> out) {
    const std::size_t size = pingSize(rec.ping.samplesTotal());
    if (size == 0 || out.size() < size) {
        return false;
    }
    const std::size_t perSide = static_cast<std::size_t>(rec.ping.samplesTotal() / 2);
    std::fill_n(out.begin(), size, std::uint8_t{0});
    std::uint8_t* p = out.data();
    putPingHeader(rec, size, p);
    p += xtf::kPingHeaderBytes;
    for (std::uint16_t side = 0; side < xtf::kChannels; ++side) {
        putChannelHeader(rec, side, static_cast<std::uint32_t>(perSide), p);
        p += xtf::kChannelHeaderBytes;
        // Port samples stay in the reversed order the ping buffer holds them in.
        std::copy_n(rec.ping.samples() + side * perSide, perSide, p);
        p += perSide;
    }
    return true;
}
