#pragma once

#include <cstdio>
#include <string>

// "$<body>*<checksum>" for test sentences; the caller adds a line end where it wants one.
inline std::string withChecksum(const std::string& body) {
    unsigned sum = 0;
    for (const char c : body) {
        sum ^= static_cast<unsigned char>(c);
    }
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X", sum & 0xFFu);
    return "$" + body + tail;
}
