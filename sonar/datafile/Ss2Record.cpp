#include "datafile/Ss2Record.h"

#include <algorithm>

#include "datafile/ByteOrder.h"
#include "datafile/FieldText.h"

namespace {
constexpr std::uint8_t kSignatureBytes[] = {0x53, 0x53, 0x32};
constexpr std::size_t kDateChars = 11;
constexpr std::size_t kTimeChars = 8;
constexpr std::size_t kGpsDateChars = 9;
constexpr std::size_t kGpsTimeChars = 8;
// When byte 19 is no terminator, the year is rebuilt from the digits in bytes 15..19.
constexpr std::size_t kDateEnd = 19;
constexpr std::size_t kDateHead = 7;
constexpr std::size_t kCentury = 15;
constexpr std::size_t kYearInCentury = 17;
constexpr char kNoMilliseconds[] = ".000";

// The text's first maxLen characters from offset on, then its last character (the hemisphere
// letter) in the field's last byte.
void putPosition(std::span<std::uint8_t> out, std::size_t offset, std::size_t maxLen,
                 const std::string& text) {
    if (text.empty()) {
        return;
    }
    fieldtext::putText(out, offset, maxLen, text);
    out[offset + maxLen - 1] = static_cast<std::uint8_t>(text.back());
}

void putGps(const PingRecord& rec, std::span<std::uint8_t> out) {
    using fieldtext::truncToInt;
    std::uint8_t* p = out.data();
    if (rec.gpsInput) {
        p[Ss2Record::kGpsPresent] = Ss2Record::kGpsPresentValue;
        putPosition(out, Ss2Record::kLatitudeText, Ss2Record::kLatitudeChars,
                    rec.gpsText[GpsText::Latitude]);
        putPosition(out, Ss2Record::kLongitudeText, Ss2Record::kLongitudeChars,
                    rec.gpsText[GpsText::Longitude]);
    }
    p[Ss2Record::kSpeed] = static_cast<std::uint8_t>(truncToInt(rec.fix.speedKnots * 10.0));
    byteorder::putBe16(p + Ss2Record::kHeading,
                       static_cast<std::uint16_t>(truncToInt(rec.fix.headingDegrees * 10.0)));
    const std::string& date = rec.gpsText[GpsText::Date];
    if (date.size() >= kGpsDateChars) {
        fieldtext::putText(out, Ss2Record::kGpsDateText, kGpsDateChars, date);
    }
    const std::string& time = rec.gpsText[GpsText::Time];
    if (time.size() >= kGpsTimeChars) {
        fieldtext::putText(out, Ss2Record::kGpsTimeText, kGpsTimeChars, time);
    }
}

std::string readDate(std::span<const std::uint8_t> bytes) {
    using namespace fieldtext;
    if (bytes[kDateEnd] == 0) {
        return textAt(bytes, Ss2Record::kDateText, kDateChars + 1);
    }
    const std::string century = textAt(bytes, kCentury, 2);
    const std::string inCentury = textAt(bytes, kYearInCentury, 3);
    const int year = 100 * leadingInt(century) + leadingInt(inCentury);
    return textAt(bytes, Ss2Record::kDateText, kDateHead) + formatted("%04d", year);
}

// "dd.mm.mmmmH": whole degrees in the first degreeDigits characters, minutes after the point.
void readPosition(const std::string& text, std::size_t degreeDigits, std::string& textOut,
                  double& valueOut, char& hemisphereOut) {
    using namespace fieldtext;
    constexpr std::size_t kMinuteChars = 7;
    if (text.empty()) {
        textOut = kGpsNotAvailable;
        valueOut = 0.0;
        hemisphereOut = 0;
        return;
    }
    textOut = text;
    valueOut = leadingInt(cut(text, 0, degreeDigits)) +
               leadingDouble(cut(text, degreeDigits + 1, kMinuteChars)) / 60.0;
    hemisphereOut = text.back();
}

std::string textOrNotAvailable(std::span<const std::uint8_t> bytes, std::size_t offset,
                               std::size_t chars) {
    return bytes[offset] == 0 ? std::string(kGpsNotAvailable)
                              : fieldtext::textAt(bytes, offset, chars);
}

std::string valueText(const char* format, double value) {
    return value != 0.0 ? fieldtext::formatted(format, value) : std::string(kGpsNotAvailable);
}

void readGps(std::span<const std::uint8_t> bytes, PingRecord& out) {
    const std::uint8_t* p = bytes.data();
    out.gpsInput = p[Ss2Record::kGpsPresent] == Ss2Record::kGpsPresentValue;
    readPosition(fieldtext::textAt(bytes, Ss2Record::kLatitudeText, Ss2Record::kLatitudeChars), 2,
                 out.gpsText[GpsText::Latitude], out.fix.latitude, out.fix.latitudeHemisphere);
    readPosition(fieldtext::textAt(bytes, Ss2Record::kLongitudeText, Ss2Record::kLongitudeChars), 3,
                 out.gpsText[GpsText::Longitude], out.fix.longitude, out.fix.longitudeHemisphere);
    out.fix.speedKnots = p[Ss2Record::kSpeed] * 0.1;
    out.fix.headingDegrees = byteorder::getBe16(p + Ss2Record::kHeading) * 0.1;
    out.gpsText[GpsText::Speed] = valueText("%.1f Knots", out.fix.speedKnots);
    out.gpsText[GpsText::Heading] = valueText("%.1f Deg.", out.fix.headingDegrees);
    out.gpsText[GpsText::Date] = textOrNotAvailable(bytes, Ss2Record::kGpsDateText, kGpsDateChars);
    out.gpsText[GpsText::Time] = textOrNotAvailable(bytes, Ss2Record::kGpsTimeText, kGpsTimeChars);
}
}  // namespace

