#include "sensorcfg/ConfigFile.h"

#include <cstring>

namespace config_file {
namespace {
constexpr int kFirstVersion = 300;

class Writer {
  public:
    void u16(std::int32_t v) {
        const auto u = static_cast<std::uint16_t>(v);
        bytes_.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    void f32(float v) {
        std::uint32_t u = 0;
        std::memcpy(&u, &v, sizeof u);
        for (int i = 0; i < 4; ++i) {
            bytes_.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
        }
    }
    void f64(double v) {
        std::uint64_t u = 0;
        std::memcpy(&u, &v, sizeof u);
        for (int i = 0; i < 8; ++i) {
            bytes_.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
        }
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Reads fields in order; once the bytes run out every later read fails too, so a loader checks
// ok() once at the end.
class Reader {
  public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    bool ok() const { return ok_; }

    std::uint64_t raw(std::size_t n) {
        if (!ok_ || bytes_.size() - pos_ < n) {
            ok_ = false;
            return 0;
        }
        std::uint64_t u = 0;
        for (std::size_t i = 0; i < n; ++i) {
            u |= static_cast<std::uint64_t>(bytes_[pos_ + i]) << (8 * i);
        }
        pos_ += n;
        return u;
    }
    std::int16_t i16() { return static_cast<std::int16_t>(raw(2)); }
    void i16(std::int16_t& field) { field = i16(); }
    void f32(float& field) {
        const auto u = static_cast<std::uint32_t>(raw(4));
        std::memcpy(&field, &u, sizeof field);
    }
    void f64(double& field) {
        const std::uint64_t u = raw(8);
        std::memcpy(&field, &u, sizeof field);
    }

  private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};
}  // namespace

std::vector<std::uint8_t> store(const SensorConfig& c) {
    Writer w;
    w.u16(kVersion);
    w.u16(c.model);
    for (std::int16_t flag : c.sentences) {
        w.u16(flag);
    }
    w.u16(c.lat_deg);
    w.f32(c.lat_min);
    w.u16(c.lat_south);
    w.u16(c.lon_deg);
    w.f32(c.lon_min);
    w.u16(c.lon_west);
    w.f32(c.alt);
    w.u16(0);  // reserved
    w.f64(c.datum_a);
    w.f64(c.datum_df);
    w.f32(c.dx);
    w.f32(c.dy);
    w.f32(c.dz);
    for (std::int16_t v : {c.diffmode, c.baudrate, c.datum, c.filter, c.fixmode, c.ppsmode,
                           c.ppslen, c.vldtime, c.outtime, c.cpo, c.avg}) {
        w.u16(v);
    }
    w.f32(c.bcn_freq);
    for (std::int16_t v : {c.bcn_br, c.bcn_auto, c.nmea230, c.psm, c.dgpsmode, c.adaptive_tx,
                           c.auto_off, c.ext_pwr_on, c.pps_auto_off}) {
        w.u16(v);
    }
    return w.take();
}

LoadResult load(const std::vector<std::uint8_t>& bytes, SensorConfig& config) {
    SensorConfig c = config;
    Reader r(bytes);
    LoadResult result;

    const std::int16_t first = r.i16();
    int firstFlag = 0;
    if (first >= kFirstVersion && first <= kVersion) {
        result.version = first;
        r.i16();  // the model of the sensor the file was written for: the program's own stays
    } else {
        // A file from before versions were written starts with the first sentence flag.
        c.sentences[0] = first;
        firstFlag = 1;
        result.converted = true;
    }
    const int v = result.version;
    for (int i = firstFlag; i < PTVRB; ++i) {
        r.i16(c.sentences[static_cast<std::size_t>(i)]);
    }
    if (!result.converted && v > 301) {
        r.i16(c.sentences[PTVRB]);
    } else {
        c.sentences[PTVRB] = 0;
        result.converted = true;
    }
    for (int i = PTVRB + 1; i < kSentenceCount; ++i) {
        r.i16(c.sentences[static_cast<std::size_t>(i)]);
    }

    r.i16(c.lat_deg);
    r.f32(c.lat_min);
    r.i16(c.lat_south);
    r.i16(c.lon_deg);
    r.f32(c.lon_min);
    r.i16(c.lon_west);
    r.f32(c.alt);
    r.i16();  // reserved
    r.f64(c.datum_a);
    r.f64(c.datum_df);
    r.f32(c.dx);
    r.f32(c.dy);
    r.f32(c.dz);
    for (std::int16_t* f :
         {&c.diffmode, &c.baudrate, &c.datum, &c.filter, &c.fixmode, &c.ppsmode}) {
        r.i16(*f);
    }

    if (v < 300) {
        c.ppslen = 4;
        c.vldtime = 30;
        c.outtime = 1;
        c.cpo = 1;
        result.converted = true;
    } else {
        for (std::int16_t* f : {&c.ppslen, &c.vldtime, &c.outtime, &c.cpo}) {
            r.i16(*f);
        }
    }
    if (v < 301) {
        c.avg = 0;
        result.converted = true;
    } else {
        r.i16(c.avg);
    }
    if (v <= 301) {
        // psm and dgpsmode keep the values they had.
        c.bcn_freq = 0.0F;
        c.bcn_br = 0;
        c.bcn_auto = 0;
        c.nmea230 = 0;
        result.converted = true;
    } else {
        r.f32(c.bcn_freq);
        for (std::int16_t* f : {&c.bcn_br, &c.bcn_auto, &c.nmea230, &c.psm, &c.dgpsmode}) {
            r.i16(*f);
        }
    }
    if (v < 401) {
        c.adaptive_tx = 0;
        c.auto_off = 0;
        c.ext_pwr_on = 0;
        result.converted = true;
    } else {
        for (std::int16_t* f : {&c.adaptive_tx, &c.auto_off, &c.ext_pwr_on}) {
            r.i16(*f);
        }
    }
    if (v < 402) {
        c.pps_auto_off = 0;
    } else {
        r.i16(c.pps_auto_off);
    }

    if (!r.ok()) {
        return {LoadStatus::Truncated, false, result.version};
    }
    config = c;
    return result;
}

}  // namespace config_file
