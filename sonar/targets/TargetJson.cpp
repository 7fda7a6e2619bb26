#include "targets/TargetJson.h"

#include "targets/Decimal.h"

namespace {
constexpr int kDegreeDecimals = 8;  // about a millimetre
constexpr int kMetreDecimals = 3;
constexpr int kCourseDecimals = 2;

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

OrderedJson number(const std::optional<double>& v, int decimals) {
    return v ? OrderedJson(roundedTo(*v, decimals)) : OrderedJson(nullptr);
}

OrderedJson point(const std::optional<geodesy::LatLon>& p) {
    if (!p) {
        return nullptr;
    }
    return {{"type", "Point"},
            {"coordinates",
             {roundedTo(p->longitude, kDegreeDecimals), roundedTo(p->latitude, kDegreeDecimals)}}};
}

const Json* member(const Json& object, const char* key) {
    if (!object.is_object()) {
        return nullptr;
    }
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

std::optional<double> numberOf(const Json* v) {
    return v && v->is_number() ? std::optional<double>(v->get<double>()) : std::nullopt;
}

std::string textOf(const Json* v) {
    return v && v->is_string() ? v->get<std::string>() : std::string();
}

// A member that may be null or absent; false when it is there with the wrong type.
bool optionalNumberOf(const Json& props, const char* key, std::optional<double>& out) {
    const Json* v = member(props, key);
    if (!v || v->is_null()) {
        out.reset();
        return true;
    }
    out = numberOf(v);
    return out.has_value();
}

std::optional<geodesy::LatLon> pointOf(const Json* geometry) {
    if (!geometry) {
        return std::nullopt;
    }
    const Json* coords = member(*geometry, "coordinates");
    if (textOf(member(*geometry, "type")) != "Point" || !coords || !coords->is_array() ||
        coords->size() < 2) {
        return std::nullopt;
    }
    const std::optional<double> lon = numberOf(&(*coords)[0]);
    const std::optional<double> lat = numberOf(&(*coords)[1]);
    if (!lon || !lat) {
        return std::nullopt;
    }
    return geodesy::LatLon{*lat, *lon};
}
}  // namespace

OrderedJson featureOf(const Target& t, std::string_view name) {
    OrderedJson props = OrderedJson::object();
    if (!name.empty()) {
        props["name"] = std::string(name);
    }
    props["kind"] = kindText(t.kind);
    props["ping"] = t.ping ? OrderedJson(*t.ping) : OrderedJson(nullptr);
    props["date"] = t.date;
    props["time"] = t.time;
    props["side"] = sideText(t.side);
    props["range_m"] = number(t.rangeMetres, kMetreDecimals);
    if (t.heightMetres) {
        props["height_m"] = number(t.heightMetres, kMetreDecimals);
    }
    props["track_lon"] =
        number(t.track ? std::optional<double>(t.track->longitude) : std::nullopt, kDegreeDecimals);
    props["track_lat"] =
        number(t.track ? std::optional<double>(t.track->latitude) : std::nullopt, kDegreeDecimals);
    props["course_deg"] = number(t.courseDegrees, kCourseDecimals);
    props["course_from"] = courseFromText(t.courseFrom);
    props["offset_applied"] = t.offsetApplied;
    return {{"type", "Feature"}, {"geometry", point(t.position)}, {"properties", props}};
}

std::string featureJson(const Target& t, std::string_view name) {
    // Text the operator typed may not be valid UTF-8; it must not cost the line.
    return featureOf(t, name).dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<Target> targetOfFeature(const Json& f) {
    const Json* props = member(f, "properties");
    if (textOf(member(f, "type")) != "Feature" || !props || !props->is_object()) {
        return std::nullopt;
    }
    Target t;
    const std::optional<TargetKind> kind = kindNamed(textOf(member(*props, "kind")));
    const std::optional<TrackSide> side = sideNamed(textOf(member(*props, "side")));
    const std::optional<double> range = numberOf(member(*props, "range_m"));
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
    t.date = textOf(member(*props, "date"));
    t.time = textOf(member(*props, "time"));
    t.courseFrom =
        courseFromNamed(textOf(member(*props, "course_from"))).value_or(CourseFrom::None);
    const Json* applied = member(*props, "offset_applied");
    t.offsetApplied = applied && applied->is_boolean() && applied->get<bool>();
    const Json* geometry = member(f, "geometry");
    if (geometry && !geometry->is_null()) {
        t.position = pointOf(geometry);
    }
    return t;
}
