#include "common/IniFile.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {
namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kLf = "\n";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr char kCommentMark = ';';

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    line.remove_prefix(1);
    const std::size_t close = line.find(']');
    return trim(line.substr(0, close));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

// A "key=value" line; comments, section headers and lines without '=' are not keys.
std::optional<KeyLine> keyLine(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() == kCommentMark || line.front() == '[') {
        return std::nullopt;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

std::string_view stripQuotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

// Cuts to at most max bytes without leaving half of a UTF-8 sequence behind.
std::string_view cutValue(std::string_view v, std::size_t max) {
    if (v.size() <= max) {
        return v;
    }
    std::size_t len = max;
    while (len > 0 && (static_cast<unsigned char>(v[len]) & 0xC0) == 0x80) {
        --len;
    }
    return v.substr(0, len);
}

std::string_view firstLine(std::string_view v) {
    return v.substr(0, v.find_first_of("\r\n"));
}

fs::path resolveTarget(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        fs::path resolved = fs::canonical(path, ec);
        if (!ec) {
            return resolved;
        }
    }
    return fs::path(path);
}

bool writeWhole(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    return !out.fail();
}
}  // namespace

int parseProfileInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude >= limit) {
            magnitude = limit;
            break;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        ini.byteOrderMark_ = true;
        text.remove_prefix(kUtf8Bom.size());
    }
    const std::size_t firstLf = text.find('\n');
    if (firstLf != std::string_view::npos && (firstLf == 0 || text[firstLf - 1] != '\r')) {
        ini.lineEnding_ = LineEnding::Lf;
    }
    // CRLF, LF and a lone CR all end a line.
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        ini.lines_.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        ini.lines_.emplace_back(text.substr(start));
    }
    return ini;
}

std::optional<IniFile> IniFile::load(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return parse(content);
}

std::string IniFile::text() const {
    const std::string_view eol = lineEnding_ == LineEnding::CrLf ? kCrLf : kLf;
    std::string out;
    if (byteOrderMark_) {
        out += kUtf8Bom;
    }
    for (const std::string& line : lines_) {
        out += line;
        out += eol;
    }
    return out;
}

bool IniFile::save(const std::string& path) const {
    const fs::path target = resolveTarget(path);
    fs::path temp = target;
    temp += std::string(kTempSuffix);
    std::error_code ec;
    if (!writeWhole(temp, text())) {
        fs::remove(temp, ec);
        return false;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    return true;
}

std::optional<IniFile::SectionRange> IniFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i]);
        if (!name || !equalsNoCase(*name, section)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines_.size() && !sectionName(lines_[end])) {
            ++end;
        }
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::findKeyLine(const SectionRange& range,
                                                std::string_view key) const {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto kv = keyLine(lines_[i]);
        if (kv && equalsNoCase(kv->key, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> IniFile::rawValue(std::string_view section,
                                                  std::string_view key) const {
    const auto range = findSection(section);
    if (!range) {
        return std::nullopt;
    }
    const auto index = findKeyLine(*range, key);
    if (!index) {
        return std::nullopt;
    }
    return keyLine(lines_[*index])->value;
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
    return rawValue(section, key).has_value();
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const auto raw = rawValue(section, key);
    const std::string_view value = raw ? stripQuotes(*raw) : defaultValue;
    return std::string(cutValue(value, kMaxValueLength));
}

int IniFile::readInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::string value = readString(section, key, "");
    return value.empty() ? defaultValue : parseProfileInt(value);
}

int IniFile::readNumber(std::string_view section, std::string_view key, int defaultValue) const {
    if (!hasKey(section, key)) {
        return defaultValue;
    }
    return parseProfileInt(readString(section, key, ""));
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += firstLine(value);

    auto range = findSection(section);
    if (!range) {
        const bool hasContent = !lines_.empty() && !trim(lines_.back()).empty();
        if (hasContent) {
            lines_.emplace_back();
        }
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(line));
        return;
    }
    if (const auto index = findKeyLine(*range, key)) {
        lines_[*index] = std::move(line);
        return;
    }
    // After the section's last non-blank line, so blank separators stay before the next header.
    std::size_t insertAt = range->end;
    while (insertAt > range->header + 1 && trim(lines_[insertAt - 1]).empty()) {
        --insertAt;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

void IniFile::writeInt(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}
