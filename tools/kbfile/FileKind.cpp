#include "kbfile/FileKind.h"

#include <cctype>

namespace kbfile {
namespace {
constexpr std::string_view kPngExtension = ".png";

bool endsWithNoCase(std::string_view text, std::string_view tail) {
    if (text.size() < tail.size()) {
        return false;
    }
    const std::string_view end = text.substr(text.size() - tail.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const auto c = static_cast<unsigned char>(end[i]);
        if (std::tolower(c) != static_cast<unsigned char>(tail[i])) {
            return false;
        }
    }
    return true;
}
}  // namespace

std::optional<SourceKind> kindFromPath(std::string_view path) {
    for (SourceKind kind : {SourceKind::Dsx, SourceKind::Ss2, SourceKind::Xtf}) {
        if (endsWithNoCase(path, extensionOf(kind))) {
            return kind;
        }
    }
    return std::nullopt;
}

const char* extensionOf(SourceKind kind) {
    switch (kind) {
        case SourceKind::Dsx:
            return ".dsx";
        case SourceKind::Ss2:
            return ".ss2";
        case SourceKind::Xtf:
            break;
    }
    return ".xtf";
}

bool hasPngExtension(std::string_view path) {
    return endsWithNoCase(path, kPngExtension);
}

bool hasTiffExtension(std::string_view path) {
    return endsWithNoCase(path, ".tif") || endsWithNoCase(path, ".tiff");
}

}  // namespace kbfile
