#include "timed_run.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include "file_bytes.h"
#include "temp_dir.h"

extern char** environ;

namespace {

std::string commandText(const std::vector<std::string>& argv)
{
    std::string text;
    for (const std::string& word : argv)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

int waitForExit(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            throw std::runtime_error(std::string("waitpid failed: ") + std::strerror(errno));
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

} // namespace

double timedRun(const std::vector<std::string>& argv, const std::filesystem::path& workingDir)
{
    static const TempDir errorFolder("benchmark-stderr");
    const std::filesystem::path errorFile = errorFolder.path() / "stderr";

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!workingDir.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());

    std::vector<char*> pointers;
    for (const std::string& word : argv)
        pointers.push_back(const_cast<char*>(word.c_str()));
    pointers.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawnError = ::posix_spawnp(&pid, argv.at(0).c_str(), &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawnError != 0)
        throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(spawnError));
    const int status = waitForExit(pid);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (status != 0)
        throw std::runtime_error(commandText(argv) + " ended with status " + std::to_string(status) + ":\n" +
                                 readFileBytes(errorFile));
    return elapsed.count();
}

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

double medianOf(int runs, const std::function<double()>& measure)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i)
        samples.push_back(measure());
    return median(samples);
}
