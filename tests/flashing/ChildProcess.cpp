#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace modflash::testing {

ChildProcess::Result ChildProcess::run(const std::string& program,
                                       const std::vector<std::string>& arguments,
                                       const std::map<std::string, std::string>& environment,
                                       std::chrono::seconds limit) {
    std::vector<std::string> argv{program}, envp;
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    for (const auto& [name, value] : environment)
        envp.push_back(name + "=" + value);
    std::vector<char*> argvPointers, envpPointers;
    for (auto& text : argv)
        argvPointers.push_back(text.data());
    for (auto& text : envp)
        envpPointers.push_back(text.data());
    argvPointers.push_back(nullptr);
    envpPointers.push_back(nullptr);

    Result result;
    int fds[2];
    if (pipe(fds) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    result.started = posix_spawn(&pid, program.c_str(), &actions, nullptr, argvPointers.data(),
                                 envpPointers.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);

    const auto deadline = std::chrono::steady_clock::now() + limit;
    char buffer[4096];
    while (result.started) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd readable{fds[0], POLLIN, 0};
        if (left.count() <= 0) {
            kill(pid, SIGKILL);
            break;
        }
        if (poll(&readable, 1, static_cast<int>(left.count())) <= 0)
            continue; // interrupted or timed out: the deadline check decides
        const ssize_t count = read(fds[0], buffer, sizeof buffer);
        if (count == 0 || (count < 0 && errno != EINTR))
            break;
        if (count > 0)
            result.output.append(buffer, static_cast<std::size_t>(count));
    }
    close(fds[0]);
    int status = 0;
    if (result.started) {
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        result.killed = !WIFEXITED(status);
        result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return result;
}

} // namespace modflash::testing
