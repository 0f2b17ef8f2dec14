// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildRun.h"

#include "Clock.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

extern char** environ;

namespace modflash::bench {

ChildRun ChildRun::run(const std::vector<std::string>& command, bool captureOutput) {
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);

    int pipeEnds[2] = {-1, -1};
    if (captureOutput && pipe(pipeEnds) != 0)
        throw std::runtime_error("cannot create a pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (captureOutput) {
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    ChildRun result;
    const std::int64_t start = monotonicNs();
    result.startedNs = start;
    pid_t pid = -1;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (captureOutput)
        close(pipeEnds[1]);
    if (error != 0) {
        if (captureOutput)
            close(pipeEnds[0]);
        throw std::runtime_error("cannot start " + command.front());
    }
    if (captureOutput) {
        char buffer[4096];
        for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
            if (got > 0)
                result.output.append(buffer, static_cast<std::size_t>(got));
        }
        close(pipeEnds[0]);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    result.seconds = secondsSince(start);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

double ChildRun::value(const std::string& key) const {
    const std::string wanted = key + " ";
    for (std::size_t at = 0; at < output.size();) {
        std::size_t end = output.find('\n', at);
        if (end == std::string::npos)
            end = output.size();
        if (output.compare(at, wanted.size(), wanted) == 0)
            return std::stod(output.substr(at + wanted.size(), end - at - wanted.size()));
        at = end + 1;
    }
    return 0;
}

ChildRun fastestOf(int times, const std::vector<std::string>& command) {
    ChildRun best = ChildRun::run(command);
    for (int i = 1; i < times; ++i) {
        ChildRun next = ChildRun::run(command);
        if (next.seconds < best.seconds)
            best = next;
    }
    return best;
}

} // namespace modflash::bench
