#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/PingRecord.h"
#include "datafile/PingTime.h"

// One channel description (CHANINFO) of an XTF file header.
struct XtfChannelInfo {
    static constexpr std::uint8_t kPort = 1;
    static constexpr std::uint8_t kStarboard = 2;
    std::uint8_t type = 0;
    std::uint8_t subChannel = 0;
    std::uint16_t bytesPerSample = 1;
    float frequencyKHz = 0.0f;
    std::string name;
};

// What the file header of an XTF file from any system says.
struct XtfFileInfo {
    bool ours = false;  // written by this program
    std::string programName;
    std::string programVersion;
    std::string sonarName;
    std::uint16_t navUnits = 3;  // 3 degrees, 0 metres
    std::size_t sonarChannels = 0;
    std::vector<XtfChannelInfo> channels;  // every CHANINFO, the sonar channels first
    std::size_t headerBytes = 1024;        // where the first packet starts
};

// The first bytes every XTF packet starts with.
struct XtfPacketStart {
    std::uint8_t headerType = 0;
    std::size_t length = 0;  // NumBytesThisRecord
};

// One channel of a sonar packet; data holds numSamples samples of bytesPerSample bytes.
struct XtfSonarChannel {
    std::uint16_t number = 0;
    float slantRange = 0.0f;
    float secondsPerPing = 0.0f;
    std::uint32_t numSamples = 0;
    std::uint16_t bytesPerSample = 1;
    std::span<const std::uint8_t> data;
};

// A sonar packet of any system; non-finite numbers read as 0.
struct XtfSonarPing {
    PingTime time;
    std::uint32_t pingNumber = 0;
    double sensorX = 0.0;  // longitude or easting, by the file's navigation units
    double sensorY = 0.0;  // latitude or northing
    double shipX = 0.0;
    double shipY = 0.0;
    double speedKnots = 0.0;
    double headingDegrees = 0.0;
    double altitudeMetres = 0.0;  // 0 when the file has none
    std::vector<XtfSonarChannel> channels;
};

// Reads back the XTF files this program wrote: the file header check and one ping at a time.
// For files of other systems it reads the file header and steps packet by packet.
class XtfReader {
  public:
    static constexpr char kNotOurFileMessage[] =
        "This is not a Marovant Keelbrook.exe recorded file!    ";

    // Bytes a ping must show before its length is known.
    static constexpr std::size_t kPrefixBytes = 14;

    // True when the 1024-byte file header names this program and its sonar.
    static bool checkFileHeader(std::span<const std::uint8_t> header);

    // The record length a ping's first bytes state; nullopt when they are too few or do not
    // start with the ping magic number.
    static std::optional<std::size_t> statedLength(std::span<const std::uint8_t> prefix);

    // Decodes the ping at the start of bytes and returns its length (the step to the next ping).
    // nullopt, with out untouched, for a bad ping: no magic number, no channels, or a length or
    // sample count that does not fit the bytes. The head header is not stored in XTF, so
    // out.ping keeps its header bytes.
    static std::optional<std::size_t> decodePing(std::span<const std::uint8_t> bytes,
                                                 PingRecord& out);

    // Files of any system. The size of the file header, from the channel counts of its first
    // 1024 bytes (more than six channels take further blocks of 1024).
    static std::size_t fileHeaderBytes(std::span<const std::uint8_t> first);
    // nullopt unless the bytes start an XTF file header (format 123) of fileHeaderBytes bytes.
    static std::optional<XtfFileInfo> readFileInfo(std::span<const std::uint8_t> header);
    // nullopt when the prefix is short, lacks the magic number or states a length shorter
    // than the prefix itself.
    static std::optional<XtfPacketStart> packetStart(std::span<const std::uint8_t> prefix);
    // A whole sonar packet; the channel data points into bytes. Channels that do not fit the
    // packet are left out; nullopt when the ping header itself does not fit.
    static std::optional<XtfSonarPing> decodeSonarPacket(std::span<const std::uint8_t> bytes,
                                                         const XtfFileInfo& file);
    // The text of a raw serial packet (NMEA sentences, as the port delivered them).
    static std::string_view serialText(std::span<const std::uint8_t> bytes);
};
