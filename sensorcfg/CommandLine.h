#pragma once

#include <ostream>
#include <string>
#include <vector>

// sentrim [FILE.cfg] | sentrim --summary FILE.cfg [--model N] | sentrim --help
struct SentrimCommandLine {
    enum class Action { Window, Summary, Help, Error };
    Action action = Action::Window;
    std::string file;
    int model = 0;
    std::string error;  // for Action::Error
};

SentrimCommandLine parseSentrimCommandLine(const std::vector<std::string>& args);
const char* sentrimUsage();

// Prints the summary of a configuration file as plain UTF-8 text. The base model is not stored
// in files, so it is given. Returns the exit code: 0, or 1 after one line on `err` that names
// the file.
int printSummary(const std::string& file, int model, std::ostream& out, std::ostream& err);
