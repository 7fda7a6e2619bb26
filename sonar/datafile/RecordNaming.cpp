#include "datafile/RecordNaming.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace {
constexpr std::string_view kDsxExtension = ".dsx";
constexpr std::string_view kSs2Extension = ".ss2";
constexpr std::string_view kXtfExtension = ".xtf";
constexpr char kHyphen = '-';
constexpr std::size_t kEndingChars = 3;

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool sameWithoutCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

// The number in the two counter characters as the C library reads it: leading digits count, so
// "ab" is 0 and "7x" is 7.
int counterOf(std::string_view name) {
    char digits[RecordNaming::kCounterChars + 1] = {};
    if (name.size() > RecordNaming::kCounterAt) {
        name.substr(RecordNaming::kCounterAt, RecordNaming::kCounterChars)
            .copy(digits, RecordNaming::kCounterChars);
    }
    return std::atoi(digits);
}
}  // namespace

std::string_view RecordNaming::extensionOf(SourceKind kind) {
    switch (kind) {
        case SourceKind::Dsx:
            return kDsxExtension;
        case SourceKind::Ss2:
            return kSs2Extension;
        case SourceKind::Xtf:
            break;
    }
    return kXtfExtension;
}

bool RecordNaming::matchesPattern(std::string_view name, std::string_view dateText,
                                  SourceKind kind) {
    // date text, hyphen, one "?" per counter character, extension
    const std::string_view extension = extensionOf(kind);
    const std::size_t extensionAt = dateText.size() + 1 + kCounterChars;
    if (name.size() != extensionAt + extension.size()) {
        return false;
    }
    return sameWithoutCase(name.substr(0, dateText.size()), dateText) &&
           name[dateText.size()] == kHyphen && sameWithoutCase(name.substr(extensionAt), extension);
}

int RecordNaming::counterAfter(const std::vector<std::string>& names, std::string_view dateText,
                               SourceKind kind) {
    int counter = 0;
    for (const std::string& name : names) {
        if (matchesPattern(name, dateText, kind)) {
            counter = std::max(counter, counterOf(name)) + 1;
        }
    }
    return counter;
}

std::string RecordNaming::proposedName(std::string_view dateText, SourceKind kind,
                                       const std::vector<std::string>& listing) {
    char counter[16];
    std::snprintf(counter, sizeof counter, "%c%02d", kHyphen,
                  counterAfter(listing, dateText, kind));
    return std::string(dateText) + counter;
}

std::vector<std::string> RecordNaming::listMatching(const std::filesystem::path& folder,
                                                    std::string_view dateText, SourceKind kind) {
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (matchesPattern(name, dateText, kind)) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

std::optional<SourceKind> RecordNaming::kindOfName(std::string_view name) {
    if (name.size() < kEndingChars) {
        return std::nullopt;
    }
    const std::string_view ending = name.substr(name.size() - kEndingChars);
    for (SourceKind kind : {SourceKind::Dsx, SourceKind::Ss2, SourceKind::Xtf}) {
        if (sameWithoutCase(ending, extensionOf(kind).substr(1))) {
            return kind;
        }
    }
    return std::nullopt;
}

SourceKind RecordNaming::recordFormatFor(std::string_view chosenName, SourceKind previous) {
    return kindOfName(chosenName).value_or(previous);
}
