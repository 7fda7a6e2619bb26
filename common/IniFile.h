#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI file in the Windows private-profile style, as users carry it between Windows and
// Linux. Reading follows the Windows reader (names match without case, values are trimmed and
// lose enclosing quotes, long values are cut); writing changes only the lines it must, so
// comments, unknown keys and the user's layout survive a save.
class IniFile {
  public:
    enum class LineEnding { CrLf, Lf };

    // Longest value handed out, in bytes (never splitting a UTF-8 character).
    static constexpr std::size_t kMaxValueLength = 256;

    // An empty file; written with "\r\n" line endings.
    IniFile() = default;

    static IniFile parse(std::string_view text);
    // Nothing when the file cannot be opened or read.
    static std::optional<IniFile> load(const std::string& path);

    // The whole file as it would be written.
    std::string text() const;
    // Writes a temporary file beside the target and renames it over the target, so a crash
    // never leaves a truncated file. False on any failure.
    bool save(const std::string& path) const;

    bool hasKey(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Missing key or empty value: the default. Otherwise the decimal conversion of the value
    // (the platform's profile-integer reader).
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;
    // The value read as text, the default only when the key is missing, then converted: a key
    // present with an empty or non-numeric value reads 0.
    int readNumber(std::string_view section, std::string_view key, int defaultValue) const;

    // Replaces the key's line in place, or appends it at the end of its section; a missing
    // section is added at the end of the file. A line break in the value ends it there.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInt(std::string_view section, std::string_view key, int value);

    LineEnding lineEnding() const { return lineEnding_; }

  private:
    struct SectionRange {
        std::size_t header;
        std::size_t end;  // one past the last line of the section
    };

    std::optional<SectionRange> findSection(std::string_view section) const;
    std::optional<std::size_t> findKeyLine(const SectionRange& range, std::string_view key) const;
    std::optional<std::string_view> rawValue(std::string_view section, std::string_view key) const;

    std::vector<std::string> lines_;
    LineEnding lineEnding_ = LineEnding::CrLf;
    bool byteOrderMark_ = false;
};

// The usual decimal conversion: leading blanks, optional sign, digits up to the first
// non-digit. No digits give 0; values beyond the int range are clamped.
int parseProfileInt(std::string_view text);
