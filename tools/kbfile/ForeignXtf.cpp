#include "kbfile/ForeignXtf.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "acquisition/SwitchCommand.h"
#include "datafile/FieldText.h"
#include "datafile/XtfLayout.h"
#include "kbfile/SampleGain.h"

namespace kbfile {
namespace {
constexpr int kFirstRangeIndex = 5;
constexpr int kLastRangeIndex = 15;
// A file whose header declares no length this large per packet is damaged, not data.
constexpr std::size_t kMaxPacketBytes = std::size_t{64} << 20;

std::string atByte(const char* what, std::uint64_t offset) {
    return std::string(what) + " at byte " + std::to_string(offset);
}

// Steps from packet to packet after the file header.
class PacketWalk {
  public:
    enum class Step { Packet, End, Bad };

    PacketWalk(ByteSource& source, std::uint64_t first) : source_(source), next_(first) {}

    Step next() {
        offset_ = next_;
        const std::uint64_t size = source_.size();
        if (offset_ >= size) {
            return Step::End;
        }
        std::uint8_t prefix[XtfReader::kPrefixBytes];
        if (source_.readAt(offset_, prefix) != sizeof prefix) {
            return Step::Bad;
        }
        const std::optional<XtfPacketStart> start = XtfReader::packetStart(prefix);
        if (!start || start->length > kMaxPacketBytes || start->length > size - offset_) {
            return Step::Bad;
        }
        start_ = *start;
        bytes_.resize(start_.length);
        if (source_.readAt(offset_, bytes_) != bytes_.size()) {
            return Step::Bad;
        }
        next_ = offset_ + start_.length;
        return Step::Packet;
    }

    const XtfPacketStart& start() const { return start_; }
    std::span<const std::uint8_t> bytes() const { return bytes_; }
    std::uint64_t offset() const { return offset_; }
    std::uint64_t end() const { return next_; }

  private:
    ByteSource& source_;
    std::uint64_t next_;
    std::uint64_t offset_ = 0;
    XtfPacketStart start_;
    std::vector<std::uint8_t> bytes_;
};

const XtfSonarChannel* channelNumbered(const XtfSonarPing& p, std::optional<std::size_t> n) {
    if (!n) {
        return nullptr;
    }
    for (const XtfSonarChannel& c : p.channels) {
        if (c.number == *n) {
            return &c;
        }
    }
    return nullptr;
}

bool isLatLon(double lat, double lon) {
    return (lat != 0.0 || lon != 0.0) && std::fabs(lat) <= 90.0 && std::fabs(lon) <= 180.0;
}

int nearestMode(float kHz) {
    int best = 0;
    for (int mode = 1; mode < static_cast<int>(std::size(xtf::channel::kFrequencyByMode)); ++mode) {
        if (std::fabs(kHz - xtf::channel::kFrequencyByMode[mode]) <
            std::fabs(kHz - xtf::channel::kFrequencyByMode[best])) {
            best = mode;
        }
    }
    return best;
}

// The position the latest NMEA text of raw serial packets gave, read by the program's parser.
std::optional<GeoPoint> nmeaPosition(std::string_view text) {
    std::vector<std::string> sentences;
    std::size_t at = 0;
    while ((at = text.find('$', at)) != std::string_view::npos) {
        const std::size_t end = text.find_first_of("\r\n", at);
        const std::string_view s = text.substr(at, end == std::string_view::npos ? end : end - at);
        sentences.emplace_back(s);
        sentences.back() += "\r\n";
        at += s.size();
    }
    std::optional<GeoPoint> found;
    for (GpsSentenceSet set :
         {GpsSentenceSet::GllVtg, GpsSentenceSet::GgaVtg, GpsSentenceSet::Rmc}) {
        if (const std::optional<GeoPoint> p = readSentences(sentences, set).position) {
            found = p;
        }
    }
    return found;
}

// Turns sonar packets into pings of the program's layout: port samples outermost first in the
// left half (as XTF stores them, and as the program's own buffer holds them), starboard nearest
// first in the right half.
class PingBuilder {
  public:
    PingBuilder(ForeignXtfSummary& summary, const SampleGain& gain)
        : summary_(summary), gain_(gain) {}

    void noteSerial(std::span<const std::uint8_t> packet) {
        if (std::optional<GeoPoint> p = nmeaPosition(XtfReader::serialText(packet))) {
            nmea_ = p;
        }
    }

