#include "targets/TargetJson.h"

namespace {
constexpr int kDegreeDecimals = 8;  // about a millimetre
constexpr int kMetreDecimals = 3;
constexpr int kCourseDecimals = 2;

std::string point(const std::optional<geodesy::LatLon>& p) {
    if (!p) {
        return "null";
    }
    return R"({"type":"Point","coordinates":[)" + json::fixed(p->longitude, kDegreeDecimals) + "," +
           json::fixed(p->latitude, kDegreeDecimals) + "]}";
}

std::string optionalNumber(const std::optional<double>& v, int decimals) {
    return v ? json::fixed(*v, decimals) : "null";
}

std::optional<double> numberOf(const json::Value* v) {
    if (v && v->type == json::Value::Type::Number) {
        return v->number;
    }
    return std::nullopt;
}

std::optional<std::string> textOf(const json::Value* v) {
    if (v && v->type == json::Value::Type::String) {
        return v->string;
    }
    return std::nullopt;
}

// A member that may be null; false when it is there with the wrong type.
bool optionalNumberOf(const json::Value& props, std::string_view key, std::optional<double>& out) {
    const json::Value* v = props.find(key);
    if (!v || v->isNull()) {
        out.reset();
        return true;
    }
    out = numberOf(v);
    return out.has_value();
}

std::optional<geodesy::LatLon> pointOf(const json::Value* geometry) {
    if (!geometry || geometry->isNull()) {
        return std::nullopt;
    }
    const json::Value* coords = geometry->find("coordinates");
    if (textOf(geometry->find("type")) != "Point" || !coords || coords->items.size() < 2) {
        return std::nullopt;
    }
    const std::optional<double> lon = numberOf(&coords->items[0]);
    const std::optional<double> lat = numberOf(&coords->items[1]);
    if (!lon || !lat) {
        return std::nullopt;
    }
    return geodesy::LatLon{*lat, *lon};
}
}  // namespace

std::string featureJson(const Target& t, std::string_view name) {
    std::string s = R"({"type":"Feature","geometry":)" + point(t.position) + R"(,"properties":{)";
    if (!name.empty()) {
        s += R"("name":)" + json::quoted(name) + ",";
    }
    s += R"("kind":")" + std::string(kindText(t.kind)) + "\"";
    s += R"(,"ping":)" + (t.ping ? std::to_string(*t.ping) : std::string("null"));
    s += R"(,"date":)" + json::quoted(t.date);
    s += R"(,"time":)" + json::quoted(t.time);
    s += R"(,"side":")" + std::string(sideText(t.side)) + "\"";
    s += R"(,"range_m":)" + json::fixed(t.rangeMetres, kMetreDecimals);
    if (t.heightMetres) {
        s += R"(,"height_m":)" + json::fixed(*t.heightMetres, kMetreDecimals);
    }
    const std::optional<double> lon =
        t.track ? std::optional<double>(t.track->longitude) : std::nullopt;
    const std::optional<double> lat =
        t.track ? std::optional<double>(t.track->latitude) : std::nullopt;
    s += R"(,"track_lon":)" + optionalNumber(lon, kDegreeDecimals);
    s += R"(,"track_lat":)" + optionalNumber(lat, kDegreeDecimals);
    s += R"(,"course_deg":)" + optionalNumber(t.courseDegrees, kCourseDecimals);
    s += R"(,"course_from":")" + std::string(courseFromText(t.courseFrom)) + "\"";
    s += R"(,"offset_applied":)" + std::string(t.offsetApplied ? "true" : "false");
    return s + "}}";
}

std::optional<Target> targetOfFeature(const json::Value& f) {
    const json::Value* props = f.find("properties");
    if (textOf(f.find("type")) != "Feature" || !props || props->type != json::Value::Type::Object) {
        return std::nullopt;
    }
    Target t;
    const std::optional<TargetKind> kind = kindNamed(textOf(props->find("kind")).value_or(""));
    const std::optional<TrackSide> side = sideNamed(textOf(props->find("side")).value_or(""));
    const std::optional<double> range = numberOf(props->find("range_m"));
    if (!kind || !side || !range) {
        return std::nullopt;
    }
    t.kind = *kind;
    t.side = *side;
    t.rangeMetres = *range;
    std::optional<double> ping, lon, lat;
    if (!optionalNumberOf(*props, "ping", ping) ||
        !optionalNumberOf(*props, "height_m", t.heightMetres) ||
        !optionalNumberOf(*props, "track_lon", lon) ||
        !optionalNumberOf(*props, "track_lat", lat) ||
        !optionalNumberOf(*props, "course_deg", t.courseDegrees)) {
        return std::nullopt;
    }
    if (ping && *ping >= 1 && *ping <= 4294967295.0) {
        t.ping = static_cast<std::uint32_t>(*ping);
    }
    if (lon && lat) {
        t.track = geodesy::LatLon{*lat, *lon};
    }
    t.date = textOf(props->find("date")).value_or("");
    t.time = textOf(props->find("time")).value_or("");
    t.courseFrom =
        courseFromNamed(textOf(props->find("course_from")).value_or("")).value_or(CourseFrom::None);
    const json::Value* applied = props->find("offset_applied");
    t.offsetApplied = applied && applied->type == json::Value::Type::Bool && applied->boolean;
    t.position = pointOf(f.find("geometry"));
    return t;
}
