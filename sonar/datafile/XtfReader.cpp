#include "datafile/XtfReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "acquisition/SwitchCommand.h"
#include "datafile/ByteOrder.h"
#include "datafile/FieldText.h"
#include "datafile/PingTime.h"
#include "datafile/XtfFields.h"
#include "datafile/XtfLayout.h"

namespace {
using namespace byteorder;
using xtf::finiteOrZero;
constexpr std::size_t kSonarNameCheckChars = 9;

struct PingLayout {
    std::size_t length = 0;
    std::size_t channels = 0;
    std::size_t samplesTotal = 0;
    std::size_t perChannel = 0;
};

std::optional<PingLayout> layoutOf(std::span<const std::uint8_t> bytes) {
    namespace ph = xtf::ping;
    if (bytes.size() < xtf::kPingHeaderBytes ||
        getLe16(bytes.data() + ph::kMagicNumber) != ph::kMagicValue) {
        return std::nullopt;
    }
    PingLayout l;
    l.length = getLe32(bytes.data() + ph::kNumBytesThisRecord);
    l.channels = getLe16(bytes.data() + ph::kNumChansToFollow);
    const std::size_t overhead = xtf::kPingHeaderBytes + xtf::kChannelHeaderBytes * l.channels;
    if (l.channels == 0 || l.length > bytes.size() ||
        l.length < overhead + static_cast<std::size_t>(kMinSamplesTotal)) {
        return std::nullopt;
    }
    l.samplesTotal = l.length - overhead;
    l.perChannel = l.samplesTotal / l.channels;
    if (l.samplesTotal > static_cast<std::size_t>(kMaxSamplesTotal)) {
        return std::nullopt;
    }
    return l;
}

// "%02d.%07.4f N": whole degrees of the absolute value, then the rest as minutes.
std::string positionText(const char* format, double value, char positive, char negative) {
    const double magnitude = std::fabs(value);
    const int degrees = fieldtext::truncToInt(magnitude);
    return fieldtext::formatted(format, degrees, (magnitude - degrees) * 60.0,
                                value < 0.0 ? negative : positive);
}

void readTime(const std::uint8_t* h, PingRecord& out) {
    const PingTime t = xtf::packetTime(h);
    out.dateText = formatDateText(t);
    out.timeText = formatTimeText(t);
    out.millisecondText = formatMillisecondText(t);
}

void readGps(const std::uint8_t* h, PingRecord& out) {
    namespace ph = xtf::ping;
    GpsFix& fix = out.fix;
    fix.speedKnots = finiteOrZero(getLeFloat(h + ph::kShipSpeed));
    fix.latitude = finiteOrZero(getLeDouble(h + ph::kShipY));
    fix.longitude = finiteOrZero(getLeDouble(h + ph::kShipX));
    fix.headingDegrees = finiteOrZero(getLeFloat(h + ph::kSensorHeading));
    fix.latitudeHemisphere = fix.latitude < 0.0 ? 'S' : 'N';
    fix.longitudeHemisphere = fix.longitude < 0.0 ? 'W' : 'E';
    GpsText& text = out.gpsText;
    text[GpsText::Latitude] = positionText("%02d.%07.4f %c", fix.latitude, 'N', 'S');
    text[GpsText::Longitude] = positionText("%03d.%07.4f %c", fix.longitude, 'E', 'W');
    text[GpsText::Speed] = fieldtext::formatted("%.2f knots", fix.speedKnots);
    text[GpsText::Heading] = fieldtext::formatted("%.2f deg.", fix.headingDegrees);
    text[GpsText::Time] = kGpsNotAvailable;
    text[GpsText::Date] = kGpsNotAvailable;
}

// SecondsPerPing holds milliseconds × 0.001 as a float; rounding gives the stored count back.
std::uint32_t intervalMs(float secondsPerPing) {
    const double ms = std::round(static_cast<double>(secondsPerPing) * 1000.0);
    if (!(ms > 0.0)) {
        return 0;
    }
    return static_cast<std::uint32_t>(
        std::min(ms, double{std::numeric_limits<std::uint32_t>::max()}));
}

void readChannelSettings(const std::uint8_t* c, PingRecord& out) {
    namespace ch = xtf::channel;
    out.rangeIndex = static_cast<std::uint8_t>(
        rangeIndexFromMetres(fieldtext::truncToInt(getLeFloat(c + ch::kSlantRange))));
    out.pingIntervalMs = intervalMs(getLeFloat(c + ch::kSecondsPerPing));
    const std::uint16_t kHz = getLe16(c + ch::kFrequencyKHz);
    for (std::size_t mode = 0; mode < std::size(ch::kFrequencyByMode); ++mode) {
        if (ch::kFrequencyByMode[mode] == kHz) {
            out.modeFreq = static_cast<std::uint8_t>(mode);
        }
    }
    out.dataGain = c[ch::kGainCode];
    out.gainBalance = c[ch::kBandWidth];
}

void prepareSamples(std::size_t samplesTotal, PingBuffer& ping) {
    if (ping.samplesTotal() != static_cast<int>(samplesTotal)) {
        std::array<std::uint8_t, head::kHeaderBytes> header;
        std::copy_n(ping.header(), header.size(), header.begin());
        ping.resize(static_cast<int>(samplesTotal));
        std::copy(header.begin(), header.end(), ping.data());
    } else {
        std::fill_n(ping.samples(), samplesTotal, std::uint8_t{0});
    }
}

void readChannels(const std::uint8_t* first, const PingLayout& l, PingRecord& out) {
    prepareSamples(l.samplesTotal, out.ping);
    const std::uint8_t* c = first;
    for (std::size_t i = 0; i < l.channels; ++i) {
        readChannelSettings(c, out);
        const std::size_t number = getLe16(c + xtf::channel::kChannelNumber);
        const std::size_t dest = number * l.perChannel;
        if (number <= 1 && dest + l.perChannel <= l.samplesTotal) {
            std::copy_n(c + xtf::kChannelHeaderBytes, l.perChannel, out.ping.samples() + dest);
        }
        c += xtf::kChannelHeaderBytes + l.perChannel;
    }
}
}  // namespace

bool XtfReader::checkFileHeader(std::span<const std::uint8_t> header) {
    namespace fh = xtf::file;
    return header.size() >= xtf::kFileHeaderBytes &&
           std::memcmp(header.data() + fh::kProgramName, fh::kProgramNameValue,
                       fh::kProgramNameChars) == 0 &&
           std::memcmp(header.data() + fh::kSonarName, fh::kSonarNameValue, kSonarNameCheckChars) ==
               0;
}

std::optional<std::size_t> XtfReader::statedLength(std::span<const std::uint8_t> prefix) {
    if (prefix.size() < kPrefixBytes ||
        getLe16(prefix.data() + xtf::ping::kMagicNumber) != xtf::ping::kMagicValue) {
        return std::nullopt;
    }
    return getLe32(prefix.data() + xtf::ping::kNumBytesThisRecord);
}

std::optional<std::size_t> XtfReader::decodePing(std::span<const std::uint8_t> bytes,
                                                 PingRecord& out) {
    const std::optional<PingLayout> layout = layoutOf(bytes);
    if (!layout) {
        return std::nullopt;
    }
    const std::uint8_t* h = bytes.data();
    readTime(h, out);
    out.pingNumber = getLe32(h + xtf::ping::kPingNumber);
    readGps(h, out);
    readChannels(h + xtf::kPingHeaderBytes, *layout, out);
    out.stored = {.header = false, .sentences = false, .gps = true};
    return layout->length;
}
