#pragma once

#include <string>
#include <vector>

#include "kbfile/Mosaic.h"
#include "kbfile/Renderer.h"

namespace kbfile {

enum class Command { None, Info, Convert, Render, Mosaic, Targets };

struct CommandLine {
    enum class Status { Run, Help, Error };
    Status status = Status::Error;
    Command command = Command::None;
    std::vector<std::string> files;  // info: 1, convert, render and targets: 2, mosaic: 2 or more
    RenderOptions render;
    MosaicOptions mosaic;
    std::string error;  // one line for stderr when status is Error
    std::string help;   // the text to print when status is Help
};

// Parses the arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The --help text of the tool, or of one command.
std::string helpText(Command command);

}  // namespace kbfile