    // False when the packet holds neither drawn channel.
    bool build(const XtfSonarPing& p, PingRecord& rec, SurveyPing& survey) {
        const XtfSonarChannel* port = channelNumbered(p, summary_.choice.port);
        const XtfSonarChannel* stbd = channelNumbered(p, summary_.choice.starboard);
        const std::size_t n = std::max(port ? port->numSamples : 0, stbd ? stbd->numSamples : 0);
        if (n == 0 || 2 * n > static_cast<std::size_t>(kMaxSamplesTotal)) {
            return false;
        }
        if (rec.ping.samplesTotal() != static_cast<int>(2 * n)) {
            rec.ping.resize(static_cast<int>(2 * n));
        }
        std::uint8_t* samples = rec.ping.samples();
        std::fill_n(samples, 2 * n, std::uint8_t{0});
        if (port) {
            putSide(*port, samples + (n - port->numSamples));
        }
        if (stbd) {
            putSide(*stbd, samples + n);
        }
        const XtfSonarChannel& any = port ? *port : *stbd;
        const double range =
            std::max(port ? port->slantRange : 0.0f, stbd ? stbd->slantRange : 0.0f);
        rec.rangeIndex = static_cast<std::uint8_t>(nearestRangeIndex(range));
        rec.pingIntervalMs = static_cast<std::uint32_t>(
            std::lround(std::clamp(any.secondsPerPing * 1000.0, 0.0, 1.0e9)));
        rec.pingNumber = p.pingNumber;
        rec.dateText = formatDateText(p.time);
        rec.timeText = formatTimeText(p.time);
        rec.millisecondText = formatMillisecondText(p.time);
        if (const auto& ch = summary_.file.channels; summary_.choice.port &&
                                                     *summary_.choice.port < ch.size() &&
                                                     ch[*summary_.choice.port].frequencyKHz > 0) {
            rec.modeFreq =
                static_cast<std::uint8_t>(nearestMode(ch[*summary_.choice.port].frequencyKHz));
        }
        survey = SurveyPing{};
        survey.rangeMetres = range;
        if (p.headingDegrees != 0.0) {
            survey.headingDegrees = p.headingDegrees;
        }
        if (p.altitudeMetres > 0.0) {
            survey.fileAltitudeMetres = p.altitudeMetres;
        }
        navigate(p, rec, survey);
        rec.stored = {.header = false, .sentences = false, .gps = true};
        return true;
    }

  private:
    void putSide(const XtfSonarChannel& c, std::uint8_t* out) const {
        if (c.bytesPerSample == 2) {
            gain_.apply(c.data, out);
        } else {
            std::copy_n(c.data.data(), c.numSamples, out);
        }
    }

    void navigate(const XtfSonarPing& p, PingRecord& rec, SurveyPing& survey) {
        rec.fix = GpsFix{};
        rec.fix.speedKnots = p.speedKnots;
        rec.fix.headingDegrees = p.headingDegrees;
        const bool metres = summary_.file.navUnits == xtf::file::kNavUnitsMetres;
        if (metres && (p.sensorX != 0.0 || p.sensorY != 0.0)) {
            survey.plane = PlanePoint{p.sensorX, p.sensorY};
        } else if (metres && (p.shipX != 0.0 || p.shipY != 0.0)) {
            survey.plane = PlanePoint{p.shipX, p.shipY};
        } else if (!metres && isLatLon(p.sensorY, p.sensorX)) {
            survey.position = GeoPoint{p.sensorY, p.sensorX};
        } else if (!metres && isLatLon(p.shipY, p.shipX)) {
            survey.position = GeoPoint{p.shipY, p.shipX};
        } else if (nmea_) {
            survey.position = nmea_;
            ++summary_.nmeaPositions;
        }
        if (survey.position) {
            rec.fix.latitude = survey.position->latitude;
            rec.fix.longitude = survey.position->longitude;
            rec.fix.latitudeHemisphere = survey.position->latitude < 0.0 ? 'S' : 'N';
            rec.fix.longitudeHemisphere = survey.position->longitude < 0.0 ? 'W' : 'E';
        }
    }

