#pragma once

#include <string>

namespace kbfile {

// Why a command failed: the file concerned and what is wrong with it, shown as one line.
struct Problem {
    std::string file;
    std::string what;
};

// Exit codes of the tool.
constexpr int kExitOk = 0;
constexpr int kExitFileProblem = 1;
constexpr int kExitUsage = 2;

}  // namespace kbfile
