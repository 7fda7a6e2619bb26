#pragma once

#include <cstddef>
#include <cstdint>

// Offsets of the XTF structures this program writes and reads back (little-endian). Fields not
// named here are zero.
namespace xtf {

constexpr std::size_t kFileHeaderBytes = 1024;
constexpr std::size_t kPingHeaderBytes = 256;
constexpr std::size_t kChannelHeaderBytes = 64;
constexpr std::size_t kChannels = 2;
// Ping header plus two channel headers: a ping takes samplesTotal + this.
constexpr std::size_t kPingOverhead = kPingHeaderBytes + kChannels * kChannelHeaderBytes;

// XTFFILEHEADER
namespace file {
constexpr std::size_t kFileFormat = 0;
constexpr std::size_t kSystemType = 1;
constexpr std::size_t kProgramName = 2;
constexpr std::size_t kProgramNameChars = 8;
constexpr std::size_t kProgramVersion = 10;
constexpr std::size_t kProgramVersionChars = 8;
constexpr std::size_t kSonarName = 18;
constexpr std::size_t kSonarNameChars = 16;
constexpr std::size_t kSonarType = 34;
constexpr std::size_t kNoteString = 36;
constexpr std::size_t kNoteStringChars = 64;
constexpr std::size_t kThisFileName = 100;
constexpr std::size_t kThisFileNameChars = 64;
constexpr std::size_t kNavUnits = 164;
constexpr std::size_t kNumberOfSonarChannels = 166;
constexpr std::size_t kChanInfo = 256;
constexpr std::size_t kChanInfoBytes = 128;

constexpr std::uint8_t kFileFormatValue = 123;
constexpr std::uint8_t kSystemTypeValue = 202;
constexpr char kProgramNameValue[] = "Marovant";
constexpr char kProgramVersionValue[] = "223";
constexpr char kSonarNameValue[] = "Keelbrook";
constexpr std::uint16_t kSonarTypeValue = 14;
constexpr char kNoteStringValue[] = "Marovant Technology Corp.";
constexpr std::uint16_t kNavUnitsLatLong = 3;

// Read from the files of other systems.
constexpr std::size_t kNumberOfBathymetryChannels = 168;
constexpr std::size_t kNumberOfSnippetChannels = 170;    // byte
constexpr std::size_t kNumberOfForwardLookArrays = 171;  // byte
constexpr std::size_t kNumberOfEchoStrengthChannels = 172;
constexpr std::size_t kNumberOfInterferometryChannels = 174;  // byte
constexpr std::uint16_t kNavUnitsMetres = 0;
constexpr std::uint8_t kFileFormatXtf = 123;
// The header holds six CHANINFO; a file with more channels grows it in steps of 1024 bytes.
constexpr std::size_t kChanInfoInBaseHeader = 6;
}  // namespace file

// CHANINFO, within its 128 bytes
namespace chaninfo {
constexpr std::size_t kTypeOfChannel = 0;
constexpr std::size_t kSubChannelNumber = 1;
constexpr std::size_t kCorrectionFlags = 2;
constexpr std::size_t kUniPolar = 4;
constexpr std::size_t kBytesPerSample = 6;
constexpr std::size_t kSamplesPerChannel = 8;  // the standard's reserved word
constexpr std::size_t kChannelName = 12;
constexpr std::size_t kChannelNameChars = 16;
constexpr std::size_t kFrequency = 32;  // float, kHz

constexpr std::uint8_t kTypePort = 1;
constexpr std::uint8_t kTypeStarboard = 2;
}  // namespace chaninfo

// XTFPINGHEADER
namespace ping {
constexpr std::size_t kMagicNumber = 0;
constexpr std::size_t kHeaderType = 2;
constexpr std::size_t kNumChansToFollow = 4;
constexpr std::size_t kNumBytesThisRecord = 10;
constexpr std::size_t kYear = 14;
constexpr std::size_t kMonth = 16;
constexpr std::size_t kDay = 17;
constexpr std::size_t kHour = 18;
constexpr std::size_t kMinute = 19;
constexpr std::size_t kSecond = 20;
constexpr std::size_t kHSeconds = 21;
constexpr std::size_t kJulianDay = 22;
constexpr std::size_t kEventWord = 26;  // upper half of the standard's EventNumber
constexpr std::size_t kPingNumber = 28;
constexpr std::size_t kSoundVelocity = 32;
constexpr std::size_t kShipSpeed = 120;
constexpr std::size_t kShipY = 128;
constexpr std::size_t kShipX = 136;
constexpr std::size_t kSensorSpeed = 152;
constexpr std::size_t kKp = 156;
constexpr std::size_t kSensorY = 160;
constexpr std::size_t kSensorX = 168;
constexpr std::size_t kSensorHeading = 212;
constexpr std::size_t kSensorPrimaryAltitude = 196;  // float, metres

// HeaderType of a packet: sonar pings and raw serial text (NMEA) are read; every other packet
// (notes, bathymetry, attitude, ...) is stepped over by its NumBytesThisRecord.
constexpr std::uint8_t kHeaderSonar = 0;
constexpr std::uint8_t kHeaderRawSerial = 6;
// XTFRAWSERIALHEADER: the count of valid characters and where they start.
constexpr std::size_t kSerialStringSize = 28;
constexpr std::size_t kSerialText = 30;

constexpr std::uint16_t kMagicValue = 0xFACE;
constexpr float kSoundVelocityValue = 750.0f;
}  // namespace ping

// XTFPINGCHANHEADER
namespace channel {
constexpr std::size_t kChannelNumber = 0;
constexpr std::size_t kSlantRange = 4;
constexpr std::size_t kTimeDuration = 16;
constexpr std::size_t kSecondsPerPing = 20;
constexpr std::size_t kFrequencyKHz = 24;    // the standard's ProcessingFlags
constexpr std::size_t kSamplesPerSide = 26;  // the standard's Frequency and InitialGainCode
constexpr std::size_t kGainCode = 30;
constexpr std::size_t kBandWidth = 32;
constexpr std::size_t kContactNumber = 34;
constexpr std::size_t kNumSamples = 42;

constexpr double kSecondsPerMetre = 0.0013333333333333333;
constexpr std::uint16_t kContactNumberValue = 10;
// Sonar frequency in kHz by modeFreq 0, 1, 2.
constexpr std::uint16_t kFrequencyByMode[] = {260, 330, 770};
}  // namespace channel

}  // namespace xtf
