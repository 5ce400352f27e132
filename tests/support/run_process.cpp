#include "run_process.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

extern char** environ;

namespace {

[[noreturn]] void throwSystemError(int code, const std::string& what) {
    throw std::system_error(code, std::generic_category(), "runProcess: " + what);
}

// Closes a descriptor once, whether the owner is done with it early or goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }

    int get() const { return fd_; }
    void close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

private:
    int fd_;
};

// Both ends close on exec, so the child keeps only the copies made onto its standard streams.
struct Pipe {
    Pipe() : Pipe(openPipe()) {}

    Descriptor readEnd;
    Descriptor writeEnd;

private:
    struct Ends {
        int read;
        int write;
    };
    explicit Pipe(Ends ends) : readEnd(ends.read), writeEnd(ends.write) {}
    static Ends openPipe() {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) throwSystemError(errno, "cannot create a pipe");
        return {fds[0], fds[1]};
    }
};

class SpawnActions {
public:
    SpawnActions() { check(posix_spawn_file_actions_init(&actions_), "init"); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }

    void openRead(int fd, const char* path) {
        check(posix_spawn_file_actions_addopen(&actions_, fd, path, O_RDONLY, 0), "open");
    }
    void openWrite(int fd, const char* path) {
        check(posix_spawn_file_actions_addopen(&actions_, fd, path, O_WRONLY | O_CREAT | O_TRUNC, 0600), "open");
    }
    void duplicate(int from, int to) { check(posix_spawn_file_actions_adddup2(&actions_, from, to), "dup2"); }
    void changeDirectory(const std::string& dir) {
        check(posix_spawn_file_actions_addchdir_np(&actions_, dir.c_str()), "chdir");
    }
    const posix_spawn_file_actions_t* get() const { return &actions_; }

private:
    static void check(int code, const char* action) {
        if (code != 0) throwSystemError(code, std::string("cannot prepare the child's ") + action);
    }
    posix_spawn_file_actions_t actions_;
};

std::string variableName(const std::string& entry) { return entry.substr(0, entry.find('=')); }

// The child changes directory before exec, so a relative program path must be made absolute here
// to mean what the caller meant.
std::string programPath(const std::string& program) {
    if (program.find('/') == std::string::npos || program.front() == '/') return program;
    return std::filesystem::absolute(program).string();
}

// Reads both streams as data arrives, so that a child filling one pipe never waits on us.
void drain(Descriptor& outRead, Descriptor& errRead, std::string& out, std::string& err) {
    char buffer[65536];
    while (outRead.get() >= 0 || errRead.get() >= 0) {
        pollfd fds[2] = {{outRead.get(), POLLIN, 0}, {errRead.get(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            throwSystemError(errno, "poll failed");
        }
        Descriptor* streams[2] = {&outRead, &errRead};
        std::string* sinks[2] = {&out, &err};
        for (int i = 0; i < 2; ++i) {
            if (streams[i]->get() < 0 || fds[i].revents == 0) continue;
            const ssize_t count = ::read(streams[i]->get(), buffer, sizeof buffer);
            if (count > 0)
                sinks[i]->append(buffer, static_cast<std::size_t>(count));
            else if (count == 0 || errno != EINTR)
                streams[i]->close();
        }
    }
}

int waitForExit(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) throwSystemError(errno, "waitpid failed");
    }
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

// Starts the program with the prepared standard streams; answers the child's pid, or the spawn error
// as a negative number.
pid_t spawn(const std::vector<std::string>& argv, SpawnActions& actions, const std::string& workingDir,
            const std::vector<std::string>& extraEnv) {
    if (argv.empty() || argv.front().empty()) throw std::invalid_argument("runProcess: no program given");
    if (!workingDir.empty()) actions.changeDirectory(workingDir);

    const std::string program = programPath(argv.front());
    std::vector<std::string> arguments = argv;
    std::vector<std::string> environment = environmentWith(extraEnv);
    std::vector<char*> argumentPointers = pointerArray(arguments);
    std::vector<char*> environmentPointers = pointerArray(environment);

    pid_t pid = 0;
    const int spawnError = ::posix_spawnp(&pid, program.c_str(), actions.get(), nullptr, argumentPointers.data(),
                                          environmentPointers.data());
    return spawnError == 0 ? pid : -spawnError;
}

std::string startFailure(const std::vector<std::string>& argv, const std::string& workingDir, int spawnError) {
    return "cannot start " + argv.front() + (workingDir.empty() ? "" : " in " + workingDir) + ": " +
           std::strerror(spawnError) + "\n";
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& workingDir,
                         const std::vector<std::string>& extraEnv) {
    Pipe outPipe, errPipe;

    SpawnActions actions;
    actions.openRead(STDIN_FILENO, "/dev/null");
    actions.duplicate(outPipe.writeEnd.get(), STDOUT_FILENO);
    actions.duplicate(errPipe.writeEnd.get(), STDERR_FILENO);
    const pid_t pid = spawn(argv, actions, workingDir, extraEnv);
    outPipe.writeEnd.close();
    errPipe.writeEnd.close();
    if (pid < 0) return {127, "", startFailure(argv, workingDir, -pid)};

    ProcessResult result{0, "", ""};
    try {
        drain(outPipe.readEnd, errPipe.readEnd, result.out, result.err);
    } catch (...) {
        // Leave no child behind, blocked on a pipe that nobody reads any more.
        ::kill(pid, SIGKILL);
        waitForExit(pid);
        throw;
    }
    result.exitStatus = waitForExit(pid);
    return result;
}

int runProcessToFiles(const std::vector<std::string>& argv, const std::filesystem::path& outputFile,
                      const std::filesystem::path& errorFile, const std::string& workingDir,
                      const std::vector<std::string>& extraEnv) {
    SpawnActions actions;
    actions.openRead(STDIN_FILENO, "/dev/null");
    actions.openWrite(STDOUT_FILENO, outputFile.c_str());
    actions.openWrite(STDERR_FILENO, errorFile.c_str());
    const pid_t pid = spawn(argv, actions, workingDir, extraEnv);
    if (pid < 0) {
        std::ofstream(errorFile) << startFailure(argv, workingDir, -pid);
        return 127;
    }
    return waitForExit(pid);
}

std::vector<std::string> environmentWith(const std::vector<std::string>& extraEnv) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string name = variableName(*entry);
        bool overridden = false;
        for (const std::string& extra : extraEnv) overridden = overridden || variableName(extra) == name;
        if (!overridden) result.emplace_back(*entry);
    }
    result.insert(result.end(), extraEnv.begin(), extraEnv.end());
    return result;
}

std::vector<char*> pointerArray(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}
