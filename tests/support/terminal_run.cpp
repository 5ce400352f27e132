#include "terminal_run.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "run_process.h"

namespace {

[[noreturn]] void throwSystemError(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), "runOnTerminal: " + what);
}

// In the child, between fork and exec: only async-signal-safe calls, and _exit on failure.
void redirect(int stream, const std::filesystem::path& file) {
    if (file.empty()) return;
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ::dup2(fd, stream) < 0) ::_exit(127);
}

int waitForExit(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) throwSystemError("waitpid failed");
    }
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

bool readsRaw(int terminal) {
    termios mode{};
    return ::tcgetattr(terminal, &mode) == 0 && (mode.c_lflag & ICANON) == 0;
}

}  // namespace

TerminalRun runOnTerminal(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                          const std::filesystem::path& outputFile, const std::filesystem::path& errorFile,
                          unsigned short columns, int seconds, const TerminalAnswer& answer) {
    std::vector<std::string> arguments = argv;
    std::vector<std::string> environment = environmentWith(extraEnv);
    std::vector<char*> argumentPointers = pointerArray(arguments);
    std::vector<char*> environmentPointers = pointerArray(environment);

    winsize size{};
    size.ws_row = 24;
    size.ws_col = columns;
    int terminal = -1;
    const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, &size);
    if (pid < 0) throwSystemError("forkpty failed");
    if (pid == 0) {
        redirect(STDOUT_FILENO, outputFile);
        redirect(STDERR_FILENO, errorFile);
        ::execvpe(argumentPointers[0], argumentPointers.data(), environmentPointers.data());
        ::_exit(127);
    }

    // The terminal's bytes are read as they come, so the program never waits for a full buffer. Once
    // the program and everything it started have closed the terminal, reading it fails with EIO.
    TerminalRun run{0, ""};
    bool answered = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    char buffer[65536];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ::kill(pid, SIGKILL);
            break;
        }
        if (!answered && !answer.prompt.empty() && run.screen.find(answer.prompt) != std::string::npos &&
            (!answer.whenRaw || readsRaw(terminal))) {
            answered = true;
            if (::write(terminal, answer.keys.data(), answer.keys.size()) < 0) throwSystemError("write failed");
        }
        // While an answer waits for the terminal's mode, that mode is looked at every few milliseconds.
        const bool waitingToAnswer = !answered && !answer.prompt.empty();
        pollfd ready{terminal, POLLIN, 0};
        const int polled = ::poll(&ready, 1, waitingToAnswer ? 10 : static_cast<int>(left.count()));
        if (polled < 0 && errno != EINTR) throwSystemError("poll failed");
        if (polled <= 0) continue;
        const ssize_t count = ::read(terminal, buffer, sizeof buffer);
        if (count > 0) {
            run.screen.append(buffer, static_cast<std::size_t>(count));
        } else if (count == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(terminal);
    run.exitStatus = waitForExit(pid);
    return run;
}
