#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Just enough JSON to read back the target lists this program writes, and to write them:
// a strict parser (RFC 8259 grammar, nesting limited so hostile input cannot exhaust the stack)
// and locale-independent number and string output.
namespace json {

struct Value {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0.0;
    std::string string;
    std::vector<Value> items;
    std::vector<std::pair<std::string, Value>> members;

    // The member's value, or nullptr when this is no object or has no such member.
    const Value* find(std::string_view key) const;
    bool isNull() const { return type == Type::Null; }
};

// The one value the text holds (whitespace around it allowed); nothing when it is not JSON.
std::optional<Value> parse(std::string_view text);

// A JSON string literal of UTF-8 text, with quotes.
std::string quoted(std::string_view text);
// A number with this many decimals, always with a point, never in the user's locale.
std::string fixed(double value, int decimals);

}  // namespace json