bool Ss2Record::encode(const PingRecord& rec, std::uint16_t backLink, std::span<std::uint8_t> out) {
    using namespace byteorder;
    const int samplesTotal = rec.ping.samplesTotal();
    if (samplesTotal < kMinSamplesTotal || samplesTotal > kMaxEncodedSamples ||
        out.size() < kRecordBytes) {
        return false;
    }
    const std::size_t samples = static_cast<std::size_t>(samplesTotal);
    out = out.first(kRecordBytes);
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    std::uint8_t* p = out.data();
    std::copy_n(kSignatureBytes, sizeof kSignatureBytes, p + kSignature);
    putBe16(p + kRecordLength, static_cast<std::uint16_t>(kRecordBytes));
    putBe16(p + kReturnLength, static_cast<std::uint16_t>(samples + head::kHeaderBytes + 1));
    fieldtext::putText(out, kDateText, kDateChars, rec.dateText);
    fieldtext::putText(out, kTimeText, kTimeChars, rec.timeText);
    p[kRangeIndex] = rec.rangeIndex;
    p[kDataGain] = rec.dataGain;
    putBe16(p + kPingInterval, static_cast<std::uint16_t>(rec.pingIntervalMs));
    p[kModeFreq] = rec.modeFreq;
    p[kGainBalance] = rec.gainBalance;
    putGps(rec, out);
    std::copy_n(rec.ping.header(), head::kHeaderBytes, p + kHeadHeader);
    std::copy_n(rec.ping.samples(), samples, p + kSamples);
    p[kSamples + samples] = kTerminator;
    putBe16(p + kBackLink, backLink);
    return true;
}

std::optional<std::size_t> Ss2Record::statedLength(std::span<const std::uint8_t> prefix) {
    if (prefix.size() < kPrefixBytes) {
        return std::nullopt;
    }
    return byteorder::getBe16(prefix.data() + kRecordLength);
}

std::optional<std::size_t> Ss2Record::decode(std::span<const std::uint8_t> bytes, PingRecord& out) {
    using namespace byteorder;
    if (bytes.size() < kHeaderBytes) {
        return std::nullopt;
    }
    const std::uint8_t* p = bytes.data();
    const std::size_t length = getBe16(p + kRecordLength);
    const std::size_t returnLength = getBe16(p + kReturnLength);
    const std::size_t overhead = head::kHeaderBytes + 1;
    if (returnLength < overhead + kMinSamplesTotal) {
        return std::nullopt;
    }
    const std::size_t samples = returnLength - overhead;
    if (length < kSamples + samples || length > bytes.size()) {
        return std::nullopt;
    }

    out.dateText = readDate(bytes);
    out.timeText = fieldtext::textAt(bytes, kTimeText, kTimeChars + 1);
    out.millisecondText = kNoMilliseconds;
    out.rangeIndex = p[kRangeIndex];
    out.dataGain = p[kDataGain];
    out.pingIntervalMs = getBe16(p + kPingInterval);
    out.modeFreq = p[kModeFreq];
    out.gainBalance = p[kGainBalance];
    readGps(bytes, out);

    if (out.ping.samplesTotal() != static_cast<int>(samples)) {
        out.ping.resize(static_cast<int>(samples));
    }
    std::copy_n(p + kHeadHeader, head::kHeaderBytes, out.ping.data());
    std::copy_n(p + kSamples, samples, out.ping.samples());
    out.stored = {.header = true, .sentences = false, .gps = true};
    return length;
}
