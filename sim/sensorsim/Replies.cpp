#include "sensorsim/Replies.h"

#include <cstdio>

#include "nmeasim/Nmea.h"

namespace sensorsim {
namespace {

constexpr std::size_t kReplyBuffer = 256;

char pick(int value, const char* letters, int count) {
    return value >= 0 && value < count ? letters[value] : letters[0];
}

// On/off settings travel as 1 (off) and 2 (on).
int onOff(int flag) {
    return flag != 0 ? 2 : 1;
}

}  // namespace

std::string positionReply(const SensorConfig& c, nmeasim::UtcMicros now) {
    const nmeasim::CivilTime t = nmeasim::toCivil(now);
    char buffer[kReplyBuffer];
    std::snprintf(buffer, sizeof buffer,
                  "$PTVRI,%02d%06.03f,%c,%03d%06.03f,%c,%02d%02d%02d,%02d%02d%02d\r\n", c.lat_deg,
                  static_cast<double>(c.lat_min), c.lat_south != 0 ? 'S' : 'N', c.lon_deg,
                  static_cast<double>(c.lon_min), c.lon_west != 0 ? 'W' : 'E', t.day, t.month,
                  t.year % 100, t.hour, t.minute, t.second);
    return buffer;
}

std::string configReply(const SensorConfig& c) {
    const char fix = pick(c.fixmode, "A23", 3);
    const char diff = pick(c.diffmode, "AD", 2);
    const int pps = onOff(c.ppsmode);
    char buffer[kReplyBuffer];
    if (c.datum == kUserDatum) {
        std::snprintf(buffer, sizeof buffer,
                      "$PTVRC,%c,%.1f,%d,%.3f,%.9f,%.1f,%.1f,%.1f,%c,%d,%d,%d,%d,%d\r\n", fix,
                      static_cast<double>(c.alt), c.datum, c.datum_a, c.datum_df,
                      static_cast<double>(c.dx), static_cast<double>(c.dy),
                      static_cast<double>(c.dz), diff, c.baudrate, c.filter, pps, c.ppslen,
                      c.vldtime);
    } else {
        std::snprintf(buffer, sizeof buffer, "$PTVRC,%c,%.1f,%d,,,,,,%c,%d,%d,%d,%d,%d\r\n", fix,
                      static_cast<double>(c.alt), c.datum, diff, c.baudrate, c.filter, pps,
                      c.ppslen, c.vldtime);
    }
    return buffer;
}

std::string extraReply(const SensorConfig& c) {
    if (c.model == 1) {
        return {};
    }
    const char dgps = pick(c.dgpsmode, "AWRN", 4);
    const char psm = pick(c.psm, "NP", 2);
    char buffer[kReplyBuffer];
    if (c.model == 0) {
        std::snprintf(buffer, sizeof buffer, "$PTVRC1,%d,%d,%d,%.1f,%d,%d,%d,%c,%c,%d,%d,%d\r\n",
                      c.outtime, onOff(c.cpo), onOff(c.avg), static_cast<double>(c.bcn_freq),
                      c.bcn_br, onOff(c.bcn_auto), onOff(c.nmea230), dgps, psm,
                      onOff(c.adaptive_tx), onOff(c.auto_off), onOff(c.ext_pwr_on));
    } else {
        std::snprintf(buffer, sizeof buffer, "$PTVRC1,%d,%d,%d,%.1f,%d,%d,%d,%c,%c,,,,%d\r\n",
                      c.outtime, onOff(c.cpo), onOff(c.avg), static_cast<double>(c.bcn_freq),
                      c.bcn_br, onOff(c.bcn_auto), onOff(c.nmea230), dgps, psm,
                      onOff(c.pps_auto_off));
    }
    return buffer;
}

std::string withChecksum(const std::string& line) {
    const std::size_t end = line.find("\r\n");
    const std::string body = line.substr(0, end);
    if (body.empty() || body[0] != '$') {
        return line;
    }
    return nmeasim::frame(std::string_view(body).substr(1));
}

}  // namespace sensorsim
