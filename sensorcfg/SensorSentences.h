#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sensorcfg/SensorConfig.h"
#include "sensorcfg/SensorPorts.h"

// The sentences the editor exchanges with the sensor: how each one is written from the
// configuration and how each reply is read back into it. No checksum is sent; one on a received
// sentence is ignored.
namespace sensor_sentences {

using ::UtcTime;

constexpr const char* kProbe = "$PTVRO,,\r\n";
constexpr const char* kCalderFinish = "$PTVRO,,B\r\n";
constexpr const char* kResetUnit = "$PTVRI,,,,,,,R\r\n";
constexpr const char* kAutolocate = "$PTVRI,,,,,,,A\r\n";
constexpr const char* kEraseNonVol = "$PTVRO,,E\r\n";
constexpr const char* kTestMode = "$PTVRO,,T\r\n";
constexpr const char* kQueryPosition = "$PTVRIX\r\n";
constexpr const char* kQueryConfig = "$PTVRCX\r\n";
constexpr const char* kQueryExtra = "$PTVRC1X\r\n";
// A received line is matched by these many characters while a query's reply is awaited.
constexpr std::size_t kReplyPrefix = 6;

// "$PTVRO,GPGGA,1\r\n": one output sentence on or off.
std::string outputSelection(int sentence, bool on);
// "$PTVRI,..." with the configured position and the given UTC date and time.
std::string positionSentence(const SensorConfig& c, const UtcTime& now);
// "$PTVRC,...": the long form for the user datum, else the five datum fields left empty.
std::string configSentence(const SensorConfig& c);
// "$PTVRC1,...": the twelve-value form for base model 0, the form ending in PPS auto off for
// base models 2 to 7.
std::string extraConfigSentence(const SensorConfig& c);
// Everything an upload sends, in order: the 14 selections, position, configuration, then the
// model's last sentences.
std::vector<std::string> uploadSentences(const SensorConfig& c, const UtcTime& now);

// Sensors confirm nothing for these two: the send succeeds without an echo.
bool succeedsWithoutEcho(const std::string& sentence);

// The sentence that sends a sensor of this base model into its binary mode.
std::string binaryModeSentence(int model);
// A binary packet: DLE, id, size, data, checksum (two's complement of id, size and data),
// DLE, ETX.
std::string binaryPacket(std::uint8_t id, const std::vector<std::uint8_t>& data);
// The packet that asks a sensor of this base model in binary mode to return to NMEA.
std::string nmeaReturnPacket(int model);

// A received reply read into the configuration. Missing fields read as empty text and as 0.
void parsePosition(const std::string& line, SensorConfig& c);
void parseConfig(const std::string& line, SensorConfig& c);
void parseExtraConfig(const std::string& line, SensorConfig& c);

// The fields of a received line after its name: CR LF and any checksum removed, each field
// cut to 79 characters. Field 0 is the name.
std::vector<std::string> splitFields(const std::string& line);

}  // namespace sensor_sentences
