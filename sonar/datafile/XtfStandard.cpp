// XtfReader for XTF files of any acquisition system: the file header with its channel
// descriptions, the packet prefix and the sonar packet in the standard's layout.
#include <algorithm>
#include <cmath>

#include "datafile/ByteOrder.h"
#include "datafile/XtfFields.h"
#include "datafile/XtfLayout.h"
#include "datafile/XtfReader.h"

namespace {
using namespace byteorder;
using xtf::finiteOrZero;
using xtf::packetTime;

std::string textField(const std::uint8_t* p, std::size_t chars) {
    const auto* begin = reinterpret_cast<const char*>(p);
    const char* end = std::find(begin, begin + chars, '\0');
    std::string s(begin, end);
    // Fields are padded with blanks by some writers.
    while (!s.empty() && s.back() == ' ') {
        s.pop_back();
    }
    return s;
}

std::size_t channelCount(std::span<const std::uint8_t> h) {
    namespace fh = xtf::file;
    return std::size_t{getLe16(h.data() + fh::kNumberOfSonarChannels)} +
           getLe16(h.data() + fh::kNumberOfBathymetryChannels) + h[fh::kNumberOfSnippetChannels] +
           h[fh::kNumberOfForwardLookArrays] +
           getLe16(h.data() + fh::kNumberOfEchoStrengthChannels) +
           h[fh::kNumberOfInterferometryChannels];
}

XtfChannelInfo channelInfo(const std::uint8_t* c) {
    namespace ci = xtf::chaninfo;
    XtfChannelInfo info;
    info.type = c[ci::kTypeOfChannel];
    info.subChannel = c[ci::kSubChannelNumber];
    info.bytesPerSample = getLe16(c + ci::kBytesPerSample);
    info.frequencyKHz = static_cast<float>(finiteOrZero(getLeFloat(c + ci::kFrequency)));
    info.name = textField(c + ci::kChannelName, ci::kChannelNameChars);
    return info;
}

std::uint16_t bytesPerSampleOf(std::uint16_t number, const XtfFileInfo& file) {
    return number < file.channels.size() ? file.channels[number].bytesPerSample : 1;
}
}  // namespace

std::size_t XtfReader::fileHeaderBytes(std::span<const std::uint8_t> first) {
    if (first.size() < xtf::kFileHeaderBytes) {
        return xtf::kFileHeaderBytes;
    }
    const std::size_t channels = channelCount(first);
    if (channels <= xtf::file::kChanInfoInBaseHeader) {
        return xtf::kFileHeaderBytes;
    }
    const std::size_t bytes = xtf::file::kChanInfo + channels * xtf::file::kChanInfoBytes;
    return (bytes + xtf::kFileHeaderBytes - 1) / xtf::kFileHeaderBytes * xtf::kFileHeaderBytes;
}

std::optional<XtfFileInfo> XtfReader::readFileInfo(std::span<const std::uint8_t> header) {
    namespace fh = xtf::file;
    if (header.size() < xtf::kFileHeaderBytes || header[fh::kFileFormat] != fh::kFileFormatXtf ||
        header.size() < fileHeaderBytes(header)) {
        return std::nullopt;
    }
    const std::uint8_t* h = header.data();
    XtfFileInfo info;
    info.ours = checkFileHeader(header);
    info.programName = textField(h + fh::kProgramName, fh::kProgramNameChars);
    info.programVersion = textField(h + fh::kProgramVersion, fh::kProgramVersionChars);
    info.sonarName = textField(h + fh::kSonarName, fh::kSonarNameChars);
    info.navUnits = getLe16(h + fh::kNavUnits);
    info.sonarChannels = getLe16(h + fh::kNumberOfSonarChannels);
    info.headerBytes = fileHeaderBytes(header);
    const std::size_t count = std::max(channelCount(header), info.sonarChannels);
    const std::size_t room = (info.headerBytes - fh::kChanInfo) / fh::kChanInfoBytes;
    for (std::size_t i = 0; i < std::min(count, room); ++i) {
        info.channels.push_back(channelInfo(h + fh::kChanInfo + i * fh::kChanInfoBytes));
    }
    return info;
}

std::optional<XtfPacketStart> XtfReader::packetStart(std::span<const std::uint8_t> prefix) {
    const std::optional<std::size_t> length = statedLength(prefix);
    if (!length || *length < kPrefixBytes) {
        return std::nullopt;
    }
    return XtfPacketStart{prefix[xtf::ping::kHeaderType], *length};
}

std::optional<XtfSonarPing> XtfReader::decodeSonarPacket(std::span<const std::uint8_t> bytes,
                                                         const XtfFileInfo& file) {
    namespace ph = xtf::ping;
    namespace ch = xtf::channel;
    const std::optional<XtfPacketStart> start = packetStart(bytes);
    if (!start || start->length > bytes.size() || start->length < xtf::kPingHeaderBytes) {
        return std::nullopt;
    }
    const std::uint8_t* h = bytes.data();
    XtfSonarPing p;
    p.time = packetTime(h);
    p.pingNumber = getLe32(h + ph::kPingNumber);
    p.sensorX = finiteOrZero(getLeDouble(h + ph::kSensorX));
    p.sensorY = finiteOrZero(getLeDouble(h + ph::kSensorY));
    p.shipX = finiteOrZero(getLeDouble(h + ph::kShipX));
    p.shipY = finiteOrZero(getLeDouble(h + ph::kShipY));
    p.speedKnots = finiteOrZero(getLeFloat(h + ph::kShipSpeed));
    p.headingDegrees = finiteOrZero(getLeFloat(h + ph::kSensorHeading));
    p.altitudeMetres = finiteOrZero(getLeFloat(h + ph::kSensorPrimaryAltitude));

    const std::size_t end = start->length;
    std::size_t at = xtf::kPingHeaderBytes;
    const std::size_t channels = getLe16(h + ph::kNumChansToFollow);
    for (std::size_t i = 0; i < channels && at + xtf::kChannelHeaderBytes <= end; ++i) {
        const std::uint8_t* c = h + at;
        XtfSonarChannel chan;
        chan.number = getLe16(c + ch::kChannelNumber);
        chan.slantRange = static_cast<float>(finiteOrZero(getLeFloat(c + ch::kSlantRange)));
        chan.secondsPerPing = static_cast<float>(finiteOrZero(getLeFloat(c + ch::kSecondsPerPing)));
        chan.numSamples = getLe32(c + ch::kNumSamples);
        chan.bytesPerSample = bytesPerSampleOf(chan.number, file);
        at += xtf::kChannelHeaderBytes;
        const std::uint64_t dataBytes = std::uint64_t{chan.numSamples} * chan.bytesPerSample;
        if (dataBytes > end - at) {
            break;
        }
        chan.data = bytes.subspan(at, static_cast<std::size_t>(dataBytes));
        at += static_cast<std::size_t>(dataBytes);
        p.channels.push_back(chan);
    }
    return p;
}

std::string_view XtfReader::serialText(std::span<const std::uint8_t> bytes) {
    namespace ph = xtf::ping;
    const std::optional<XtfPacketStart> start = packetStart(bytes);
    if (!start || start->length > bytes.size() || start->length < ph::kSerialText) {
        return {};
    }
    const std::size_t room = start->length - ph::kSerialText;
    const std::size_t size =
        std::min<std::size_t>(getLe16(bytes.data() + ph::kSerialStringSize), room);
    const auto* text = reinterpret_cast<const char*>(bytes.data() + ph::kSerialText);
    return {text, size};
}
