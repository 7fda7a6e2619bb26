#include "targets/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace json {
namespace {
constexpr int kMaxDepth = 32;

class Parser {
  public:
    explicit Parser(std::string_view text) : s_(text) {}

    std::optional<Value> document() {
        std::optional<Value> v = value(0);
        skipSpace();
        if (!v || pos_ != s_.size()) {
            return std::nullopt;
        }
        return v;
    }

  private:
    void skipSpace() {
        while (pos_ < s_.size() &&
               (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r')) {
            ++pos_;
        }
    }
    bool take(char c) {
        skipSpace();
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool word(std::string_view w) {
        if (s_.substr(pos_, w.size()) == w) {
            pos_ += w.size();
            return true;
        }
        return false;
    }

    std::optional<Value> value(int depth) {
        if (depth > kMaxDepth) {
            return std::nullopt;
        }
        skipSpace();
        if (pos_ >= s_.size()) {
            return std::nullopt;
        }
        Value v;
        const char c = s_[pos_];
        if (c == '{') {
            return object(depth);
        }
        if (c == '[') {
            return array(depth);
        }
        if (c == '"') {
            v.type = Value::Type::String;
            return string(v.string) ? std::optional<Value>(std::move(v)) : std::nullopt;
        }
        if (word("null")) {
            return v;
        }
        if (word("true") || word("false")) {
            v.type = Value::Type::Bool;
            v.boolean = s_[pos_ - 4] == 't';
            return v;
        }
        return number();
    }

    std::optional<Value> number() {
        const std::size_t start = pos_;
        auto digits = [&] {
            const std::size_t from = pos_;
            while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') {
                ++pos_;
            }
            return pos_ > from;
        };
        if (pos_ < s_.size() && s_[pos_] == '-') {
            ++pos_;
        }
        if (pos_ < s_.size() && s_[pos_] == '0') {
            ++pos_;
        } else if (!digits()) {
            return std::nullopt;
        }
        if (pos_ < s_.size() && s_[pos_] == '.') {
            ++pos_;
            if (!digits()) {
                return std::nullopt;
            }
        }
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-')) {
                ++pos_;
            }
            if (!digits()) {
                return std::nullopt;
            }
        }
        Value v;
        v.type = Value::Type::Number;
        const auto [end, ec] = std::from_chars(s_.data() + start, s_.data() + pos_, v.number);
        if (ec != std::errc{} || end != s_.data() + pos_ || !std::isfinite(v.number)) {
            return std::nullopt;
        }
        return v;
    }

    static void appendUtf8(std::string& out, unsigned cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    std::optional<unsigned> hex4() {
        if (pos_ + 4 > s_.size()) {
            return std::nullopt;
        }
        unsigned v = 0;
        const auto [end, ec] = std::from_chars(s_.data() + pos_, s_.data() + pos_ + 4, v, 16);
        if (ec != std::errc{} || end != s_.data() + pos_ + 4) {
            return std::nullopt;
        }
        pos_ += 4;
        return v;
    }

    bool escape(std::string& out) {
        if (pos_ >= s_.size()) {
            return false;
        }
        const char e = s_[pos_++];
        switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                return true;
            case 'b':
                out += '\b';
                return true;
            case 'f':
                out += '\f';
                return true;
            case 'n':
                out += '\n';
                return true;
            case 'r':
                out += '\r';
                return true;
            case 't':
                out += '\t';
                return true;
            case 'u':
                break;
            default:
                return false;
        }
        std::optional<unsigned> cp = hex4();
        if (!cp) {
            return false;
        }
        if (*cp >= 0xD800 && *cp < 0xDC00 && word("\\u")) {
            const std::optional<unsigned> low = hex4();
            if (!low || *low < 0xDC00 || *low >= 0xE000) {
                return false;
            }
            *cp = 0x10000 + ((*cp - 0xD800) << 10) + (*low - 0xDC00);
        } else if (*cp >= 0xD800 && *cp < 0xE000) {
            return false;  // a lone surrogate stands for no character
        }
        appendUtf8(out, *cp);
        return true;
    }

    bool string(std::string& out) {
        if (!take('"')) {
            return false;
        }
        while (pos_ < s_.size()) {
            const char c = s_[pos_++];
            if (c == '"') {
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return false;
            }
            if (c != '\\') {
                out += c;
            } else if (!escape(out)) {
                return false;
            }
        }
        return false;
    }

    std::optional<Value> array(int depth) {
        ++pos_;
        Value v;
        v.type = Value::Type::Array;
        if (take(']')) {
            return v;
        }
        do {
            std::optional<Value> item = value(depth + 1);
            if (!item) {
                return std::nullopt;
            }
            v.items.push_back(std::move(*item));
        } while (take(','));
        return take(']') ? std::optional<Value>(std::move(v)) : std::nullopt;
    }

    std::optional<Value> object(int depth) {
        ++pos_;
        Value v;
        v.type = Value::Type::Object;
        if (take('}')) {
            return v;
        }
        do {
            skipSpace();
            std::string key;
            if (!string(key) || !take(':')) {
                return std::nullopt;
            }
            std::optional<Value> member = value(depth + 1);
            if (!member) {
                return std::nullopt;
            }
            v.members.emplace_back(std::move(key), std::move(*member));
        } while (take(','));
        return take('}') ? std::optional<Value>(std::move(v)) : std::nullopt;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};
}  // namespace

const Value* Value::find(std::string_view key) const {
    if (type != Type::Object) {
        return nullptr;
    }
    for (const auto& [k, v] : members) {
        if (k == key) {
            return &v;
        }
    }
    return nullptr;
}

std::optional<Value> parse(std::string_view text) {
    return Parser(text).document();
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string fixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char buf[64];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec != std::errc{}) {
        return "null";
    }
    std::string out(buf, end);
    if (out.starts_with("-") && out.find_first_not_of("-0.") == std::string::npos) {
        out.erase(0, 1);  // -0.000 reads oddly in a report
    }
    return out;
}

}  // namespace json