    ForeignXtfSummary& summary_;
    const SampleGain& gain_;
    std::optional<GeoPoint> nmea_;
};

std::optional<Problem> readHeader(ByteSource& source, const std::string& path,
                                  ForeignXtfSummary& s) {
    std::vector<std::uint8_t> header(xtf::kFileHeaderBytes);
    header.resize(source.readAt(0, header));
    header.resize(XtfReader::fileHeaderBytes(header));
    header.resize(source.readAt(0, header));
    const std::optional<XtfFileInfo> info = XtfReader::readFileInfo(header);
    if (!info) {
        return Problem{path, "not an XTF file"};
    }
    s.file = *info;
    s.choice = chooseChannels(s.file);
    if (!s.choice.port && !s.choice.starboard) {
        return Problem{path, "no sidescan channels in the XTF file header"};
    }
    const std::size_t drawn = s.choice.port ? *s.choice.port : *s.choice.starboard;
    s.bytesPerSample = s.file.channels[drawn].bytesPerSample;
    if (s.bytesPerSample != 1 && s.bytesPerSample != 2) {
        return Problem{path, fieldtext::formatted("%d-byte samples are not supported (only 8 and "
                                                  "16-bit)",
                                                  s.bytesPerSample)};
    }
    return std::nullopt;
}

// The first pass over a file of 16-bit samples: the histogram its gain is set from.
std::optional<Problem> countSamples(ByteSource& source, const std::string& path,
                                    const ForeignXtfSummary& s, SampleGain& gain,
                                    const ProgressFn& progress) {
    PacketWalk walk(source, s.file.headerBytes);
    for (;;) {
        const PacketWalk::Step step = walk.next();
        if (step == PacketWalk::Step::End) {
            break;
        }
        if (step == PacketWalk::Step::Bad) {
            return Problem{path, atByte("bad record", walk.offset())};
        }
        if (walk.start().headerType != xtf::ping::kHeaderSonar) {
            continue;
        }
        if (const std::optional<XtfSonarPing> p =
                XtfReader::decodeSonarPacket(walk.bytes(), s.file)) {
            for (const XtfSonarChannel* c :
                 {channelNumbered(*p, s.choice.port), channelNumbered(*p, s.choice.starboard)}) {
                if (c != nullptr && c->bytesPerSample == 2) {
                    gain.count(c->data);
                }
            }
        }
        if (progress) {
            progress(walk.end() / 2, source.size());
        }
    }
    gain.settle();
    return std::nullopt;
}

}  // namespace

ChannelChoice chooseChannels(const XtfFileInfo& file) {
    ChannelChoice c;
    const std::size_t sonar = std::min(file.sonarChannels, file.channels.size());
    for (std::size_t i = 0; i < sonar; ++i) {
        const std::uint8_t type = file.channels[i].type;
        if (type == XtfChannelInfo::kPort && !c.port) {
            c.port = i;
        } else if (type == XtfChannelInfo::kStarboard && !c.starboard) {
            c.starboard = i;
        }
    }
    if (!c.port && !c.starboard && sonar >= 2) {
        c.port = 0;
        c.starboard = 1;
    }
    return c;
}

int nearestRangeIndex(double metres) {
    int best = kFirstRangeIndex;
    for (int i = kFirstRangeIndex + 1; i <= kLastRangeIndex; ++i) {
        if (std::fabs(rangeMetres(i) - metres) < std::fabs(rangeMetres(best) - metres)) {
            best = i;
        }
    }
    return best;
}

std::optional<Problem> scanForeignXtf(ByteSource& source, const std::string& path,
                                      const SurveyVisitor& visit, const ProgressFn& progress,
                                      ScanOutcome& outcome) {
    ForeignXtfSummary& s = outcome.foreign.emplace();
    if (std::optional<Problem> p = readHeader(source, path, s)) {
        return p;
    }
    SampleGain gain;
    if (s.bytesPerSample == 2) {
        if (std::optional<Problem> p = countSamples(source, path, s, gain, progress)) {
            return p;
        }
        s.gainReference = gain.reference();
    }
    const bool twoPasses = s.bytesPerSample == 2;
    PingBuilder builder(s, gain);
    PacketWalk walk(source, s.file.headerBytes);
    PingRecord rec;
    SurveyPing survey;
    for (;;) {
        const PacketWalk::Step step = walk.next();
        if (step == PacketWalk::Step::End) {
            return std::nullopt;
        }
        if (step == PacketWalk::Step::Bad) {
            return Problem{path, atByte("bad record", walk.offset())};
        }
        const std::uint8_t type = walk.start().headerType;
        if (type == xtf::ping::kHeaderRawSerial) {
            ++s.serialPackets;
            builder.noteSerial(walk.bytes());
            continue;
        }
        if (type != xtf::ping::kHeaderSonar) {
            ++s.otherPackets;
            continue;
        }
        ++s.sonarPackets;
        const std::optional<XtfSonarPing> p = XtfReader::decodeSonarPacket(walk.bytes(), s.file);
        if (!p || !builder.build(*p, rec, survey)) {
            ++s.emptyPings;
            continue;
        }
        const PingPlace place{outcome.pings, walk.offset(), walk.end() - walk.offset(),
                              outcome.fileSize};
        if (std::optional<Problem> problem = visit(rec, place, survey)) {
            return problem;
        }
        ++outcome.pings;
        if (progress) {
            const std::uint64_t size = source.size();
            progress(twoPasses ? size / 2 + walk.end() / 2 : walk.end(), size);
        }
    }
}

}  // namespace kbfile
