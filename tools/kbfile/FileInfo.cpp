#include "kbfile/FileInfo.h"

#include <algorithm>

#include "acquisition/SwitchCommand.h"
#include "datafile/FieldText.h"
#include "kbfile/FileKind.h"
#include "kbfile/PingGps.h"

namespace kbfile {
namespace {
using fieldtext::formatted;

constexpr const char* kModeNames[] = {"Low", "Medium", "High"};

PingSettings settingsOf(const PingRecord& rec) {
    return {rec.rangeIndex, rec.modeFreq, rec.dataGain, rec.gainBalance, rec.ping.samplesTotal()};
}

PingMoment momentOf(const PingRecord& rec) {
    return {rec.pingNumber, rec.dateText, rec.timeText + rec.millisecondText};
}

std::string rangeText(int rangeIndex) {
    return formatted("range %d (%d m)", rangeIndex, rangeMetres(rangeIndex));
}

std::string settingsText(const PingSettings& s) {
    return rangeText(s.rangeIndex) + ", mode " + modeName(s.modeFreq) +
           formatted(", data gain %d, gain balance %d", s.dataGain, s.gainBalance);
}

// Only what differs from the ping before.
std::string changeText(const SettingsChange& c) {
    std::vector<std::string> parts;
    if (c.after.rangeIndex != c.before.rangeIndex) {
        parts.push_back(rangeText(c.after.rangeIndex));
    }
    if (c.after.modeFreq != c.before.modeFreq) {
        parts.push_back("mode " + modeName(c.after.modeFreq));
    }
    if (c.after.dataGain != c.before.dataGain) {
        parts.push_back(formatted("data gain %d", c.after.dataGain));
    }
    if (c.after.gainBalance != c.before.gainBalance) {
        parts.push_back(formatted("gain balance %d", c.after.gainBalance));
    }
    if (c.after.samplesTotal != c.before.samplesTotal) {
        parts.push_back(formatted("%d samples", c.after.samplesTotal));
    }
    std::string text = formatted("  ping #%u (record %llu at byte %llu): ", c.pingNumber,
                                 static_cast<unsigned long long>(c.place.index + 1),
                                 static_cast<unsigned long long>(c.place.offset));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        text += (i == 0 ? "" : ", ") + parts[i];
    }
    return text + "\n";
}

std::string momentText(const PingMoment& m) {
    return formatted("#%u  %s %s", m.pingNumber, m.dateText.c_str(), m.timeText.c_str());
}

std::string gpsLines(const InfoSummary& s) {
    if (s.planeSpan) {
        return formatted("GPS:         %llu of %llu pings with a position in metres\n",
                         static_cast<unsigned long long>(s.pingsWithPosition),
                         static_cast<unsigned long long>(s.pings)) +
               formatted("Easting:     %.2f .. %.2f\n", s.planeSpan->min.easting,
                         s.planeSpan->max.easting) +
               formatted("Northing:    %.2f .. %.2f\n", s.planeSpan->min.northing,
                         s.planeSpan->max.northing);
    }
    if (!s.span) {
        return "GPS:         no positions\n";
    }
    return formatted("GPS:         %llu of %llu pings with a position\n",
                     static_cast<unsigned long long>(s.pingsWithPosition),
                     static_cast<unsigned long long>(s.pings)) +
           formatted("Latitude:    %.6f .. %.6f\n", s.span->min.latitude, s.span->max.latitude) +
           formatted("Longitude:   %.6f .. %.6f\n", s.span->min.longitude, s.span->max.longitude) +
           formatted("First fix:   %.6f %.6f\n", s.firstPosition.latitude,
                     s.firstPosition.longitude) +
           formatted("Last fix:    %.6f %.6f\n", s.lastPosition.latitude, s.lastPosition.longitude);
}

std::string channelText(const XtfFileInfo& file, std::size_t i) {
    const char* side = "other";
    if (file.channels[i].type == XtfChannelInfo::kPort) {
        side = "port";
    } else if (file.channels[i].type == XtfChannelInfo::kStarboard) {
        side = "starboard";
    }
    return formatted("%zu %s (%s, %d-bit)", i, file.channels[i].name.c_str(), side,
                     file.channels[i].bytesPerSample * 8);
}

std::string drawnText(const XtfFileInfo& file, std::optional<std::size_t> i) {
    return i && *i < file.channels.size()
               ? formatted("channel %zu %s", *i, file.channels[*i].name.c_str())
               : std::string("none");
}

std::string foreignLines(const ForeignXtfSummary& f) {
    const XtfFileInfo& file = f.file;
    std::string text = "System:      " + file.programName + " " + file.programVersion + ", sonar " +
                       file.sonarName + " (XTF of another system)\n";
    const std::size_t sonar = std::min(file.sonarChannels, file.channels.size());
    text += formatted("Channels:    %zu sonar", sonar);
    for (std::size_t i = 0; i < sonar; ++i) {
        text += (i == 0 ? ": " : ", ") + channelText(file, i);
    }
    text += "\nDrawn:       port " + drawnText(file, f.choice.port) + ", starboard " +
            drawnText(file, f.choice.starboard) + "\n";
    if (f.gainReference) {
        text += formatted(
            "Gain:        16-bit samples scaled linearly, %u (95th percentile of the file) "
            "drawn as 254\n",
            *f.gainReference);
    }
    text += formatted("Packets:     %llu sonar, %llu raw serial, %llu other (stepped over)\n",
                      static_cast<unsigned long long>(f.sonarPackets),
                      static_cast<unsigned long long>(f.serialPackets),
                      static_cast<unsigned long long>(f.otherPackets));
    if (f.emptyPings > 0) {
        text += formatted("             %llu sonar packets without the drawn channels left out\n",
                          static_cast<unsigned long long>(f.emptyPings));
    }
    text +=
        std::string("Navigation:  ping header in ") + (file.navUnits == 0 ? "metres" : "degrees");
    if (f.nmeaPositions > 0) {
        text += formatted(", NMEA packets for %llu pings",
                          static_cast<unsigned long long>(f.nmeaPositions));
    }
    return text + "\n";
}

}  // namespace

