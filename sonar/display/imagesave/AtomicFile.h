#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes the bytes to a new file beside `path` and renames it over `path` once every byte is on
// disk, so the name never shows a half-written file. False (and nothing left behind) on any
// failure.
bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);
