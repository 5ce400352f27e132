// The runtime's life tied to the launcher's, under Wine: a helper inside Wine
// ends the launcher, as a task manager would, or sends Ctrl+Break to its
// console process group; Ctrl+C is typed into the terminal that Wine's
// console reads.

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "file_bytes.h"
#include "run_process.h"
#include "standin_runtime.h"
#include "temp_dir.h"
#include "wine_run.h"

namespace fs = std::filesystem;

namespace {

// Runs `wine <command>` from `workingDir` on a new pseudo-terminal, as a
// console window would, with extra environment variables; types `keys` once
// the file `started` exists and gives the exit status, or -1 when the run
// failed or took more than a minute.
int runOnTerminal(const std::vector<std::string>& command, const fs::path& workingDir,
                  const std::vector<std::string>& environment, const fs::path& started, const std::string& keys) {
    // Everything the child needs is made before it is forked.
    std::vector<std::string> variables = environmentWith(environment);
    std::vector<char*> envp = pointerArray(variables);
    std::vector<std::string> words = {"wine"};
    words.insert(words.end(), command.begin(), command.end());
    std::vector<char*> argv = pointerArray(words);

    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid < 0) return -1;
    if (pid == 0) {
        if (chdir(workingDir.c_str()) == 0) execvpe("wine", argv.data(), envp.data());
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    bool typed = false;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            close(terminal);
            return -1;
        }
        if (!typed && fs::exists(started)) typed = write(terminal, keys.data(), keys.size()) >= 0;
        // What the console writes is read and dropped, so that it never waits on a full terminal.
        pollfd output{terminal, POLLIN, 0};
        char buffer[4096];
        if (poll(&output, 1, 50) > 0 && read(terminal, buffer, sizeof buffer) < 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    close(terminal);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class RuntimeLifetimeUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        installPackage("shipped.exe", appDir);
        placeStandinRuntime(appDir / "runtime", STANDIN_JAVA_EXE);
    }

    // Runs the helper in `mode` on the launcher, whose stand-in runtime runs
    // for `runtimeMs` milliseconds and then ends with status 7.
    ProcessResult control(const std::string& mode, int runtimeMs) {
        return runUnderWine(LAUNCH_CONTROL_EXE, {mode, windowsPath(log), windowsPath(exe)}, appDir,
                            standinEnvironment(runtimeMs));
    }

    std::vector<std::string> standinEnvironment(int runtimeMs) const {
        return {"STANDIN_LOG=" + windowsPath(log), "STANDIN_SLEEP_MS=" + std::to_string(runtimeMs), "STANDIN_EXIT=7"};
    }

    TempDir temp{"lifetime-wine"};
    fs::path appDir = temp.path() / "my app";
    fs::path exe = appDir / "shipped.exe";
    fs::path log = temp.path() / "standin.log";
};

TEST_F(RuntimeLifetimeUnderWine, AnEndedLauncherTakesItsRuntimeWithIt) {
    const ProcessResult result = control("end", 60000);

    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "runtime=ended\r\n") << "the runtime outlived the launcher by more than ten seconds";
    EXPECT_EQ(readStandinLog(log).size(), 1u);
}

TEST_F(RuntimeLifetimeUnderWine, CtrlBreakReachesTheRuntimeAndTheLauncherEndsWithItsStatus) {
    // On a terminal the helper has the console that sending the event needs.
    const int status = runOnTerminal({LAUNCH_CONTROL_EXE, "break", windowsPath(log), windowsPath(exe)}, appDir,
                                     standinEnvironment(3000), log, "");

    if (status == 125) GTEST_SKIP() << "Wine refuses to send Ctrl+Break to a console process group";
    EXPECT_EQ(status, 7) << "the launcher did not outlive the event, or did not end with the runtime's status";
    EXPECT_NE(readFileBytes(log).find("interrupt=ctrl-break\n"), std::string::npos) << "the runtime got no Ctrl+Break";
}

TEST_F(RuntimeLifetimeUnderWine, CtrlCInTheConsoleEndsTheRuntimeAndTheLauncherEndsWithItsStatus) {
    const int status = runOnTerminal({exe.string()}, appDir, standinEnvironment(30000), log, "\x03");

    EXPECT_EQ(status, 130) << "the runtime ends with 130 on Ctrl+C; a launcher ended by the event itself would not";
    EXPECT_NE(readFileBytes(log).find("interrupt=ctrl-c\n"), std::string::npos) << "the runtime got no Ctrl+C";
}

}  // namespace
