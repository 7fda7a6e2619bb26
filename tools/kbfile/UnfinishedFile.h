#pragma once

namespace kbfile {

// The one file being written that must not outlive an interrupted run: a picture's bytes go to
// a hidden file beside the target until they are complete. Ctrl-C or a kill removes it through
// removeUnfinishedFile, which is safe to call from a signal handler.
void setUnfinishedFile(const char* path);
void clearUnfinishedFile();
void removeUnfinishedFile();

// Installs handlers for SIGINT, SIGTERM and SIGHUP that remove the unfinished file and then
// end the program as the signal would have.
void removeUnfinishedFileOnSignals();

}  // namespace kbfile
