#include "harness.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <stdexcept>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tessarion::bench {

namespace {
std::int64_t nanoseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

void check(int result, const char* what)
{
    if (result != 0)
        throw std::runtime_error(std::string(what) + ": " + std::strerror(result));
}
} // namespace

std::int64_t cpuNanoseconds() { return nanoseconds(CLOCK_PROCESS_CPUTIME_ID); }

std::int64_t monotonicNanoseconds() { return nanoseconds(CLOCK_MONOTONIC); }

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

ChildRun runChild(const std::string& program, const std::vector<std::string>& arguments,
                  const std::vector<std::pair<std::string, std::string>>& environment)
{
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable = *entry;
        const bool replaced =
            std::any_of(environment.begin(), environment.end(), [&variable](const auto& change) {
                return variable.starts_with(change.first + "=");
            });
        if (!replaced)
            variables.push_back(variable);
    }
    for (const auto& [name, value] : environment)
        variables.push_back(name + "=" + value);

    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::vector<std::string> argvStrings{program};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argvStrings)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);

    ChildRun run;
    pid_t pid = 0;
    run.spawnedAt = monotonicNanoseconds();
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        check(spawned, program.c_str());
    }
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got > 0)
            run.output.append(buffer, static_cast<std::size_t>(got));
        else if (got == 0 || errno != EINTR)
            break;
    }
    close(pipeEnds[0]);
    while (waitpid(pid, &run.status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(run.status) || WEXITSTATUS(run.status) != 0)
        throw std::runtime_error(program + " failed; its output: " + run.output);
    return run;
}

double field(const std::string& text, const std::string& key)
{
    const std::string marker = key + "=";
    std::size_t at = text.find(marker);
    // A key must start a word, so that "ns=" does not match inside "real_ns=".
    while (at != std::string::npos && at > 0 && text[at - 1] != ' ' && text[at - 1] != '\n')
        at = text.find(marker, at + 1);
    if (at == std::string::npos)
        throw std::runtime_error("no " + key + " in: " + text);
    return std::stod(text.substr(at + marker.size()));
}

std::string executableDirectory()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        throw std::runtime_error("cannot find the running executable");
    const std::string full(path, static_cast<std::size_t>(length));
    return full.substr(0, full.rfind('/'));
}

} // namespace tessarion::bench