void InfoCollector::add(const PingRecord& rec, const PingPlace& place) {
    addSettings(rec, place);
    if (const std::optional<GeoPoint> p = gpsOf(rec, summary_.kind).position) {
        addPosition(*p);
    }
}

void InfoCollector::add(const PingRecord& rec, const PingPlace& place, const SurveyPing& survey) {
    addSettings(rec, place);
    altitude_.add(rec, survey);
    if (survey.position) {
        addPosition(*survey.position);
    } else if (survey.plane) {
        addPlane(*survey.plane);
    }
}

void InfoCollector::addSettings(const PingRecord& rec, const PingPlace& place) {
    InfoSummary& s = summary_;
    const PingSettings now = settingsOf(rec);
    if (s.pings == 0) {
        s.first = momentOf(rec);
        s.settings = now;
    } else if (now != last_) {
        ++s.changeCount;
        if (s.changes.size() < InfoSummary::kListedChanges) {
            s.changes.push_back({place, rec.pingNumber, last_, now});
        }
    }
    last_ = now;
    s.last = momentOf(rec);
    ++s.pings;
}

void InfoCollector::addPlane(const PlanePoint& p) {
    InfoSummary& s = summary_;
    ++s.pingsWithPosition;
    if (!s.planeSpan) {
        s.planeSpan = PlaneSpan{p, p};
        return;
    }
    s.planeSpan->min.easting = std::min(s.planeSpan->min.easting, p.easting);
    s.planeSpan->min.northing = std::min(s.planeSpan->min.northing, p.northing);
    s.planeSpan->max.easting = std::max(s.planeSpan->max.easting, p.easting);
    s.planeSpan->max.northing = std::max(s.planeSpan->max.northing, p.northing);
}

void InfoCollector::addPosition(const GeoPoint& p) {
    InfoSummary& s = summary_;
    ++s.pingsWithPosition;
    s.lastPosition = p;
    if (!s.span) {
        s.span = GeoSpan{p, p};
        s.firstPosition = p;
        return;
    }
    s.span->min.latitude = std::min(s.span->min.latitude, p.latitude);
    s.span->min.longitude = std::min(s.span->min.longitude, p.longitude);
    s.span->max.latitude = std::max(s.span->max.latitude, p.latitude);
    s.span->max.longitude = std::max(s.span->max.longitude, p.longitude);
}

InfoOutcome collectInfo(const std::string& path, const ProgressFn& progress) {
    InfoCollector collector(kindFromPath(path).value_or(SourceKind::Dsx));
    const ScanOutcome scan = scanSurvey(
        path,
        [&](const PingRecord& rec, const PingPlace& place,
            const SurveyPing& survey) -> std::optional<Problem> {
            collector.add(rec, place, survey);
            return std::nullopt;
        },
        progress);
    InfoOutcome out;
    out.problem = scan.problem;
    out.summary = collector.summary();
    out.summary.fileSize = scan.fileSize;
    out.summary.foreign = scan.foreign;
    out.summary.altitude = collector.altitude().summary();
    return out;
}

std::string modeName(int modeFreq) {
    if (modeFreq >= 0 && modeFreq < static_cast<int>(std::size(kModeNames))) {
        return kModeNames[modeFreq];
    }
    return formatted("mode %d", modeFreq);
}

std::string formatInfo(const std::string& path, const InfoSummary& s) {
    std::string text = "File:        " + path + "\n";
    text += formatted("Kind:        %d (%s)\n", static_cast<int>(s.kind), extensionOf(s.kind));
    if (s.foreign) {
        text += foreignLines(*s.foreign);
    }
    text += formatted("Size:        %llu bytes\n", static_cast<unsigned long long>(s.fileSize));
    text += formatted("Pings:       %llu\n", static_cast<unsigned long long>(s.pings));
    text += "First ping:  " + momentText(s.first) + "\n";
    text += "Last ping:   " + momentText(s.last) + "\n";
    text += formatted("Samples:     %d a ping (%d a side)\n", s.settings.samplesTotal,
                      s.settings.samplesTotal / 2);
    text += "Settings:    " + settingsText(s.settings) + "\n";
    if (s.changeCount == 0) {
        text += "Changes:     none\n";
    } else {
        text += formatted("Changes:     %llu\n", static_cast<unsigned long long>(s.changeCount));
        for (const SettingsChange& c : s.changes) {
            text += changeText(c);
        }
        if (s.changeCount > s.changes.size()) {
            text += formatted("  (%llu more not listed)\n",
                              static_cast<unsigned long long>(s.changeCount - s.changes.size()));
        }
    }
    text += gpsLines(s);
    if (s.altitude) {
        text += altitudeLines(*s.altitude);
    }
    return text;
}

}  // namespace kbfile
