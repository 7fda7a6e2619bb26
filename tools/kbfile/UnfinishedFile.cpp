#include "kbfile/UnfinishedFile.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace kbfile {
namespace {
char gPath[PATH_MAX];
std::atomic<bool> gSet{false};

void onSignal(int signal) {
    removeUnfinishedFile();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}
}  // namespace

void setUnfinishedFile(const char* path) {
    gSet.store(false);
    const std::size_t n = std::strlen(path);
    if (n < sizeof gPath) {
        std::memcpy(gPath, path, n + 1);
        gSet.store(true);
    }
}

void clearUnfinishedFile() {
    gSet.store(false);
}

void removeUnfinishedFile() {
    if (gSet.exchange(false)) {
        ::unlink(gPath);
    }
}

void removeUnfinishedFileOnSignals() {
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) {
        ::sigaction(s, &action, nullptr);
    }
}

}  // namespace kbfile
