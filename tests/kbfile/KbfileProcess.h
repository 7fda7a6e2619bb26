#pragma once

// Runs the real kbfile binary for the process tests: exit code, stdout and stderr.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "kbfile/KbfileTestFiles.h"

extern char** environ;

namespace kbfile_test {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string text(const std::string& path) {
    const std::vector<std::uint8_t> b = readBytes(path);
    return {b.begin(), b.end()};
}

class Kbfile : public ::testing::Test {
  protected:
    ProcessResult run(const std::vector<std::string>& args) {
        std::vector<std::string> all = {KBFILE_PATH};
        all.insert(all.end(), args.begin(), args.end());
        return spawn(KBFILE_PATH, all);
    }

    // command run by the shell, for limits set before kbfile starts.
    ProcessResult runShell(const std::string& command) {
        return spawn("/bin/sh", {"/bin/sh", "-c", command});
    }

    // stdout and stderr go to files, so nothing can block on a full pipe.
    ProcessResult spawn(const char* program, std::vector<std::string> all) {
        const std::string outPath = dir.file("stdout.txt");
        const std::string errPath = dir.file("stderr.txt");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<char*> argv;
        for (std::string& a : all) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        pid_t pid = 0;
        ProcessResult r;
        const int rc = posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) {
            return r;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = text(outPath);
        r.err = text(errPath);
        return r;
    }

    void expectFailure(const std::vector<std::string>& args, int code, const std::string& line) {
        const ProcessResult r = run(args);
        EXPECT_EQ(r.exitCode, code) << r.err;
        EXPECT_EQ(r.err, line + "\n");
        EXPECT_EQ(r.out, "");
    }

    std::string goodFile(const std::string& name, SourceKind kind, int count = 3) {
        const std::string path = dir.file(name);
        writeFile(path, kind, pings(count));
        return path;
    }

    TempDir dir;
};

}  // namespace kbfile_test
